#pragma once
// maplist and labelset: each reads one file's global symbols and writes them
// again, in the form the next step of the build takes, to a file of the same
// name beside it.

#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"
#include "toolchain/object/symbol_files.h"
#include "toolchain/programs/tool_context.h"

namespace cuffware::toolchain {

struct SymbolConversion {
    std::string_view toolName;
    std::string_view outputExtension;  // ".sy"
    Result<std::vector<GlobalSymbol>> (*read)(std::string_view text, const std::string& fileName);
    std::string (*format)(const std::vector<GlobalSymbol>& symbols);
    std::string_view counted;  // what the summary line counts: "symbols"
};

// The file the conversion writes for input.
std::string ConvertedName(const SymbolConversion& conversion, const std::string& input);

// Reads input, writes output and prints "TOOL: INPUT -> OUTPUT: N COUNTED";
// returns the exit status. On an error prints it and writes nothing.
int ConvertSymbols(const SymbolConversion& conversion, const std::string& input,
                   const std::string& output, const ToolContext& context);

}  // namespace cuffware::toolchain
