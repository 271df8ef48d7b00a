// One instruction: its operands resolved to registers, immediates and
// addresses, then the function of its operation, the operations grouped
// below as arithmetic, logic and bits, loads, the stack and branches.
#include "toolchain/isa/operand_kind.h"
#include "toolchain/simulator/arithmetic.h"
#include "toolchain/simulator/machine.h"

namespace cuffware::simulator {

namespace {

constexpr uint8_t kZCVN = kFlagZ | kFlagC | kFlagV | kFlagN;
constexpr uint8_t kZCN = kFlagZ | kFlagC | kFlagN;
constexpr uint8_t kZN = kFlagZ | kFlagN;

uint8_t Flag(bool set, uint8_t bit) {
    return set ? bit : 0;
}

uint16_t Word(const uint8_t* field) {
    return static_cast<uint16_t>(field[0] | field[1] << 8);
}

bool IsByteRegister(Operand operand) {
    return operand >= Operand::kA && operand <= Operand::kYP;
}

}  // namespace

uint8_t Machine::Load8(uint32_t address) {
    uint8_t marks;
    const uint8_t value = memory_.Load(address, marks);
    if (!(marks & (kMarkSet | kMarkWarned))) [[unlikely]]
        Warn(Warning::Kind::kUninitialisedRead, address);
    return value;
}

void Machine::Store8(uint32_t address, uint8_t value) {
    const uint8_t marks = memory_.Store(address, value);
    if ((marks & (kMarkProgram | kMarkWarned)) == kMarkProgram)
        Warn(Warning::Kind::kCodeWrite, address);
    if (entry_->writeCount < std::size(entry_->writes))
        entry_->writes[entry_->writeCount++] = {address, value};
}

static uint32_t Following(uint32_t address) {
    return (address & 0xFF0000) | ((address + 1) & 0xFFFF);
}

uint16_t Machine::Load16(uint32_t address) {
    const uint8_t low = Load8(address);
    return static_cast<uint16_t>(low | Load8(Following(address)) << 8);
}

void Machine::Store16(uint32_t address, uint16_t value) {
    Store8(address, static_cast<uint8_t>(value));
    Store8(Following(address), static_cast<uint8_t>(value >> 8));
}

void Machine::Push(uint8_t value) {
    --registers_.sp;
    Store8(registers_.sp, value);
}

uint8_t Machine::Pop() {
    return Load8(registers_.sp++);
}

void Machine::Jump(uint16_t target) {
    registers_.pc = target;
    if (banked_)
        registers_.cb = registers_.nb;
}

void Machine::NotTaken() {
    if (banked_)
        registers_.nb = registers_.cb;
}

void Machine::CallTo(uint16_t target, uint16_t returnAddress) {
    if (maxFrames_)
        Push(registers_.cb);
    Push(static_cast<uint8_t>(returnAddress >> 8));
    Push(static_cast<uint8_t>(returnAddress));
    Jump(target);
}

void Machine::Return() {
    const uint8_t low = Pop();
    registers_.pc = static_cast<uint16_t>(low | Pop() << 8);
    if (maxFrames_)
        registers_.cb = Pop();
    if (banked_)
        registers_.nb = registers_.cb;
}

void Machine::Enter(uint8_t vector, int level, uint16_t returnAddress) {
    if (maxFrames_)
        Push(registers_.cb);
    Push(static_cast<uint8_t>(returnAddress >> 8));
    Push(static_cast<uint8_t>(returnAddress));
    Push(registers_.sc);
    registers_.sc = static_cast<uint8_t>((registers_.sc & 0x3F) | level << 6);
    registers_.pc = Load16(vector);
    cycles_ += static_cast<uint64_t>(options_.exceptionCycles);
    halted_ = false;
}

Machine::Resolved Machine::Resolve(Operand operand, const uint8_t*& field, uint16_t next) const {
    const Registers& r = registers_;
    Resolved at;
    switch (operand) {
        case Operand::kByte:
        case Operand::kVector:
            at.value = *field++;
            break;
        case Operand::kWord:
            at.value = Word(field);
            field += 2;
            break;
        case Operand::kAtHL:
            at.address = DataAddress(r.ep, r.hl());
            break;
        case Operand::kAtPage:
            at.address = DataAddress(r.ep, static_cast<uint16_t>(r.br << 8 | *field++));
            break;
        case Operand::kAtAddress:
            at.address = DataAddress(r.ep, Word(field));
            field += 2;
            break;
        case Operand::kAtIX:
            at.address = DataAddress(r.xp, r.ix);
            break;
        case Operand::kAtIY:
            at.address = DataAddress(r.yp, r.iy);
            break;
        case Operand::kAtIXd:
            at.address =
                DataAddress(r.xp, static_cast<uint16_t>(r.ix + static_cast<int8_t>(*field++)));
            break;
        case Operand::kAtIYd:
            at.address =
                DataAddress(r.yp, static_cast<uint16_t>(r.iy + static_cast<int8_t>(*field++)));
            break;
        case Operand::kAtIXL:
            at.address = DataAddress(r.xp, static_cast<uint16_t>(r.ix + static_cast<int8_t>(r.l)));
            break;
        case Operand::kAtIYL:
            at.address = DataAddress(r.yp, static_cast<uint16_t>(r.iy + static_cast<int8_t>(r.l)));
            break;
        case Operand::kAtSPd:
            at.address = static_cast<uint16_t>(r.sp + static_cast<int8_t>(*field++));
            break;
        case Operand::kShortTarget:
            at.value = static_cast<uint16_t>(
                toolchain::BranchTarget(next - 1, static_cast<int8_t>(*field++)));
            break;
        case Operand::kLongTarget:
            at.value = static_cast<uint16_t>(
                toolchain::BranchTarget(next - 1, static_cast<int16_t>(Word(field))));
            field += 2;
            break;
        default:
            break;
    }
    return at;
}

uint8_t Machine::Get8(Operand operand, const Resolved& at) {
    Registers& r = registers_;
    switch (operand) {
        case Operand::kA:
            return r.a;
        case Operand::kB:
            return r.b;
        case Operand::kL:
            return r.l;
        case Operand::kH:
            return r.h;
        case Operand::kBR:
            return r.br;
        case Operand::kSC:
            return r.sc;
        case Operand::kNB:
            return r.nb;
        case Operand::kEP:
            return r.ep;
        case Operand::kXP:
            return r.xp;
        case Operand::kYP:
            return r.yp;
        case Operand::kByte:
            return static_cast<uint8_t>(at.value);
        default:
            return Load8(at.address);
    }
}

void Machine::Put8(Operand operand, const Resolved& at, uint8_t value) {
    Registers& r = registers_;
    switch (operand) {
        case Operand::kA:
            r.a = value;
            break;
        case Operand::kB:
            r.b = value;
            break;
        case Operand::kL:
            r.l = value;
            break;
        case Operand::kH:
            r.h = value;
            break;
        case Operand::kBR:
            r.br = value;
            break;
        case Operand::kSC:
            r.sc = value;
            inhibited_ = true;
            break;
        case Operand::kNB:
            r.nb = value;
            inhibited_ = true;
            break;
        case Operand::kEP:
            r.ep = value;
            break;
        case Operand::kXP:
            r.xp = value;
            break;
        case Operand::kYP:
            r.yp = value;
            break;
        default:
            Store8(at.address, value);
            break;
    }
}

uint16_t Machine::Get16(Operand operand, const Resolved& at, uint16_t next) {
    const Registers& r = registers_;
    switch (operand) {
        case Operand::kBA:
            return r.ba();
        case Operand::kHL:
            return r.hl();
        case Operand::kIX:
            return r.ix;
        case Operand::kIY:
            return r.iy;
        case Operand::kSP:
            return r.sp;
        case Operand::kPC:
            return next;
        case Operand::kWord:
            return at.value;
        default:
            return Load16(at.address);
    }
}

void Machine::Put16(Operand operand, const Resolved& at, uint16_t value) {
    Registers& r = registers_;
    switch (operand) {
        case Operand::kBA:
            r.a = static_cast<uint8_t>(value);
            r.b = static_cast<uint8_t>(value >> 8);
            break;
        case Operand::kHL:
            r.l = static_cast<uint8_t>(value);
            r.h = static_cast<uint8_t>(value >> 8);
            break;
        case Operand::kIX:
            r.ix = value;
            break;
        case Operand::kIY:
            r.iy = value;
            break;
        case Operand::kSP:
            r.sp = value;
            break;
        default:
            Store16(at.address, value);
            break;
    }
}

bool Machine::Holds(Condition condition) const {
    const uint8_t sc = registers_.sc;
    const bool z = sc & kFlagZ, c = sc & kFlagC, v = sc & kFlagV, n = sc & kFlagN;
    switch (condition) {
        case Condition::kAlways:
            return true;
        case Condition::kC:
            return c;
        case Condition::kNC:
            return !c;
        case Condition::kZ:
            return z;
        case Condition::kNZ:
            return !z;
        case Condition::kLT:
            return n != v;
        case Condition::kLE:
            return z || n != v;
        case Condition::kGT:
            return !(z || n != v);
        case Condition::kGE:
            return n == v;
        case Condition::kV:
            return v;
        case Condition::kNV:
            return !v;
        case Condition::kP:
            return !n;
        case Condition::kM:
            return n;
        case Condition::kF0:
        case Condition::kF1:
        case Condition::kF2:
        case Condition::kF3:
            return registers_.cc >>
                       (static_cast<int>(condition) - static_cast<int>(Condition::kF0)) &
                   1;
        case Condition::kNF0:
        case Condition::kNF1:
        case Condition::kNF2:
        case Condition::kNF3:
            return !(registers_.cc >>
                         (static_cast<int>(condition) - static_cast<int>(Condition::kNF0)) &
                     1);
    }
    return false;
}

void Machine::Execute(const DispatchEntry& e, const uint8_t* bytes, int prefix, uint16_t next) {
    const uint8_t* field = bytes + prefix;
    const Resolved first = Resolve(e.first, field, next);
    const Resolved second = Resolve(e.second, field, next);
    registers_.pc = next;
    cycles_ += e.cycles;
    (this->*kOperations[static_cast<size_t>(e.operation)])({e, first, second, next});
}

// Every operation has its function: one left out fails the build here.
consteval Machine::OperationTable Machine::OperationFunctions() {
    using enum Operation;
    OperationTable table{};
    std::array<bool, kOperationCount> given{};  // (member pointers compare badly under UBSan)
    auto set = [&](OperationFunction function, std::initializer_list<Operation> operations) {
        for (Operation operation : operations) {
            table[static_cast<size_t>(operation)] = function;
            given[static_cast<size_t>(operation)] = true;
        }
    };
    set(&Machine::AddSubtract8, {kAdd8, kAdc8, kSub8, kSbc8});
    set(&Machine::Compare8, {kCp8});
    set(&Machine::Negate, {kNeg});
    set(&Machine::AddSubtract16, {kAdd16, kAdc16, kSub16, kSbc16, kCp16});
    set(&Machine::IncrementDecrement8, {kInc8, kDec8});
    set(&Machine::IncrementDecrement16, {kInc16, kDec16});
    set(&Machine::Multiply, {kMlt});
    set(&Machine::Divide, {kDiv});
    set(&Machine::Logic8, {kAnd8, kOr8, kXor8});
    set(&Machine::TestBits, {kBit});
    set(&Machine::Complement, {kCpl});
    set(&Machine::Shift, {kSla, kSll, kSra, kSrl, kRl, kRlc, kRr, kRrc});
    set(&Machine::SwapNibbles, {kSwap});
    set(&Machine::Pack, {kPack});
    set(&Machine::Unpack, {kUpck});
    set(&Machine::SignExtend, {kSep});
    set(&Machine::WriteStatus, {kAndSc, kOrSc, kXorSc, kLdSc, kPopSc});
    set(&Machine::LoadByte, {kLd8});
    set(&Machine::LoadNewBank, {kLdNb});
    set(&Machine::LoadWord, {kLd16});
    set(&Machine::LoadProgramCounter, {kLdPc});
    set(&Machine::Exchange, {kEx});
    set(&Machine::PushOperand, {kPush});
    set(&Machine::PopOperand, {kPop});
    set(&Machine::PushRegisters, {kPushAll});
    set(&Machine::PopRegisters, {kPopAll});
    set(&Machine::JumpIf, {kJump});
    set(&Machine::DecrementAndJump, {kDjr});
    set(&Machine::JumpToHl, {kJumpHl});
    set(&Machine::JumpThroughVector, {kJumpVector});
    set(&Machine::CallIf, {kCall});
    set(&Machine::CallThroughVector, {kCallVector});
    set(&Machine::ReturnFrom, {kRet, kRets, kRete});
    set(&Machine::Interrupt, {kInt});
    set(&Machine::Halt, {kHalt, kSlp});
    set(&Machine::Nothing, {kNop, kUndefined});
    for (bool hasFunction : given) {
        if (!hasFunction)
            throw "an operation without its function";
    }
    return table;
}

constinit const Machine::OperationTable Machine::kOperations = OperationFunctions();

// Arithmetic.

void Machine::AddSubtract8(const Decoded& instruction) {
    const Operation operation = instruction.entry.operation;
    const bool withCarry = operation == Operation::kAdc8 || operation == Operation::kSbc8;
    const bool subtract = operation == Operation::kSub8 || operation == Operation::kSbc8;
    const uint8_t sc = registers_.sc;
    const uint8_t a = First8(instruction);
    const ByteResult result = Arithmetic8(a, Second8(instruction), withCarry && (sc & kFlagC),
                                          subtract, sc & kFlagD, sc & kFlagU);
    SetFirst8(instruction, result.value);
    SetFlags(result.flags, kZCVN);
}

void Machine::Compare8(const Decoded& instruction) {
    const uint8_t a = First8(instruction);
    SetFlags(Arithmetic8(a, Second8(instruction), false, true, false, false).flags, kZCVN);
}

void Machine::Negate(const Decoded& instruction) {
    const uint8_t sc = registers_.sc;
    const ByteResult result =
        Arithmetic8(0, First8(instruction), false, true, sc & kFlagD, sc & kFlagU);
    SetFirst8(instruction, result.value);
    SetFlags(result.flags, kZCVN);
}

void Machine::AddSubtract16(const Decoded& instruction) {
    const Operation operation = instruction.entry.operation;
    const bool withCarry = operation == Operation::kAdc16 || operation == Operation::kSbc16;
    const bool subtract = operation != Operation::kAdd16 && operation != Operation::kAdc16;
    const uint16_t a = First16(instruction);
    const WordResult result =
        Arithmetic16(a, Second16(instruction), withCarry && (registers_.sc & kFlagC), subtract);
    if (operation != Operation::kCp16)
        SetFirst16(instruction, result.value);
    SetFlags(result.flags, kZCVN);
}

void Machine::IncrementDecrement8(const Decoded& instruction) {
    const int change = instruction.entry.operation == Operation::kInc8 ? 1 : -1;
    const uint8_t value = static_cast<uint8_t>(First8(instruction) + change);
    SetFirst8(instruction, value);
    SetFlags(Flag(value == 0, kFlagZ), kFlagZ);
}

void Machine::IncrementDecrement16(const Decoded& instruction) {
    const int change = instruction.entry.operation == Operation::kInc16 ? 1 : -1;
    const uint16_t value = static_cast<uint16_t>(First16(instruction) + change);
    SetFirst16(instruction, value);
    SetFlags(Flag(value == 0, kFlagZ), kFlagZ);
}

void Machine::Multiply(const Decoded&) {
    Registers& r = registers_;
    const uint16_t product = static_cast<uint16_t>(r.l * r.a);
    r.l = static_cast<uint8_t>(product);
    r.h = static_cast<uint8_t>(product >> 8);
    SetFlags(static_cast<uint8_t>(Flag(product == 0, kFlagZ) | Flag(product & 0x8000, kFlagN)),
             kZCVN);
}

void Machine::Divide(const Decoded&) {
    Registers& r = registers_;
    if (r.a == 0) {
        zeroDivision_ = true;
        return;
    }
    const unsigned quotient = r.hl() / r.a;
    if (quotient > 0xFF) {
        SetFlags(kFlagV | kFlagN, kZCVN);
        return;
    }
    const uint8_t remainder = static_cast<uint8_t>(r.hl() % r.a);
    r.l = static_cast<uint8_t>(quotient);
    r.h = remainder;
    SetFlags(ZeroNegative8(static_cast<uint8_t>(quotient)), kZCVN);
}

// Logic and bits.

void Machine::Logic8(const Decoded& instruction) {
    const Operation operation = instruction.entry.operation;
    const uint8_t a = First8(instruction), b = Second8(instruction);
    const uint8_t value = static_cast<uint8_t>(operation == Operation::kAnd8  ? a & b
                                               : operation == Operation::kOr8 ? a | b
                                                                              : a ^ b);
    SetFirst8(instruction, value);
    SetFlags(ZeroNegative8(value), kZN);
}

void Machine::TestBits(const Decoded& instruction) {
    const uint8_t a = First8(instruction);
    SetFlags(ZeroNegative8(static_cast<uint8_t>(a & Second8(instruction))), kZN);
}

void Machine::Complement(const Decoded& instruction) {
    const uint8_t value = static_cast<uint8_t>(~First8(instruction));
    SetFirst8(instruction, value);
    SetFlags(ZeroNegative8(value), kZN);
}

// The bit a shift or rotation moves in: the carry (RL, RR), the bit moved
// out (RLC, RRC), the sign (SRA), or 0.
static uint8_t ShiftedIn(Operation operation, uint8_t x, bool out, bool carry) {
    switch (operation) {
        case Operation::kRl:
        case Operation::kRr:
            return carry;
        case Operation::kRlc:
        case Operation::kRrc:
            return out;
        case Operation::kSra:
            return x >> 7;
        default:
            return 0;
    }
}

void Machine::Shift(const Decoded& instruction) {
    const Operation operation = instruction.entry.operation;
    const uint8_t x = First8(instruction);
    const bool left = operation == Operation::kSla || operation == Operation::kSll ||
                      operation == Operation::kRl || operation == Operation::kRlc;
    const bool out = left ? x & 0x80 : x & 0x01;
    const uint8_t in = ShiftedIn(operation, x, out, registers_.sc & kFlagC);
    const uint8_t value = static_cast<uint8_t>(left ? x << 1 | in : x >> 1 | in << 7);
    uint8_t flags = static_cast<uint8_t>(ZeroNegative8(value) | Flag(out, kFlagC));
    if (operation == Operation::kSla)
        flags |= Flag((x ^ x << 1) & 0x80, kFlagV);
    const bool arithmetic = operation == Operation::kSla || operation == Operation::kSra;
    SetFirst8(instruction, value);
    SetFlags(flags, arithmetic ? kZCVN : kZCN);
}

void Machine::SwapNibbles(const Decoded& instruction) {
    const uint8_t x = First8(instruction);
    SetFirst8(instruction, static_cast<uint8_t>(x << 4 | x >> 4));
}

void Machine::Pack(const Decoded&) {
    registers_.a = static_cast<uint8_t>((registers_.b & 0x0F) << 4 | (registers_.a & 0x0F));
}

void Machine::Unpack(const Decoded&) {
    registers_.b = registers_.a >> 4;
    registers_.a &= 0x0F;
}

void Machine::SignExtend(const Decoded&) {
    registers_.b = registers_.a & 0x80 ? 0xFF : 0x00;
}

// SC written as a whole: the next instruction is not interrupted.
void Machine::WriteStatus(const Decoded& instruction) {
    Registers& r = registers_;
    const uint8_t operand = static_cast<uint8_t>(instruction.second.value);
    switch (instruction.entry.operation) {
        case Operation::kAndSc:
            r.sc &= operand;
            break;
        case Operation::kOrSc:
            r.sc |= operand;
            break;
        case Operation::kXorSc:
            r.sc ^= operand;
            break;
        case Operation::kLdSc:
            r.sc = Second8(instruction);
            break;
        default:  // POP SC
            r.sc = Pop();
            break;
    }
    inhibited_ = true;
}

// Loads.

void Machine::LoadByte(const Decoded& instruction) {
    SetFirst8(instruction, Second8(instruction));
}

void Machine::LoadNewBank(const Decoded& instruction) {
    registers_.nb = Second8(instruction);
    inhibited_ = true;
}

void Machine::LoadWord(const Decoded& instruction) {
    SetFirst16(instruction, Second16(instruction));
}

void Machine::LoadProgramCounter(const Decoded& instruction) {
    SetFirst16(instruction, instruction.next);
}

void Machine::Exchange(const Decoded& instruction) {
    const DispatchEntry& e = instruction.entry;
    if (e.first == Operand::kA) {
        const uint8_t a = registers_.a, b = Second8(instruction);
        registers_.a = b;
        Put8(e.second, instruction.second, a);
        return;
    }
    const uint16_t a = First16(instruction), b = Second16(instruction);
    SetFirst16(instruction, b);
    Put16(e.second, instruction.second, a);
}

// The stack.

void Machine::PushOperand(const Decoded& instruction) {
    const Operand operand = instruction.entry.first;
    if (IsByteRegister(operand)) {
        Push(First8(instruction));
    } else if (operand == Operand::kIP) {
        Push(registers_.xp);
        Push(registers_.yp);
    } else {
        const uint16_t value = First16(instruction);
        Push(static_cast<uint8_t>(value >> 8));
        Push(static_cast<uint8_t>(value));
    }
}

void Machine::PopOperand(const Decoded& instruction) {
    const Operand operand = instruction.entry.first;
    if (IsByteRegister(operand)) {
        SetFirst8(instruction, Pop());
    } else if (operand == Operand::kIP) {
        registers_.yp = Pop();
        registers_.xp = Pop();
    } else {
        const uint8_t low = Pop();
        SetFirst16(instruction, static_cast<uint16_t>(low | Pop() << 8));
    }
}

void Machine::PushRegisters(const Decoded& instruction) {
    Registers& r = registers_;
    for (uint16_t value : {r.ba(), r.hl(), r.ix, r.iy}) {
        Push(static_cast<uint8_t>(value >> 8));
        Push(static_cast<uint8_t>(value));
    }
    Push(r.br);
    if (instruction.entry.first == Operand::kAle) {
        Push(r.ep);
        Push(r.xp);
        Push(r.yp);
    }
}

void Machine::PopRegisters(const Decoded& instruction) {
    Registers& r = registers_;
    if (instruction.entry.first == Operand::kAle) {
        r.yp = Pop();
        r.xp = Pop();
        r.ep = Pop();
    }
    r.br = Pop();
    for (Operand pair : {Operand::kIY, Operand::kIX, Operand::kHL, Operand::kBA}) {
        const uint8_t low = Pop();
        Put16(pair, instruction.first, static_cast<uint16_t>(low | Pop() << 8));
    }
}

// Branches, calls and returns. A framed one (a call, a return, INT) takes
// a cycle less when the stack frames leave CB out.

void Machine::JumpIf(const Decoded& instruction) {
    if (Holds(instruction.entry.condition))
        Jump(instruction.first.value);
    else
        NotTaken();
}

void Machine::DecrementAndJump(const Decoded& instruction) {
    --registers_.b;
    SetFlags(Flag(registers_.b == 0, kFlagZ), kFlagZ);
    if (registers_.b != 0)
        Jump(instruction.first.value);
    else
        NotTaken();
}

void Machine::JumpToHl(const Decoded&) {
    Jump(registers_.hl());
}

void Machine::JumpThroughVector(const Decoded& instruction) {
    Jump(Load16(instruction.first.value));
}

void Machine::CallIf(const Decoded& instruction) {
    const DispatchEntry& e = instruction.entry;
    if (Holds(e.condition)) {
        CallTo(instruction.first.value, instruction.next);
        cycles_ -= e.cycles - FrameCycles(e.cycles);
    } else {
        NotTaken();
        cycles_ -= e.cycles - e.cyclesNotTaken;
    }
}

void Machine::CallThroughVector(const Decoded& instruction) {
    CallTo(Load16(instruction.first.address), instruction.next);
    cycles_ -= instruction.entry.cycles - FrameCycles(instruction.entry.cycles);
}

void Machine::ReturnFrom(const Decoded& instruction) {
    const Operation operation = instruction.entry.operation;
    if (operation == Operation::kRete) {
        registers_.sc = Pop();
        inhibited_ = true;
    }
    Return();
    if (operation == Operation::kRets)
        registers_.pc = static_cast<uint16_t>(registers_.pc + 2);
    cycles_ -= instruction.entry.cycles - FrameCycles(instruction.entry.cycles);
}

void Machine::Interrupt(const Decoded& instruction) {
    if (maxFrames_)
        Push(registers_.cb);
    Push(static_cast<uint8_t>(instruction.next >> 8));
    Push(static_cast<uint8_t>(instruction.next));
    Push(registers_.sc);
    Jump(Load16(instruction.first.value));
    cycles_ -= instruction.entry.cycles - FrameCycles(instruction.entry.cycles);
}

void Machine::Halt(const Decoded&) {
    halted_ = true;
}

void Machine::Nothing(const Decoded&) {}

}  // namespace cuffware::simulator
