// The demo off Windows, on a Wine-style drive of its own.

#include "app/actions/file_commands.h"
#include "app/actions/start_downloader.h"
#include "app/command_line/demo_command.h"
#include "platform/host_path.h"
#include "platform/host_tree.h"

namespace cuffware {

int RunDemo(HeadlessContext& context, const std::string& dir, int (*steps)(HeadlessContext&)) {
    std::string root = dir;
    if (Status empty = RequireEmptyDirectory(root); !root.empty() && !empty.ok()) {
        context.err << "The demo was not laid out.\n" << empty.error().Text() << "\n";
        return kExitFailure;
    }
    if (root.empty()) {
        Result<std::string> made = MakeTemporaryDirectory("cuffware-demo-");
        if (!made.ok()) {
            context.err << made.error().Text() << "\n";
            return kExitFailure;
        }
        root = *made;
    }
    if (Status laid = LayOutDemo(DefaultDemoSources(), root); !laid.ok()) {
        context.err << "The demo could not be laid out.\n" << laid.error().Text() << "\n";
        return kExitFailure;
    }
    context.out << "Demo laid out in " << root << " (WINEPREFIX for its c: drive)\n";
    UseWinePrefix(root);
    context.bench.processes.SetChildVariable("WINEPREFIX", root);

    Workbench& bench = context.bench;
    LoadWorkbench(bench, root + "/builder.ini");
    if (!RestoreProjectScript(bench, DemoApplications().front().scriptPath))
        return kExitFailure;
    int status = steps(context);
    if (status != kExitSuccess)
        return status;
    std::optional<int> downloaded = RunDownloaderAndWait(bench);
    return downloaded && *downloaded == 0 ? status : kExitFailure;
}

}  // namespace cuffware
