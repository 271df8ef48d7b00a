#include "toolchain/isa/encoder.h"

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <unordered_map>

#include "platform/text_rules.h"
#include "toolchain/assembler/quoted_text.h"
#include "toolchain/isa/instruction_set.h"
#include "toolchain/isa/operand_text.h"

namespace cuffware::toolchain {

namespace {

Diagnostic Problem(std::string message) {
    return Diagnostic{{}, 0, std::move(message)};
}

bool Fits(const InstructionForm& form, const std::vector<WrittenOperand>& operands) {
    if (form.operands.size() != operands.size())
        return false;
    for (size_t i = 0; i < operands.size(); ++i) {
        if (!operands[i].Fits(form.operands[i]))
            return false;
    }
    return true;
}

const InstructionForm* FirstFitting(std::span<const InstructionForm* const> forms,
                                    const std::vector<WrittenOperand>& operands) {
    auto first = std::find_if(forms.begin(), forms.end(),
                              [&](const InstructionForm* form) { return Fits(*form, operands); });
    return first == forms.end() ? nullptr : *first;
}

// A mnemonic's forms and the kind and word of each of up to two operands.
// The words are the instruction table's own (ReadOperands): the same word
// is the same characters, compared by their place.
struct Shape {
    const void* forms = nullptr;
    std::array<WrittenOperand::Kind, 2> kinds{};
    std::array<const char*, 2> words{};
    size_t count = 0;

    bool operator==(const Shape&) const = default;
};

struct ShapeHash {
    size_t operator()(const Shape& shape) const {
        size_t hash = std::hash<const void*>()(shape.forms) ^ shape.count;
        for (size_t i = 0; i < shape.count; ++i) {
            hash = hash * 31 + static_cast<size_t>(shape.kinds[i]);
            hash = hash * 31 + std::hash<const void*>()(shape.words[i]);
        }
        return hash;
    }
};

// The first of forms that the operands fit, or nullptr. Fitting depends only
// on each operand's kind and word, and a source repeats a few shapes of
// each mnemonic over and over: the choice is kept per shape.
const InstructionForm* ChooseForm(std::span<const InstructionForm* const> forms,
                                  const std::vector<WrittenOperand>& operands) {
    thread_local std::unordered_map<Shape, const InstructionForm*, ShapeHash> chosen;
    Shape shape{.forms = forms.data(), .count = operands.size()};
    if (shape.count > shape.kinds.size())
        return FirstFitting(forms, operands);  // no form takes so many
    for (size_t i = 0; i < shape.count; ++i) {
        shape.kinds[i] = operands[i].kind;
        bool hasWord = operands[i].kind == WrittenOperand::kWord ||
                       operands[i].kind == WrittenOperand::kIndexed;
        shape.words[i] = hasWord ? operands[i].word.data() : nullptr;
    }
    if (auto known = chosen.find(shape); known != chosen.end())
        return known->second;
    const InstructionForm* form = FirstFitting(forms, operands);
    chosen.emplace(shape, form);
    return form;
}

Diagnostic NoSuchForm(std::string_view mnemonic, std::span<const InstructionForm* const> forms,
                      const std::vector<WrittenOperand>& operands) {
    std::string name = ToUpperAscii(mnemonic);
    bool takesNone = std::all_of(forms.begin(), forms.end(), [](const InstructionForm* form) {
        return form->operands.empty();
    });
    if (takesNone)
        return Problem(name + " takes no operand");
    std::string written = name;
    for (size_t i = 0; i < operands.size(); ++i)
        written += (i == 0 ? " " : ",") + Shortened(operands[i].Shape());
    return Problem("no instruction " + written);
}

}  // namespace

bool IsMnemonic(std::string_view mnemonic) {
    return !FormsOf(mnemonic).empty();
}

Status PlaceValue(const Value& value, FieldKind kind, std::optional<long long> fieldAddress,
                  size_t offset, const std::string& what, Encoded& encoded) {
    bool isJump = kind == FieldKind::kShortJump || kind == FieldKind::kLongJump;
    if (!value.Known() || (isJump && !fieldAddress)) {
        encoded.fixups.push_back({offset, kind, value, what});
        return Status::Ok();
    }
    Status put = PutField(kind, value.number, fieldAddress.value_or(0), encoded.bytes, offset);
    if (!put)
        return Problem(what + " " + put.error().message);
    return Status::Ok();
}

namespace {

struct WrittenInstruction {
    const InstructionForm* form;
    const std::vector<WrittenOperand>* operands;  // valid until the next line is read
};

// operand with its expression, a view of from, made the same part of to.
WrittenOperand Rebased(WrittenOperand operand, std::string_view from, std::string_view to) {
    if (operand.expression.data() != nullptr)
        operand.expression = to.substr(static_cast<size_t>(operand.expression.data() - from.data()),
                                       operand.expression.size());
    return operand;
}

// An instruction read from its operands' text, kept for the next line that
// writes the same text with a mnemonic of the same forms. The operands'
// expressions view the kept copy of the text, which stays where it is.
struct KeptInstruction {
    const void* forms = nullptr;  // the mnemonic's forms; nullptr: nothing kept
    std::string operandText;
    const InstructionForm* form = nullptr;
    std::array<WrittenOperand, 2> operands;  // the most a form takes
    size_t count = 0;

