// cuffware-batch: the batch runner program.
#include <iostream>
#include <string>
#include <vector>

#include "batch/batch_program.h"
#include "platform/host_path.h"
#include "platform/program_version.h"

int main(int argc, char** argv) {
    cuffware::AnchorWinePrefix();
    std::vector<std::string> args(argv + 1, argv + argc);
    if (cuffware::PrintVersionIfAsked(args, "cuffware-batch", std::cout))
        return 0;
    return cuffware::batch::RunBatchRunner(args, std::cin, std::cout, std::cerr);
}
