#include "toolchain/programs/symbol_conversion.h"

#include "platform/path_text.h"
#include "toolchain/programs/tool_context.h"

namespace cuffware::toolchain {

std::string ConvertedName(const SymbolConversion& conversion, const std::string& input) {
    return WithExtension(input, std::string(conversion.outputExtension));
}

int ConvertSymbols(const SymbolConversion& conversion, const std::string& input,
                   const std::string& output, const ToolContext& context) {
    Result<std::string> text = ReadInput(context, input);
    if (!text)
        return Fail(context, text.error());
    Result<std::vector<GlobalSymbol>> symbols = conversion.read(*text, input);
    if (!symbols)
        return Fail(context, symbols.error());
    if (Status written = WriteOutput(context, output, conversion.format(*symbols)); !written)
        return Fail(context, written.error());
    context.out << conversion.toolName << ": " << input << " -> " << output << ": "
                << symbols->size() << " " << conversion.counted << "\n";
    return 0;
}

}  // namespace cuffware::toolchain
