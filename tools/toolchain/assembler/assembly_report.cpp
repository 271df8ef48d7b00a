// The texts of an assembly's messages, and the first error as a failure.
#include "toolchain/assembler/assembler.h"

namespace cuffware::toolchain {

std::string SourceMessage::Text() const {
    std::string text = file;
    if (line > 0)
        text += ":" + std::to_string(line) + ":" + std::to_string(column);
    text += severity == kError ? ": error: " : ": warning: ";
    text += reason;
    for (const std::string& where : includedFrom)
        text += "\n  included from " + where;
    return text;
}

std::string AssemblyReport::CountText() const {
    std::string text = std::to_string(errors) + (errors == 1 ? " error" : " errors");
    if (stoppedAtLimit)
        text += " (stopped at the limit of " + std::to_string(kMaxReportedErrors) + ")";
    return text;
}

Result<Assembly> Assemble(const std::string& sourceName, const SourceReader& read,
                          bool withListing) {
    AssemblyReport report = AssembleReporting(sourceName, read, withListing);
    if (report.assembly)
        return std::move(*report.assembly);
    for (const SourceMessage& message : report.messages) {
        if (message.severity != SourceMessage::kError)
            continue;
        std::string reason = message.reason;
        for (const std::string& where : message.includedFrom)
            reason += "\n  included from " + where;
        return Diagnostic{message.file, message.line, reason};
    }
    return Diagnostic{sourceName, 0, "not assembled"};
}

}  // namespace cuffware::toolchain
