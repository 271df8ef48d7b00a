#include "toolchain/isa/operand_text.h"

#include "platform/text_rules.h"
#include "toolchain/assembler/source_line.h"

namespace cuffware::toolchain {

namespace {

std::string BlanksRemoved(std::string_view text) {
    std::string compact;
    for (char c : text) {
        if (c != ' ' && c != '\t')
            compact += c;
    }
    return compact;
}

// How an operand of a row is written.
WrittenOperand::Kind WrittenKindOf(const OperandKindRow& row) {
    if (row.before == "#")
        return WrittenOperand::kImmediate;
    if (!row.base.empty())
        return WrittenOperand::kIndexed;
    if (row.kind == OperandKind::kPage)
        return WrittenOperand::kPage;
    return row.before == "[" ? WrittenOperand::kMemory : WrittenOperand::kBare;
}

WrittenOperand ReadBracketed(std::string_view inside) {
    std::string upper = ToUpperAscii(BlanksRemoved(inside));
    for (std::string_view fixed : {"HL", "IX", "IY", "IX+L", "IY+L"}) {
        if (upper == fixed)
            return {WrittenOperand::kWord, "[" + upper + "]", {}};
    }
    std::string_view text = TrimBlanks(inside);
    for (const OperandKindRow& row : OperandKinds()) {
        std::string_view lead = row.before.substr(row.before.empty() ? 0 : 1);  // "BR:", "IX"
        if (row.kind == OperandKind::kPage && upper.starts_with(lead))
            return {WrittenOperand::kPage, {}, std::string(inside.substr(inside.find(':') + 1))};
        if (!row.base.empty() && upper.size() > lead.size() && upper.starts_with(lead) &&
            (upper[lead.size()] == '+' || upper[lead.size()] == '-'))
            return {WrittenOperand::kIndexed, std::string(row.base),
                    std::string(text.substr(lead.size()))};
    }
    return {WrittenOperand::kMemory, {}, std::string(inside)};
}

}  // namespace

bool WrittenOperand::Fits(const FormOperand& formOperand) const {
    if (!formOperand.row)
        return kind == kWord && word == formOperand.text;
    return kind == WrittenKindOf(*formOperand.row) &&
           (kind != kIndexed || word == formOperand.base);
}

std::string WrittenOperand::Shape() const {
    if (kind == kWord)
        return word;
    for (const OperandKindRow& row : OperandKinds()) {
        if (kind != kBare && WrittenKindOf(row) == kind && (kind != kIndexed || row.base == word))
            return std::string(row.placeholder);
    }
    return expression;
}

Result<std::vector<WrittenOperand>> ReadOperands(std::string_view text) {
    std::vector<WrittenOperand> operands;
    if (TrimBlanks(text).empty())
        return operands;
    std::vector<std::string_view> items = SplitListViews(text);
    operands.reserve(items.size());
    for (std::string_view item : items) {
        if (item.empty())
            return Diagnostic{{}, 0, "empty operand"};
        if (item[0] == '#')
            operands.push_back({WrittenOperand::kImmediate, {}, std::string(item.substr(1))});
        else if (item.front() == '[' && item.back() == ']')
            operands.push_back(ReadBracketed(item.substr(1, item.size() - 2)));
        else if (std::string upper = ToUpperAscii(item); IsOperandWord(upper))
            operands.push_back({WrittenOperand::kWord, std::move(upper), {}});
        else
            operands.push_back({WrittenOperand::kBare, {}, std::string(item)});
    }
    return operands;
}

}  // namespace cuffware::toolchain
