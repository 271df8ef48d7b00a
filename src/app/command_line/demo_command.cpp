#include "app/command_line/demo_command.h"

#include <cstdlib>
#include <filesystem>

#include "app/actions/file_commands.h"
#include "app/actions/start_downloader.h"
#include "app/command_line/next_command.h"
#include "platform/host_path.h"
#include "platform/host_tree.h"
#include "platform/installed_data.h"
#include "platform/program_directory.h"
#include "project/builder_script.h"

#ifndef CUFFWARE_DEMO_DIR
#define CUFFWARE_DEMO_DIR ""
#endif

namespace cuffware {

namespace {

// The toolchain's and the SDK's programs and where a real installation keeps each of them.
struct InstalledTool {
    const char* program;
    const char* destination;  // below the drive root
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

// Said where the window program was not built: only a build of the source
// tree lacks it.
constexpr const char* kHowToBuildTheWindow =
    "With Qt 6 installed (on Debian: apt install qt6-base-dev), bash scripts/demo builds it "
    "and names it here; or build it by hand as docs/platforms.md says.";

// The paths the demo's own files name the SDK and the toolchain by.
constexpr std::string_view kDemoSdk = "c:\\q740";
constexpr std::string_view kDemoToolchain = "c:\\c88";

void ReplaceAll(std::string& text, std::string_view from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// A settings or script file of the demo, written where place wants it.
Status CopyRelocated(const std::string& from, const std::string& to, const DemoPlace& place,
                     FileSystem& files) {
    Result<std::string> text = files.ReadFile(from, kMaxScriptBytes);
    if (!text)
        return text.error();
    return files.WriteFile(to, RelocatedDemoText(*text, place));
}

std::string AbsoluteDirectory(const std::string& dir) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(dir, error);
    if (error)
        return dir;
    std::string normal = absolute.lexically_normal().string();
    while (normal.size() > 1 && (normal.back() == '/' || normal.back() == '\\'))
        normal.pop_back();
    return normal;
}

}  // namespace

DemoSources DefaultDemoSources() {
    const char* fromEnvironment = std::getenv("CUFFWARE_DEMO_DIR");
    std::string demoDir =
        fromEnvironment && *fromEnvironment
            ? fromEnvironment
            : InstalledDataDirectory(CUFFWARE_INSTALLED_DEMO_DIR, CUFFWARE_DEMO_DIR);
    return {demoDir, ProgramDirectory()};
}

std::vector<DemoApplication> DemoApplications(const std::string& sdkText) {
    std::vector<DemoApplication> applications;
    for (const DemoSource& application : kDemoApplications) {
        std::string f = application.folder;
        applications.push_back({f, sdkText + "\\app\\" + f + "\\build\\" + f + ".scr"});
    }
    return applications;
}

std::string RelocatedDemoText(std::string text, const DemoPlace& place) {
    ReplaceAll(text, kDemoSdk, place.sdkText);
    ReplaceAll(text, kDemoToolchain, place.toolchainText);
    return text;
}

Status LayOutDemo(const DemoSources& sources, const DemoPlace& place, FileSystem& files) {
    const std::string& drive = place.driveRoot;
    if (Status s = MakeDirectories(drive); !s.ok())
        return s;
    if (Status s = CopyTree(sources.demoDir + "/sdk", drive + "/q740"); !s.ok())
        return s;
    if (Status s = CopyTree(sources.demoDir + "/toolchain", drive + "/c88"); !s.ok())
        return s;
    for (const InstalledTool& tool : kTools) {
        Status s = CopyOneFile(sources.programDir + "/" + HostProgramFile(tool.program),
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
        if (Status s = MakeDirectories(to + "/build"); !s.ok())
            return s;
        if (Status s = CopyRelocated(from + script, to + "/build" + script, place, files); !s.ok())
            return s;
    }
    if (Status s =
            CopyRelocated(sources.demoDir + "/builder.ini", place.settingsPath, place, files);
        !s.ok())
        return s;
    return PrepareDemoPlace(place);
}

namespace {

// The line that opens the demo in the window program; where that was not
// built beside this one (a build without Qt), how to get it instead.
std::string OpenInWindowLine(const DemoPlace& place, const std::string& script) {
    const std::string builder = "cuffware-builder";
    if (!ProgramBesideThis(builder))
        return "The window program " + builder + " was not built beside this program (in " +
               ProgramDirectory() + "): it needs Qt 6. " + kHowToBuildTheWindow + "\n";
    std::string prefix = DemoCommandPrefix(place);
    std::string open = CommandLine(
        {ProgramToPaste(builder), "--settings", place.settingsPath, script}, HostShell());
    return "Open it in the window with: " + (prefix.empty() ? open : prefix + " " + open) + "\n";
}

}  // namespace

std::string DemoSummary(const DemoPlace& place) {
    std::vector<DemoApplication> applications = DemoApplications(place.sdkText);
    std::string scripts;
    for (const DemoApplication& application : applications)
        scripts += (scripts.empty() ? "" : ", ") + application.scriptPath;
    return "The demo is in " + place.root + ":\n" + "  SDK: " + WithHostPath(place.sdkText) + "\n" +
           "  toolchain: " + WithHostPath(place.toolchainText) + "\n" +
           "  settings: " + place.settingsPath + "\n" + "  builder scripts: " + scripts + "\n" +
           OpenInWindowLine(place, applications.front().scriptPath);
}

namespace {

// The demo's place is in use for its steps and the downloader, and no
// longer once they end, however they end.
struct DemoPlaceInUse {
    DemoPlaceInUse(const DemoPlace& place, ProcessStarter& processes) : processes(processes) {
        WorkInDemoPlace(place, processes);
    }
    ~DemoPlaceInUse() { LeaveDemoPlace(processes); }
    DemoPlaceInUse(const DemoPlaceInUse&) = delete;
    DemoPlaceInUse& operator=(const DemoPlaceInUse&) = delete;
    ProcessStarter& processes;
};

}  // namespace

int RunDemo(HeadlessContext& context, const std::string& dir, int (*steps)(HeadlessContext&)) {
    if (Status empty = RequireEmptyDirectory(dir); !dir.empty() && !empty.ok()) {
        context.err << "The demo was not laid out.\n" << empty.error().Text() << "\n";
        return kExitFailure;
    }
    Result<std::string> root =
        dir.empty() ? DefaultDemoDirectory() : Result<std::string>(AbsoluteDirectory(dir));
    if (!root.ok()) {
        context.err << "The demo was not laid out.\n" << root.error().Text() << "\n";
        return kExitFailure;
    }
    DemoPlace place = DemoPlaceIn(*root);
    Workbench& bench = context.bench;
    if (Status laid = LayOutDemo(DefaultDemoSources(), place, bench.files); !laid.ok()) {
        context.err << "The demo could not be laid out.\n" << laid.error().Text() << "\n";
        return kExitFailure;
    }
    context.out << "Demo laid out in " << place.root << "\n";
    DemoPlaceInUse inUse(place, bench.processes);

    // The steps' own lines name the next ones with the demo's settings.
    std::string script = DemoApplications(place.sdkText).front().scriptPath;
    HeadlessArguments arguments = context.args;
    arguments.settingsPath = place.settingsPath;
    arguments.operands = {script};
    HeadlessContext demo{bench,       arguments,       context.out,
                         context.err, context.printed, DemoCommandPrefix(place)};
    LoadWorkbench(bench, place.settingsPath);
    if (!RestoreProjectScript(bench, script))
        return kExitFailure;
    int status = steps(demo);
    if (status != kExitSuccess)
        return status;
    std::optional<int> downloaded = RunDownloaderAndWait(bench);
    if (!downloaded || *downloaded != 0)
        return kExitFailure;
    context.out << DemoSummary(place);
    return status;
}

}  // namespace cuffware
