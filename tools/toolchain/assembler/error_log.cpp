#include "toolchain/assembler/error_log.h"

#include <algorithm>
#include <limits>

namespace cuffware::toolchain {

void ErrorLog::Add(size_t order, int number, const std::string& text, SourceMessage message) {
    auto [known, added] = byLine_.try_emplace({order, number, text}, entries_.size());
    if (!added) {
        SourceMessage& earlier = entries_[known->second].message;
        if (message.reason.starts_with(earlier.reason))
            earlier.reason = std::move(message.reason);
        return;
    }
    if (message.severity == SourceMessage::kError)
        ++errors_;
    entries_.push_back({order, std::move(message)});
}

void ErrorLog::AddForFile(SourceMessage message) {
    if (message.severity == SourceMessage::kError)
        ++errors_;
    entries_.push_back({std::numeric_limits<size_t>::max(), std::move(message)});
}

std::vector<SourceMessage> ErrorLog::InLineOrder() const {
    std::vector<Entry> sorted = entries_;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Entry& a, const Entry& b) { return a.order < b.order; });
    std::vector<SourceMessage> messages;
    for (Entry& entry : sorted)
        messages.push_back(std::move(entry.message));
    return messages;
}

}  // namespace cuffware::toolchain