    bool Holds(std::span<const InstructionForm* const> mnemonicForms, std::string_view text) const {
        return forms != nullptr && forms == mnemonicForms.data() && operandText == text;
    }

    // The kept operands into written, their expressions viewing text.
    void CopyTo(std::string_view text, std::vector<WrittenOperand>& written) const {
        written.clear();
        for (size_t i = 0; i < count; ++i)
            written.push_back(Rebased(operands[i], operandText, text));
    }

    void Keep(std::span<const InstructionForm* const> mnemonicForms, std::string_view text,
              const InstructionForm* chosen, const std::vector<WrittenOperand>& read) {
        forms = mnemonicForms.data();
        operandText = text;
        form = chosen;
        count = read.size();
        for (size_t i = 0; i < count; ++i)
            operands[i] = Rebased(read[i], text, operandText);
    }
};

// A source writes the same operands over and over ("A,[HL]", "A,#12h"),
// and each instruction line is read in both passes: the instructions last
// read are kept in slots by their text, so such a text is taken apart once.
KeptInstruction& KeptSlot(std::span<const InstructionForm* const> forms, std::string_view text) {
    static constexpr size_t kSlots = 256;  // a power of two
    thread_local std::array<KeptInstruction, kSlots> kept;
    size_t hash = std::hash<std::string_view>()(text) ^ std::hash<const void*>()(forms.data());
    return kept[hash & (kSlots - 1)];
}

// The form that the operands as written take, and the operands.
Result<WrittenInstruction> ReadInstruction(std::string_view mnemonic,
                                           std::string_view operandText) {
    // One vector for every line's operands: no room taken per line.
    thread_local std::vector<WrittenOperand> operands;
    std::span<const InstructionForm* const> forms = FormsOf(mnemonic);
    KeptInstruction& kept = KeptSlot(forms, operandText);
    if (kept.Holds(forms, operandText)) {
        kept.CopyTo(operandText, operands);
        return WrittenInstruction{kept.form, &operands};
    }
    if (Status read = ReadOperandsInto(operandText, operands); !read)
        return read.error();
    const InstructionForm* chosen = ChooseForm(forms, operands);
    if (!chosen)
        return NoSuchForm(mnemonic, forms, operands);
    if (operands.size() <= kept.operands.size())
        kept.Keep(forms, operandText, chosen, operands);
    return WrittenInstruction{chosen, &operands};
}

}  // namespace

Result<int> InstructionLength(std::string_view mnemonic, std::string_view operands) {
    Result<WrittenInstruction> instruction = ReadInstruction(mnemonic, operands);
    if (!instruction)
        return instruction.error();
    return instruction->form->length;
}

Result<Encoded> EncodeInstruction(std::string_view mnemonic, std::string_view operandText,
                                  std::optional<long long> address, const ExpressionReader& read) {
    Result<WrittenInstruction> instruction = ReadInstruction(mnemonic, operandText);
    if (!instruction)
        return instruction.error();
    const InstructionForm& form = *instruction->form;
    const std::vector<WrittenOperand>& operands = *instruction->operands;

    Encoded encoded;
    encoded.bytes.resize(static_cast<size_t>(form.length), '\0');
    std::copy(form.opcode.begin(), form.opcode.end(), encoded.bytes.begin());
    for (size_t i = 0; i < form.operands.size(); ++i) {
        const OperandKindRow* row = form.operands[i].row;
        if (!row)
            continue;
        FieldKind kind = row->field;
        size_t offset = form.operands[i].fieldOffset;
        Result<Value> value = read(operands[i].expression);
        if (!value)
            return value.error();
        std::optional<long long> fieldAddress;
        if (address)
            fieldAddress = *address + static_cast<long long>(offset);
        if (Status placed = PlaceValue(*value, kind, fieldAddress, offset, form.Written(), encoded);
            !placed)
            return placed.error();
    }
    return encoded;
}

}  // namespace cuffware::toolchain
