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

WrittenOperand ReadBracketed(std::string_view inside) {
    std::string upper = ToUpperAscii(BlanksRemoved(inside));
    for (std::string_view fixed : {"HL", "IX", "IY", "IX+L", "IY+L"}) {
        if (upper == fixed)
            return {WrittenOperand::kWord, "[" + upper + "]", {}};
    }
    if (upper.starts_with("BR:"))
        return {WrittenOperand::kPage, {}, std::string(inside.substr(inside.find(':') + 1))};
    for (std::string_view base : {"IX", "IY", "SP"}) {
        std::string_view text = TrimBlanks(inside);
        if (upper.size() > 2 && upper.starts_with(base) && (upper[2] == '+' || upper[2] == '-'))
            return {WrittenOperand::kIndexed, std::string(base), std::string(text.substr(2))};
    }
    return {WrittenOperand::kMemory, {}, std::string(inside)};
}

}  // namespace

bool WrittenOperand::Fits(const FormOperand& formOperand) const {
    switch (formOperand.kind) {
        case OperandKind::kFixed:
            return kind == kWord && word == formOperand.text;
        case OperandKind::kByte:
        case OperandKind::kWord:
            return kind == kImmediate;
        case OperandKind::kAddress:
        case OperandKind::kVector:
            return kind == kMemory;
        case OperandKind::kPage:
            return kind == kPage;
        case OperandKind::kIndexed:
            return kind == kIndexed && word == formOperand.base;
        case OperandKind::kShortJump:
        case OperandKind::kLongJump:
            return kind == kBare;
    }
    return false;
}

std::string WrittenOperand::Shape() const {
    switch (kind) {
        case kWord:
            return word;
        case kImmediate:
            return "#nn";
        case kMemory:
            return "[hhll]";
        case kPage:
            return "[BR:ll]";
        case kIndexed:
            return "[" + word + "+dd]";
        case kBare:
            break;
    }
    return expression;
}

Result<std::vector<WrittenOperand>> ReadOperands(std::string_view text) {
    std::vector<WrittenOperand> operands;
    if (TrimBlanks(text).empty())
        return operands;
    for (const std::string& item : SplitList(text)) {
        if (item.empty())
            return Diagnostic{{}, 0, "empty operand"};
        std::string upper = ToUpperAscii(item);
        if (item[0] == '#')
            operands.push_back({WrittenOperand::kImmediate, {}, item.substr(1)});
        else if (item.front() == '[' && item.back() == ']')
            operands.push_back(ReadBracketed(std::string_view(item).substr(1, item.size() - 2)));
        else if (IsOperandWord(upper))
            operands.push_back({WrittenOperand::kWord, upper, {}});
        else
            operands.push_back({WrittenOperand::kBare, {}, item});
    }
    return operands;
}

}  // namespace cuffware::toolchain
