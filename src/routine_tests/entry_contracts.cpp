#include "routine_tests/entry_contracts.h"

#include <optional>
#include <vector>

#include "platform/text_rules.h"
#include "routine_tests/test_file.h"

namespace cuffware {

namespace {

std::vector<std::string_view> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> parts;
    for (size_t at; (at = text.find(separator)) != std::string_view::npos;
         text.remove_prefix(at + separator.size()))
        parts.push_back(text.substr(0, at));
    parts.push_back(text);
    return parts;
}

// What one gives line allows, or nullopt when a clause says something else.
std::optional<EntryContract> ContractOf(std::string_view gives) {
    EntryContract contract;
    const std::string text = Trimmed(gives);
    if (text == "nothing")
        return contract;
    for (std::string_view clause : Split(text, ", ")) {
        std::string first(clause.substr(0, clause.find(' ')));
        if (first.size() > 2 && first.front() == '[' && first.back() == ']') {
            std::string inside = first.substr(1, first.size() - 2);
            if (IsTestRegister(ToUpperAscii(inside.substr(0, inside.find('+')))))
                contract.anyMemory = true;
            else
                contract.memory.insert(inside);
        } else if (IsTestRegister(first) || IsTestFlag(first)) {
            contract.registers.insert(first);
        } else {
            return std::nullopt;
        }
    }
    return contract;
}

}  // namespace

std::map<std::string, EntryContract> EntryContractsFromHeader(std::string_view text) {
    std::map<std::string, EntryContract> contracts;
    std::string entry;
    for (std::string_view line : Split(text, "\n")) {
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (!line.starts_with(";")) {
            entry.clear();
            continue;
        }
        std::string comment = Trimmed(line.substr(1));
        if (comment.starts_with("gives:") && !entry.empty()) {
            if (std::optional<EntryContract> contract = ContractOf(comment.substr(6)))
                contracts[entry] = *contract;
            entry.clear();
        } else if (size_t colon = comment.find(':'); colon != std::string::npos && colon > 0 &&
                                                     comment.find_first_of(" \t") > colon &&
                                                     !comment.starts_with("takes:")) {
            entry = comment.substr(0, colon);
        }
    }
    return contracts;
}

}  // namespace cuffware
