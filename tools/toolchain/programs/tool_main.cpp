// One tool program; CMake binds CUFFWARE_TOOL_ENTRY to its entry in tools.h
// and CUFFWARE_TOOL_NAME to its name.
#include <iostream>
#include <string>
#include <vector>

#include "platform/host_path.h"
#include "platform/program_directory.h"
#include "platform/program_version.h"
#include "toolchain/programs/tools.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#ifdef __ELF__
// The batch runner reads this mark from the program file and then runs the
// tool inside itself (tools/batch/own_tool.h).
[[gnu::used, gnu::section(".cuffware_tool")]] const char kToolMark[] = CUFFWARE_TOOL_MARK;
#endif

// A tool reads and writes texts of megabytes and then ends: memory it frees
// is kept for the next text rather than handed back to the system and
// faulted in anew page by page.
void KeepFreedMemory() {
#ifdef __GLIBC__
    constexpr int kLargestHeapBlock = 32 << 20;  // glibc's limit for the threshold
    mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
}

int main(int argc, char** argv) {
    KeepFreedMemory();
    cuffware::AnchorWinePrefix();
    std::vector<std::string> args(argv + 1, argv + argc);
    if (cuffware::PrintVersionIfAsked(args, CUFFWARE_TOOL_NAME, std::cout))
        return 0;
    cuffware::toolchain::ToolContext context{"", cuffware::ProgramDirectory(), std::cout,
                                             std::cerr};
    return cuffware::toolchain::CUFFWARE_TOOL_ENTRY(args, context);
}
