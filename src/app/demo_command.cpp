#include "app/demo_command.h"

#include <cstdlib>

#include "app/file_commands.h"
#include "app/start_downloader.h"
#include "platform/host_tree.h"
#include "platform/program_directory.h"

#ifndef CUFFWARE_DEMO_DIR
#define CUFFWARE_DEMO_DIR ""
#endif

namespace cuffware {

namespace {

// The stand-in programs and where a real installation keeps each of them.
struct InstalledTool {
    const char* program;
    const char* destination;  // below drive_c
};

constexpr InstalledTool kTools[] = {
    {"as88", "c88/bin/as88.exe"},          {"lk88", "c88/bin/lk88.exe"},
    {"lc88", "c88/bin/lc88.exe"},          {"maplist", "q740/bin/maplist.exe"},
    {"labelset", "q740/bin/labelset.exe"}, {"CuffwareDL", "q740/bin/CuffwareDL.exe"},
};

// Each demo application: its folder name and its folder in demo/.
struct DemoSource {
    const char* folder;
    const char* sourceFolder;
};
constexpr DemoSource kDemoApplications[] = {{"demo", "app"}, {"overflow", "overflow"}};

}  // namespace

DemoSources DefaultDemoSources() {
    const char* fromEnvironment = std::getenv("CUFFWARE_DEMO_DIR");
    return {fromEnvironment && *fromEnvironment ? fromEnvironment : CUFFWARE_DEMO_DIR,
            ProgramDirectory()};
}

std::vector<DemoApplication> DemoApplications() {
    std::vector<DemoApplication> applications;
    for (const DemoSource& application : kDemoApplications) {
        std::string f = application.folder;
        applications.push_back({f, "c:\\q740\\app\\" + f + "\\build\\" + f + ".scr"});
    }
    return applications;
}

Status LayOutDemo(const DemoSources& sources, const std::string& dir) {
    std::string drive = dir + "/drive_c";
    if (Status s = MakeDirectories(drive); !s.ok())
        return s;
    if (Status s = LinkWineDrive(dir, 'c', drive); !s.ok())
        return s;
    if (Status s = CopyTree(sources.demoDir + "/sdk", drive + "/q740"); !s.ok())
        return s;
    if (Status s = CopyTree(sources.demoDir + "/toolchain", drive + "/c88"); !s.ok())
        return s;
    for (const InstalledTool& tool : kTools) {
        Status s = CopyOneFile(sources.programDir + "/" + tool.program,
                               drive + "/" + tool.destination, true);
        if (!s.ok())
            return s;
    }
    for (const DemoSource& application : kDemoApplications) {
        std::string folder = application.folder;
        std::string from = sources.demoDir + "/" + application.sourceFolder;
        std::string to = drive + "/q740/app/" + folder;
        if (Status s = CopyTree(from + "/src", to + "/src"); !s.ok())
            return s;
        std::string script = "/" + folder + ".scr";
        if (Status s = CopyOneFile(from + script, to + "/build" + script, false); !s.ok())
            return s;
    }
    return CopyOneFile(sources.demoDir + "/builder.ini", dir + "/builder.ini", false);
}

#ifdef _WIN32
// Windows has no Wine drive to lay out: there the SDK and the toolchain are
// installed at c:\q740 and c:\c88 and the road runs on them directly.
int RunDemo(HeadlessContext& context, const std::string&, int (*)(HeadlessContext&)) {
    context.err << "The demo lays out a Wine drive and runs off Windows only. On Windows, "
                   "install the SDK at c:\\q740 and the toolchain at c:\\c88 and run: "
                   "cuffware all c:\\q740\\app\\demo\\build\\demo.scr\n";
    return kExitFailure;
}
#else
int RunDemo(HeadlessContext& context, const std::string& dir, int (*road)(HeadlessContext&)) {
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
    SetEnvironment("WINEPREFIX", root);

    Workbench& bench = context.bench;
    LoadWorkbench(bench, root + "/builder.ini");
    if (!RestoreProjectScript(bench, DemoApplications().front().scriptPath))
        return kExitFailure;
    int status = road(context);
    if (status != kExitSuccess)
        return status;
    std::optional<int> downloaded = RunDownloaderAndWait(bench);
    return downloaded && *downloaded == 0 ? status : kExitFailure;
}
#endif

}  // namespace cuffware
