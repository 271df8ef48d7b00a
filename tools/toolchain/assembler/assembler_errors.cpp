#include "toolchain/assembler/assembler_state.h"

namespace cuffware::toolchain::assembler_internal {

Diagnostic Assembler::At(const SourceLine& line, std::string message) const {
    return Diagnostic{sources_.Files()[line.file].name, line.number, std::move(message)};
}

void Assembler::Record(const SourceLine& line, const std::string& reason,
                       SourceMessage::Severity severity) {
    if (log_.Full() || reason.find(kAlreadyReported) != std::string::npos)
        return;
    log_.Add(line.order, line.number, std::string(line.Text()),
             {severity, sources_.Files()[line.file].name, line.number,
              MessageColumn(line.Text(), reason), reason + Suggestion(reason),
              sources_.IncludedFrom(line)});
    if (log_.Full()) {
        stopped_ = true;
        stoppedAtLimit_ = true;
    }
}

std::string Assembler::Suggestion(const std::string& reason) const {
    static constexpr std::string_view kUndefined = "undefined symbol '";
    if (!reason.starts_with(kUndefined) || !reason.ends_with("'"))
        return {};
    std::string name = reason.substr(kUndefined.size(), reason.size() - kUndefined.size() - 1);
    // The first alike in the order of the keys, as a sorted table gives them.
    const std::string* alike = nullptr;
    symbols_.ForEach([&](const std::string& key, const Symbol& symbol) {
        if (LooksLike(name, symbol.name) && (!alike || key < *alike))
            alike = &key;
    });
    if (!alike)
        return {};
    return "; did you mean " + Quoted(symbols_.Find(*alike)->name) + "?";
}

void Assembler::Record(const SourceLine& line, const Status& status) {
    if (!status)
        Record(line, status.error().message);
}

void Assembler::Stop(const SourceLine& line, const std::string& reason) {
    Record(line, reason);
    stopped_ = true;
}

void Assembler::RecordForFile(std::string reason) {
    log_.AddForFile({SourceMessage::kError, sources_.Files()[0].name, 0, 0, std::move(reason), {}});
}

AssemblyReport Assembler::Report() {
    AssemblyReport report;
    report.messages = log_.InLineOrder();
    report.errors = log_.Errors();
    report.stoppedAtLimit = stoppedAtLimit_;
    if (report.errors != 0)
        return report;
    std::string listing;
    if (withListing_) {
        for (const SourceFile& file : sources_.Files())
            module_.listedFiles.push_back(file.name);
        listing = FormatListing(module_);
    }
    report.assembly = Assembly{std::move(module_), std::move(listing)};
    return report;
}

std::string Assembler::Where(size_t file, int number) const {
    return sources_.Where(file, number);
}

}  // namespace cuffware::toolchain::assembler_internal
