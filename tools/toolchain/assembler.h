#pragma once
// The assembler's core: reads a source and everything it includes, and
// turns it into sections of the processor's bytes in two passes (the first
// places every label, so later labels may be used before they stand; the
// second gives the bytes). The dialect is described in docs/assembler.md.

#include <functional>
#include <string>

#include "platform/result.h"
#include "toolchain/object_module.h"

namespace cuffware::toolchain {

// The content of a file named by a path text (as written in an INCLUDE line
// or on the command line). A failure's path is the host path looked at.
using SourceReader = std::function<Result<std::string>(const std::string& pathText)>;

struct Assembly {
    ObjectModule module;
    std::string listing;  // empty unless asked for
};

// The first failure stops the run; its diagnostic names the file as it was
// written and the line, and for a line of an included file the lines that
// included it, innermost first ("included from common.asm:3").
Result<Assembly> Assemble(const std::string& sourceName, const SourceReader& read,
                          bool withListing = false);

}  // namespace cuffware::toolchain
