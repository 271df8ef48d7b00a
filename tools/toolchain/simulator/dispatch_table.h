#pragma once
// The processor's decoder: one entry for each operation code of the first
// byte map and of the pages behind CE and CF (768 in all), built once from
// the instruction table and the semantic groups, so a step is one lookup.

#include <array>
#include <cstdint>

#include "toolchain/isa/instruction_set.h"

namespace cuffware::simulator {

enum class Operation : uint8_t {
    kUndefined,
    kAdd8,
    kAdc8,
    kSub8,
    kSbc8,
    kCp8,
    kAnd8,
    kOr8,
    kXor8,
    kAndSc,
    kOrSc,
    kXorSc,
    kLdSc,
    kPopSc,
    kBit,
    kInc8,
    kDec8,
    kInc16,
    kDec16,
    kNeg,
    kCpl,
    kMlt,
    kDiv,
    kSla,
    kSll,
    kSra,
    kSrl,
    kRl,
    kRlc,
    kRr,
    kRrc,
    kSwap,
    kPack,
    kUpck,
    kSep,
    kAdd16,
    kAdc16,
    kSub16,
    kSbc16,
    kCp16,
    kLd8,
    kLdNb,
    kLd16,
    kLdPc,
    kEx,
    kPush,
    kPushAll,
    kPop,
    kPopAll,
    kJump,
    kJumpHl,
    kJumpVector,
    kDjr,
    kCall,
    kCallVector,
    kRet,
    kRete,
    kRets,
    kInt,
    kNop,
    kHalt,
    kSlp,
};
inline constexpr size_t kOperationCount = static_cast<size_t>(Operation::kSlp) + 1;

// Where an operand is: a register, an immediate, a memory operand (its
// address formed from the operand bytes and registers), a branch target.
enum class Operand : uint8_t {
    kNone,
    kA,
    kB,
    kL,
    kH,
    kBR,
    kSC,
    kNB,
    kEP,
    kXP,
    kYP,
    kBA,
    kHL,
    kIX,
    kIY,
    kSP,
    kPC,
    kIP,
    kAll,
    kAle,
    kByte,
    kWord,
    kAtHL,
    kAtPage,
    kAtAddress,
    kAtIX,
    kAtIY,
    kAtIXd,
    kAtIYd,
    kAtIXL,
    kAtIYL,
    kAtSPd,
    kVector,
    kShortTarget,
    kLongTarget,
};

enum class Condition : uint8_t {
    kAlways,
    kC,
    kNC,
    kZ,
    kNZ,
    kLT,
    kLE,
    kGT,
    kGE,
    kV,
    kNV,
    kP,
    kM,
    kF0,
    kF1,
    kF2,
    kF3,
    kNF0,
    kNF1,
    kNF2,
    kNF3,
};

// Models as bits: 1 << 0 for MODEL0 ... 1 << 3 for MODEL3.
inline constexpr uint8_t kAllModels = 0x0F;

struct DispatchEntry {
    Operation operation = Operation::kUndefined;
    Operand first = Operand::kNone;
    Operand second = Operand::kNone;
    Condition condition = Condition::kAlways;
    uint8_t length = 0;
    uint8_t cycles = 0;          // taken, for calls
    uint8_t cyclesNotTaken = 0;  // the same for every form but a conditional call
    uint8_t models = 0;          // where the form is defined
    bool framed = false;         // stacks CB in max mode: one cycle less in min mode
    const toolchain::InstructionForm* form = nullptr;
};

// Index: the code for the first-byte map, 256 + code behind CE, 512 + code
// behind CF.
using DispatchTable = std::array<DispatchEntry, 768>;
const DispatchTable& Dispatch();

}  // namespace cuffware::simulator
