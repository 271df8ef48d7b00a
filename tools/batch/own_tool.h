#pragma once
// Our own toolchain programs, met on a line of build.bat, run inside the
// batch runner instead of a new process: the same entry function the
// program would call, the same arguments, the same working directory. A
// program is ours when its file carries the mark tool_main.cpp puts in it
// (the tool's name and this version); every other program, a vendor's tool
// or an older build of ours, is started as a process.

#include <optional>
#include <string>
#include <vector>

#include "platform/result.h"
#include "toolchain/programs/tools.h"

namespace cuffware::batch {

using toolchain::ToolEntry;

struct OwnTool {
    const char* name;
    ToolEntry entry;
};

// The mark a tool program of this version carries in its ".cuffware_tool"
// section: "cuffware-tool NAME VERSION".
std::string ToolMark(const std::string& toolName);

// The tool whose program file lies at hostPath, when the file carries the
// mark of one of ours; nothing otherwise.
std::optional<OwnTool> FindOwnTool(const std::string& hostPath);

// What an own tool run printed, as a file catching both of the program's
// streams holds it (its error stream unbuffered, so first), and its exit
// status.
struct OwnToolRun {
    int status;
    std::string printed;
};

OwnToolRun RunOwnTool(const OwnTool& tool, const std::string& programHostPath,
                      const std::vector<std::string>& arguments,
                      const std::string& workingDirectory);

}  // namespace cuffware::batch
