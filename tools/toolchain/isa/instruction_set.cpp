#include "toolchain/isa/instruction_set.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/text_file.h"
#include "platform/text_rules.h"

namespace cuffware::toolchain {

namespace {

constexpr std::string_view kTable =
#include "instruction_table_text.inc"
    ;

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    // Room at once for the parts: every program that reads a source reads
    // the table's 600 rows first, three splits each.
    parts.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), separator)) + 1);
    size_t start = 0;
    for (size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

// A word of at most eight characters packed into one number, a byte each
// (upper-cased when asked), so words compare as numbers; nullopt for a
// longer word (no mnemonic is) and for one with a zero byte, which would
// pack as the word without it.
constexpr std::optional<uint64_t> PackedWord(std::string_view word, bool upperCase) {
    if (word.empty() || word.size() > 8)
        return std::nullopt;
    uint64_t key = 0;
    for (char c : word) {
        if (c == '\0')
            return std::nullopt;
        if (upperCase && c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        key = key << 8 | static_cast<unsigned char>(c);
    }
    return key;
}

std::optional<uint64_t> MnemonicKey(std::string_view word) {
    return PackedWord(word, true);
}

std::optional<int> HexByte(std::string_view text) {
    if (text.size() != 2)
        return std::nullopt;
    int value = 0;
    for (char c : text) {
        int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + digit;
    }
    return value;
}

FormOperand ReadOperand(std::string_view text) {
    const OperandKindRow* row = OperandKindOf(text);
    if (!row)
        return {OperandKind::kFixed, std::string(text), {}, nullptr};
    return {row->kind, std::string(text), std::string(row->base), row};
}

std::vector<InstructionForm> ReadTable() {
    std::vector<std::string_view> rows = SplitLines(kTable);
    std::vector<InstructionForm> forms;
    forms.reserve(rows.size());
    for (std::string_view row : rows) {
        if (std::optional<InstructionForm> form = ReadFormRow(row))
            forms.push_back(std::move(*form));
    }
    return forms;
}

constexpr std::array<std::string_view, 41> kOperandWords = {
    "A",  "B",  "L",  "H",  "BA", "HL",  "IX",  "IY", "SP", "PC",  "BR",  "EP",  "XP",  "YP",
    "NB", "CB", "SC", "IP", "CC", "ALL", "ALE", "C",  "NC", "Z",   "NZ",  "V",   "NV",  "M",
    "P",  "LT", "LE", "GT", "GE", "F0",  "F1",  "F2", "F3", "NF0", "NF1", "NF2", "NF3",
};
// Packed, for IsOperandWord: every operand of every line asks.
constexpr std::array<uint64_t, kOperandWords.size()> kPackedOperandWords = [] {
    std::array<uint64_t, kOperandWords.size()> packed{};
    for (size_t i = 0; i < kOperandWords.size(); ++i)
        packed[i] = *PackedWord(kOperandWords[i], false);
    return packed;
}();

}  // namespace

std::optional<InstructionForm> ReadFormRow(std::string_view row) {
    std::vector<std::string_view> columns = Split(row, '\t');
    if (columns.size() < 5 || columns[0] == "mnemonic" || columns[0].empty())
        return std::nullopt;
    InstructionForm form;
    form.mnemonic = columns[0];
    if (!columns[1].empty()) {
        for (std::string_view operand : Split(columns[1], ','))
            form.operands.push_back(ReadOperand(operand));
    }
    for (std::string_view token : Split(columns[2], ' ')) {
        std::optional<int> byte = HexByte(token);
        if (byte && form.fields.empty())
            form.opcode.push_back(static_cast<unsigned char>(*byte));
        else
            form.fields.emplace_back(token);
    }
    for (FormOperand& operand : form.operands) {
        if (operand.row) {
            auto field = std::find(form.fields.begin(), form.fields.end(), operand.row->low);
            operand.fieldOffset =
                form.opcode.size() + static_cast<size_t>(field - form.fields.begin());
        }
    }
    form.length = std::atoi(std::string(columns[3]).c_str());
    form.cycles = columns[4];
    form.written = form.mnemonic;
    for (size_t i = 0; i < form.operands.size(); ++i)
        form.written += (i == 0 ? " " : ",") + form.operands[i].text;
    if (form.opcode.empty() ||
        form.length != static_cast<int>(form.opcode.size() + form.fields.size()))
        return std::nullopt;
    return form;
}

std::span<const InstructionForm> InstructionForms() {
    // Never destroyed: a program's exit need not free the strings of 600
    // forms one by one (a tenth of a small assembly's instructions).
    static const std::vector<InstructionForm>& forms = *new std::vector(ReadTable());
    return forms;
}

namespace {

// The forms of the mnemonic whose upper-case characters pack as key. The
// index is keyed by that number, made without a string, and hashed into a
// table of slots with room to spare (a slot's key tells whether it is the
// mnemonic's; the next slot is tried when it is another's). Apart from
// FormsOf, which asks only when its kept answer is another word's (not
// inlined there, so the answer kept costs no frame of the index's).
[[gnu::noinline]] std::span<const InstructionForm* const> FormsOfKey(uint64_t key) {
    struct Slot {
        uint64_t key = 0;  // no mnemonic packs as 0
        std::vector<const InstructionForm*> forms;
    };
    static constexpr size_t kSlots = 512;  // a power of two, over four times the mnemonics
    static constexpr auto kSlotOf = [](uint64_t key) {
        return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 55) & (kSlots - 1);
    };
    static const std::vector<Slot> byMnemonic = [] {
        std::vector<Slot> index(kSlots);
        for (const InstructionForm& form : InstructionForms()) {
            uint64_t formKey = *MnemonicKey(form.mnemonic);
            size_t slot = kSlotOf(formKey);
            while (index[slot].key != 0 && index[slot].key != formKey)
                slot = (slot + 1) & (kSlots - 1);
            index[slot].key = formKey;
            index[slot].forms.push_back(&form);
        }
        return index;
    }();
    for (size_t slot = kSlotOf(key); byMnemonic[slot].key != 0; slot = (slot + 1) & (kSlots - 1)) {
        if (byMnemonic[slot].key == key)
            return byMnemonic[slot].forms;
    }
    return {};
}

}  // namespace

