// One stand-in program; CMake binds CUFFWARE_TOOL_ENTRY to its entry in tools.h.
#include <iostream>
#include <string>
#include <vector>

#include "platform/program_directory.h"
#include "toolchain/tools.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    cuffware::toolchain::ToolContext context{"", cuffware::ProgramDirectory(), std::cout,
                                             std::cerr};
    return cuffware::toolchain::CUFFWARE_TOOL_ENTRY(args, context);
}
