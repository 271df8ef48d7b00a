// cuffware: the builder's actions from the command line.

#include <iostream>
#include <string>
#include <vector>

#include "app/command_line/headless.h"
#include "platform/file_system.h"
#include "platform/host_path.h"
#include "platform/host_process.h"

int main(int argc, char** argv) {
    cuffware::AnchorWinePrefix();
    std::vector<std::string> args(argv + 1, argv + argc);
    return cuffware::RunHeadless(args, cuffware::DiskFileSystem(), cuffware::HostProcesses(),
                                 std::cout, std::cerr);
}