std::span<const InstructionForm* const> FormsOf(std::string_view mnemonic) {
    // Every line asks, twice a pass, and a line asks about its mnemonic as
    // written more than once in a row: the last answer is kept for the same
    // characters, packed as they are (a word that does not pack, too long
    // or with a zero byte, has no forms).
    struct Answer {
        uint64_t written = 0;  // 0: nothing kept
        std::span<const InstructionForm* const> forms;
    };
    thread_local Answer last;
    std::optional<uint64_t> written = PackedWord(mnemonic, false);
    if (!written)
        return {};
    if (*written != last.written)
        last = {*written, FormsOfKey(*MnemonicKey(mnemonic))};  // packs as the written word did
    return last.forms;
}

const InstructionForm* FormAt(std::span<const unsigned char> bytes) {
    // Index 0-255: the first-byte map; 256-511: behind CE; 512-767: behind CF.
    static const std::array<const InstructionForm*, 768> byCode = [] {
        std::array<const InstructionForm*, 768> index{};
        for (const InstructionForm& form : InstructionForms()) {
            size_t slot = form.opcode.size() == 1
                              ? form.opcode[0]
                              : (form.opcode[0] == 0xCE ? 256u : 512u) + form.opcode[1];
            index[slot] = &form;
        }
        return index;
    }();
    if (bytes.empty())
        return nullptr;
    if (bytes[0] != 0xCE && bytes[0] != 0xCF)
        return byCode[bytes[0]];
    if (bytes.size() < 2)
        return nullptr;
    return byCode[(bytes[0] == 0xCE ? 256u : 512u) + bytes[1]];
}

namespace {

// The operand words hashed by their packed form into a table of slots with
// room to spare, each the word's index + 1 (0: empty): every operand of
// every line asks, and most operands (numbers, names) are no such word.
constexpr size_t kOperandWordSlots = 128;

constexpr size_t OperandWordSlot(uint64_t packed) {
    return static_cast<size_t>((packed * 0x9E3779B97F4A7C15ull) >> 57);  // 7 bits: 128 slots
}

constexpr std::array<uint8_t, kOperandWordSlots> kOperandWordTable = [] {
    std::array<uint8_t, kOperandWordSlots> table{};
    for (size_t i = 0; i < kPackedOperandWords.size(); ++i) {
        size_t slot = OperandWordSlot(kPackedOperandWords[i]);
        while (table[slot] != 0)
            slot = (slot + 1) % kOperandWordSlots;
        table[slot] = static_cast<uint8_t>(i + 1);
    }
    return table;
}();

std::string_view OperandWordPacked(std::optional<uint64_t> packed) {
    if (!packed)
        return {};
    for (size_t slot = OperandWordSlot(*packed); kOperandWordTable[slot] != 0;
         slot = (slot + 1) % kOperandWordSlots) {
        size_t index = kOperandWordTable[slot] - 1u;
        if (kPackedOperandWords[index] == *packed)
            return kOperandWords[index];
    }
    return {};
}

}  // namespace

bool IsOperandWord(std::string_view upperWord) {
    return !OperandWordPacked(PackedWord(upperWord, false)).empty();
}

std::string_view OperandWord(std::string_view word) {
    return OperandWordPacked(PackedWord(word, true));
}

}  // namespace cuffware::toolchain
