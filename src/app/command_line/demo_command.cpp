#include "app/command_line/demo_command.h"

#include <cstdlib>

#include "platform/host_tree.h"
#include "platform/installed_data.h"
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
    std::string demoDir =
        fromEnvironment && *fromEnvironment
            ? fromEnvironment
            : InstalledDataDirectory(CUFFWARE_INSTALLED_DEMO_DIR, CUFFWARE_DEMO_DIR);
    return {demoDir, ProgramDirectory()};
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

}  // namespace cuffware
