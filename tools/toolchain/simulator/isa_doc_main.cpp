// Writes docs/instruction-set.md at build time: isa_doc OUTPUT.
#include <fstream>
#include <iostream>

#include "toolchain/simulator/instruction_set_document.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: isa_doc OUTPUT\n";
        return 1;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << cuffware::simulator::InstructionSetDocument();
    return out.good() ? 0 : 1;
}
