#include "toolchain/assembler/assembler.h"

#include "toolchain/assembler/assembler_state.h"

namespace cuffware::toolchain {

AssemblyReport AssembleReporting(const std::string& sourceName, const SourceReader& read,
                                 bool withListing) {
    return assembler_internal::Assembler(read, withListing).Run(sourceName);
}

}  // namespace cuffware::toolchain
