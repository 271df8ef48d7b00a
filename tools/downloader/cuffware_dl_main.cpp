// CuffwareDL: the stand-in downloader program.
#include <iostream>
#include <string>
#include <vector>

#include "downloader/downloader_program.h"
#include "platform/host_path.h"
#include "platform/program_version.h"

int main(int argc, char** argv) {
    cuffware::AnchorWinePrefix();
    std::vector<std::string> args(argv + 1, argv + argc);
    if (cuffware::PrintVersionIfAsked(args, "CuffwareDL", std::cout))
        return 0;
    return cuffware::downloader::RunDownloader(args, std::cout, std::cerr);
}
