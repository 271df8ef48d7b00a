#include "toolchain/simulator/dispatch_table.h"

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "toolchain/simulator/semantic_groups.h"

namespace cuffware::simulator {

namespace {

using toolchain::InstructionForm;

// Group, or group and mnemonic where a group holds several operations.
Operation OperationOf(const std::string& group, const std::string& mnemonic) {
    static const std::map<std::string, Operation> kOperations = {
        {"ADD8", Operation::kAdd8},
        {"ADC8", Operation::kAdc8},
        {"SUB8", Operation::kSub8},
        {"SBC8", Operation::kSbc8},
        {"CP8", Operation::kCp8},
        {"LOGIC8/AND", Operation::kAnd8},
        {"LOGIC8/OR", Operation::kOr8},
        {"LOGIC8/XOR", Operation::kXor8},
        {"SC_WRITE/AND", Operation::kAndSc},
        {"SC_WRITE/OR", Operation::kOrSc},
        {"SC_WRITE/XOR", Operation::kXorSc},
        {"SC_WRITE/LD", Operation::kLdSc},
        {"SC_WRITE/POP", Operation::kPopSc},
        {"BIT", Operation::kBit},
        {"INC8", Operation::kInc8},
        {"DEC8", Operation::kDec8},
        {"INCDEC16/INC", Operation::kInc16},
        {"INCDEC16/DEC", Operation::kDec16},
        {"NEG", Operation::kNeg},
        {"CPL", Operation::kCpl},
        {"MLT", Operation::kMlt},
        {"DIV", Operation::kDiv},
        {"SLA", Operation::kSla},
        {"SLL", Operation::kSll},
        {"SRA", Operation::kSra},
        {"SRL", Operation::kSrl},
        {"RL", Operation::kRl},
        {"RLC", Operation::kRlc},
        {"RR", Operation::kRr},
        {"RRC", Operation::kRrc},
        {"SWAP", Operation::kSwap},
        {"PACK", Operation::kPack},
        {"UPCK", Operation::kUpck},
        {"SEP", Operation::kSep},
        {"ADD16", Operation::kAdd16},
        {"ADC16", Operation::kAdc16},
        {"SUB16", Operation::kSub16},
        {"SBC16", Operation::kSbc16},
        {"CP16", Operation::kCp16},
        {"LD8", Operation::kLd8},
        {"LD_NB", Operation::kLdNb},
        {"LD_PAGE", Operation::kLd8},
        {"LD16", Operation::kLd16},
        {"LD_PC", Operation::kLdPc},
        {"EX", Operation::kEx},
        {"PUSH", Operation::kPush},
        {"PUSH_ALL", Operation::kPushAll},
        {"POP", Operation::kPop},
        {"POP_ALL", Operation::kPopAll},
        {"JR", Operation::kJump},
        {"JR_CC", Operation::kJump},
        {"JP_HL", Operation::kJumpHl},
        {"JP_KK", Operation::kJumpVector},
        {"DJR", Operation::kDjr},
        {"CALL_REL", Operation::kCall},
        {"CALL_REL_CC", Operation::kCall},
        {"CALL_IND", Operation::kCallVector},
        {"RET", Operation::kRet},
        {"RETE", Operation::kRete},
        {"RETS", Operation::kRets},
        {"INT", Operation::kInt},
        {"NOP", Operation::kNop},
        {"HALT", Operation::kHalt},
        {"SLP", Operation::kSlp},
    };
    if (auto it = kOperations.find(group + "/" + mnemonic); it != kOperations.end())
        return it->second;
    if (auto it = kOperations.find(group); it != kOperations.end())
        return it->second;
    return Operation::kUndefined;
}

Operand OperandOf(const std::string& text) {
    static const std::map<std::string, Operand> kOperands = {
        {"A", Operand::kA},       {"B", Operand::kB},          {"L", Operand::kL},
        {"H", Operand::kH},       {"BR", Operand::kBR},        {"SC", Operand::kSC},
        {"NB", Operand::kNB},     {"EP", Operand::kEP},        {"XP", Operand::kXP},
        {"YP", Operand::kYP},     {"BA", Operand::kBA},        {"HL", Operand::kHL},
        {"IX", Operand::kIX},     {"IY", Operand::kIY},        {"SP", Operand::kSP},
        {"PC", Operand::kPC},     {"IP", Operand::kIP},        {"ALL", Operand::kAll},
        {"ALE", Operand::kAle},   {"[HL]", Operand::kAtHL},    {"[IX]", Operand::kAtIX},
        {"[IY]", Operand::kAtIY}, {"[IX+L]", Operand::kAtIXL}, {"[IY+L]", Operand::kAtIYL},
    };
    auto it = kOperands.find(text);
    return it == kOperands.end() ? Operand::kNone : it->second;
}

// A placeholder's operand, from what the operand-kind table says it is.
Operand OperandOf(const toolchain::FormOperand& operand) {
    using toolchain::OperandKind;
    switch (operand.kind) {
        case OperandKind::kFixed:
            return OperandOf(operand.text);
        case OperandKind::kByte:
            return Operand::kByte;
        case OperandKind::kWord:
            return Operand::kWord;
        case OperandKind::kAddress:
            return Operand::kAtAddress;
        case OperandKind::kVector:
            return Operand::kVector;
        case OperandKind::kPage:
            return Operand::kAtPage;
        case OperandKind::kIndexed:
            return operand.base == "IX"   ? Operand::kAtIXd
                   : operand.base == "IY" ? Operand::kAtIYd
                                          : Operand::kAtSPd;
        case OperandKind::kShortJump:
            return Operand::kShortTarget;
        case OperandKind::kLongJump:
            return Operand::kLongTarget;
    }
    return Operand::kNone;
}

std::optional<Condition> ConditionOf(const std::string& text) {
    static const std::map<std::string, Condition> kConditions = {
        {"C", Condition::kC},     {"NC", Condition::kNC},   {"Z", Condition::kZ},
        {"NZ", Condition::kNZ},   {"LT", Condition::kLT},   {"LE", Condition::kLE},
        {"GT", Condition::kGT},   {"GE", Condition::kGE},   {"V", Condition::kV},
        {"NV", Condition::kNV},   {"P", Condition::kP},     {"M", Condition::kM},
        {"F0", Condition::kF0},   {"F1", Condition::kF1},   {"F2", Condition::kF2},
        {"F3", Condition::kF3},   {"NF0", Condition::kNF0}, {"NF1", Condition::kNF1},
        {"NF2", Condition::kNF2}, {"NF3", Condition::kNF3},
    };
    auto it = kConditions.find(text);
    return it == kConditions.end() ? std::nullopt : std::optional<Condition>(it->second);
}

bool IsBranch(Operation operation) {
    return operation == Operation::kJump || operation == Operation::kCall ||
           operation == Operation::kDjr;
}

bool IsFramed(Operation operation) {
    return operation == Operation::kCall || operation == Operation::kCallVector ||
           operation == Operation::kRet || operation == Operation::kRete ||
           operation == Operation::kRets || operation == Operation::kInt;
}

uint8_t ModelsOf(const InstructionForm& form, Operation operation) {
    if (operation == Operation::kMlt || operation == Operation::kDiv)
        return 0x0A;  // MODEL1 and MODEL3
    for (const toolchain::FormOperand& operand : form.operands) {
        const Operand op = OperandOf(operand.text);
        if (op == Operand::kNB || op == Operand::kEP || op == Operand::kXP || op == Operand::kYP ||
            op == Operand::kIP || op == Operand::kAle)
            return 0x0C;  // MODEL2 and MODEL3
    }
    return kAllModels;
}

DispatchEntry EntryOf(const InstructionForm& form) {
    DispatchEntry entry;
    const SemanticGroup* group = GroupOf(form);
    if (!group)
        return entry;
    entry.operation = OperationOf(group->name, form.mnemonic);
    entry.form = &form;
    entry.length = static_cast<uint8_t>(form.length);
    Operand* slots[2] = {&entry.first, &entry.second};
    size_t slot = 0;
    for (size_t i = 0; i < form.operands.size() && slot < 2; ++i) {
        const std::string& text = form.operands[i].text;
        std::optional<Condition> condition =
            IsBranch(entry.operation) ? ConditionOf(text) : std::nullopt;
        // "DJR NZ,rr": the condition is the instruction's own (B not 0).
        if (condition && entry.operation != Operation::kDjr)
            entry.condition = *condition;
        else if (!condition)
            *slots[slot++] = OperandOf(form.operands[i]);
    }
    const std::string& cycles = form.cycles;
    entry.cycles = static_cast<uint8_t>(std::atoi(cycles.c_str()));
    const size_t colon = cycles.find(':');
    entry.cyclesNotTaken = colon == std::string::npos
                               ? entry.cycles
                               : static_cast<uint8_t>(std::atoi(cycles.c_str() + colon + 1));
    entry.models = ModelsOf(form, entry.operation);
    entry.framed = IsFramed(entry.operation);
    return entry;
}

size_t SlotOf(const InstructionForm& form) {
    if (form.opcode.size() == 1)
        return form.opcode[0];
    return (form.opcode[0] == 0xCE ? 256u : 512u) + form.opcode[1];
}

}  // namespace

const DispatchTable& Dispatch() {
    static const DispatchTable table = [] {
        DispatchTable built{};
        for (const InstructionForm& form : toolchain::InstructionForms())
            built[SlotOf(form)] = EntryOf(form);
        return built;
    }();
    return table;
}

}  // namespace cuffware::simulator
