#include "toolchain/instruction_table.h"

#include <algorithm>
#include <array>

#include "project/text_rules.h"

namespace cuffware::toolchain {

namespace {

constexpr std::array<Instruction, 40> kInstructions = {{
    {"ADC", 2, 0x08},  {"ADD", 2, 0x00},  {"AND", 2, 0x20},  {"BIT", 2, 0x64},  {"CALL", 3, 0xFB},
    {"CARL", 3, 0xF2}, {"CARS", 2, 0xE0}, {"CP", 2, 0x30},   {"CPL", 2, 0xA0},  {"DEC", 1, 0x88},
    {"DIV", 2, 0xD9},  {"DJR", 2, 0xF5},  {"EX", 1, 0xCC},   {"HALT", 2, 0xAE}, {"INC", 1, 0x80},
    {"INT", 2, 0xFC},  {"JP", 2, 0xF4},   {"JRL", 3, 0xF3},  {"JRS", 2, 0xE4},  {"LD", 2, 0x40},
    {"MLT", 2, 0xD8},  {"NEG", 2, 0xA4},  {"NOP", 1, 0xFF},  {"OR", 2, 0x28},   {"POP", 1, 0xB4},
    {"PUSH", 1, 0xA8}, {"RET", 1, 0xF8},  {"RETE", 1, 0xF9}, {"RETS", 1, 0xFA}, {"RL", 2, 0x90},
    {"RR", 2, 0x94},   {"SBC", 2, 0x18},  {"SLA", 2, 0x98},  {"SLL", 2, 0x9A},  {"SLP", 2, 0xAF},
    {"SRA", 2, 0x9C},  {"SRL", 2, 0x9E},  {"SUB", 2, 0x10},  {"SWAP", 1, 0xF6}, {"XOR", 2, 0x38},
}};

// Registers and condition codes may stand in operands without being symbols.
constexpr std::array<std::string_view, 38> kOperandWords = {
    "A",  "B",  "L",  "H",  "BA", "HL", "IX", "IY", "SP",  "PC",  "BR",  "EP",  "XP",
    "YP", "NB", "CB", "SC", "IP", "C",  "NC", "Z",  "NZ",  "V",   "NV",  "M",   "P",
    "LT", "LE", "GT", "GE", "F0", "F1", "F2", "F3", "NF0", "NF1", "NF2", "NF3",
};

bool IsOperandWord(std::string_view word) {
    std::string upper = ToUpperAscii(word);
    return std::find(kOperandWords.begin(), kOperandWords.end(), upper) != kOperandWords.end();
}

}  // namespace

std::span<const Instruction> Instructions() {
    return kInstructions;
}

const Instruction* FindInstruction(std::string_view mnemonic) {
    std::string upper = ToUpperAscii(mnemonic);
    for (const Instruction& instruction : kInstructions) {
        if (instruction.mnemonic == upper)
            return &instruction;
    }
    return nullptr;
}

std::string Placeholder(const Instruction& instruction) {
    std::string bytes(static_cast<size_t>(instruction.size), static_cast<char>(0xCE));
    bytes[0] = static_cast<char>(instruction.opcode);
    return bytes;
}

Status CheckOperands(std::string_view operands, const SymbolLookup& lookup) {
    Result<std::vector<Token>> tokens = Tokenize(operands, "#[](),:+-*/");
    if (!tokens)
        return tokens.error();
    for (const Token& token : *tokens) {
        if (token.kind == Token::kNumber) {
            if (Result<long long> number = NumberValue(token.text); !number)
                return number.error();
        } else if (token.kind == Token::kIdentifier && !IsOperandWord(token.text)) {
            if (Result<long long> value = lookup(token.text); !value)
                return value.error();
        }
    }
    return Status::Ok();
}

}  // namespace cuffware::toolchain
