// The sim88 program around RunSim88.
#include <iostream>
#include <string>
#include <vector>

#include "platform/program_directory.h"
#include "platform/program_version.h"
#include "toolchain/simulator/sim88.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (cuffware::PrintVersionIfAsked(args, "sim88", std::cout))
        return 0;
    cuffware::toolchain::ToolContext context{"", cuffware::ProgramDirectory(), std::cout,
                                             std::cerr};
    return cuffware::simulator::RunSim88(args, context);
}
