#pragma once
// Runs a tool of the toolchain in a test directory and keeps what it printed.

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "toolchain/object/object_module.h"
#include "toolchain/programs/tools.h"

namespace cuffware::toolchain::testing {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

using toolchain::ToolEntry;

inline std::string SourceDir() {
    const char* dir = std::getenv("CUFFWARE_SOURCE_DIR");
    return dir ? dir : ".";
}

// Where the demo's programs would lie; its ../etc holds the description file.
inline std::string DemoToolchainBin() {
    return SourceDir() + "/demo/toolchain/bin";
}

inline ToolRun RunTool(ToolEntry tool, const std::vector<std::string>& args,
                       const std::string& directory,
                       const std::string& programDirectory = DemoToolchainBin()) {
    std::ostringstream out, err;
    ToolContext context{directory, programDirectory, out, err};
    int status = tool(args, context);
    return {status, out.str(), err.str()};
}

// An expected message with "DIR" standing for the test directory.
inline std::string InDir(std::string message, const cuffware::testing::TempDir& dir) {
    if (size_t at = message.find("DIR"); at != std::string::npos)
        message.replace(at, 3, dir.path());
    return message;
}

// The three option files exactly as the build writes them.
inline void WriteOptionFiles(const cuffware::testing::TempDir& dir) {
    dir.Write("ascmd.cmd",
              "-Ms -gaLHS -OHjN -l -LcdeGlmNpqsWXy -w137 -w118 -w109 -w141 -w112 -t -err -e\r\n");
    dir.Write("lkcmd.cmd", "-ds1c88349.dsc -M -L -e -N -w8 -err -v\r\n");
    dir.Write("lccmd.cmd", "-f2b32 -ds1c88349.dsc -M -w8 -e -err\r\n");
}

// Assembles, links and locates NAME.asm in dir as build.bat does.
inline ToolRun BuildSection(const cuffware::testing::TempDir& dir, const std::string& name) {
    ToolRun run = RunTool(RunAs88, {name + ".asm", "-fascmd.cmd"}, dir.path());
    if (run.status == 0)
        run = RunTool(RunLk88, {name + ".obj", "-o", name + ".out", "-flkcmd.cmd"}, dir.path());
    if (run.status == 0)
        run = RunTool(RunLc88, {name + ".out", "-o", name + ".sre", "-flccmd.cmd"}, dir.path());
    return run;
}

}  // namespace cuffware::toolchain::testing
