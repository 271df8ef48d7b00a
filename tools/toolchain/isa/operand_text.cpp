#include "toolchain/isa/operand_text.h"

#include <array>
#include <span>

#include "platform/text_rules.h"
#include "toolchain/assembler/source_line.h"

namespace cuffware::toolchain {

namespace {

// text in upper case with its blanks dropped, into compact (which keeps its
// room from one operand to the next).
void CompactUpper(std::string_view text, std::string& compact) {
    compact.clear();
    for (char c : text) {
        if (c != ' ' && c != '\t')
            compact += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
}

// The rows that a bracketed operand's lead can name, in the table's order:
// the page form and the indexed ones.
std::span<const OperandKindRow* const> LeadRows() {
    static const std::vector<const OperandKindRow*> rows = [] {
        std::vector<const OperandKindRow*> leads;
        for (const OperandKindRow& row : OperandKinds()) {
            if (row.kind == OperandKind::kPage || !row.base.empty())
                leads.push_back(&row);
        }
        return leads;
    }();
    return rows;
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
    static constexpr std::array<std::string_view, 5> kFixed = {"[HL]", "[IX]", "[IY]", "[IX+L]",
                                                               "[IY+L]"};
    thread_local std::string upper;
    CompactUpper(inside, upper);
    for (std::string_view fixed : kFixed) {
        if (upper == fixed.substr(1, fixed.size() - 2))
            return {WrittenOperand::kWord, fixed, {}};
    }
    std::string_view text = TrimBlanks(inside);
    for (const OperandKindRow* leadRow : LeadRows()) {
        const OperandKindRow& row = *leadRow;
        std::string_view lead = row.before.substr(row.before.empty() ? 0 : 1);  // "BR:", "IX"
        if (row.kind == OperandKind::kPage && upper.starts_with(lead))
            return {WrittenOperand::kPage, {}, inside.substr(inside.find(':') + 1)};
        if (!row.base.empty() && upper.size() > lead.size() && upper.starts_with(lead) &&
            (upper[lead.size()] == '+' || upper[lead.size()] == '-'))
            return {WrittenOperand::kIndexed, row.base, text.substr(lead.size())};
    }
    return {WrittenOperand::kMemory, {}, inside};
}

WrittenOperand ReadOperand(std::string_view item) {
    if (item[0] == '#')
        return {WrittenOperand::kImmediate, {}, item.substr(1)};
    if (item.front() == '[' && item.back() == ']')
        return ReadBracketed(item.substr(1, item.size() - 2));
    if (std::string_view word = OperandWord(item); !word.empty())
        return {WrittenOperand::kWord, word, {}};
    return {WrittenOperand::kBare, {}, item};
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
        return std::string(word);
    for (const OperandKindRow& row : OperandKinds()) {
        if (kind != kBare && WrittenKindOf(row) == kind && (kind != kIndexed || row.base == word))
            return std::string(row.placeholder);
    }
    return std::string(expression);
}

Result<std::vector<WrittenOperand>> ReadOperands(std::string_view text) {
    std::vector<WrittenOperand> operands;
    operands.reserve(2);  // the most an instruction takes
    if (Status read = ReadOperandsInto(text, operands); !read)
        return read.error();
    return operands;
}

Status ReadOperandsInto(std::string_view text, std::vector<WrittenOperand>& operands) {
    operands.clear();
    if (TrimBlanks(text).empty())
        return Status::Ok();
    bool empty = false;
    ForEachListItem(text, [&](std::string_view item) {
        empty = item.empty();
        if (!empty)
            operands.push_back(ReadOperand(item));
        return !empty;
    });
    if (empty)
        return Diagnostic{{}, 0, "empty operand"};
    return Status::Ok();
}

}  // namespace cuffware::toolchain
