// One instruction: its operands resolved to registers, immediates and
// addresses, then the operation of its semantic group.
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
    Registers& r = registers_;
    const uint8_t* field = bytes + prefix;
    const Resolved first = Resolve(e.first, field, next);
    const Resolved second = Resolve(e.second, field, next);
    r.pc = next;
    cycles_ += e.cycles;
    const bool carry = r.sc & kFlagC;
    const bool decimal = r.sc & kFlagD, unpack = r.sc & kFlagU;

    switch (e.operation) {
        case Operation::kAdd8:
        case Operation::kAdc8:
        case Operation::kSub8:
        case Operation::kSbc8: {
            const bool withCarry =
                e.operation == Operation::kAdc8 || e.operation == Operation::kSbc8;
            const bool subtract =
                e.operation == Operation::kSub8 || e.operation == Operation::kSbc8;
            const uint8_t a = Get8(e.first, first);
            const ByteResult result = Arithmetic8(a, Get8(e.second, second), withCarry && carry,
                                                  subtract, decimal, unpack);
            Put8(e.first, first, result.value);
            SetFlags(result.flags, kZCVN);
            break;
        }
        case Operation::kCp8: {
            const uint8_t a = Get8(e.first, first);
            SetFlags(Arithmetic8(a, Get8(e.second, second), false, true, false, false).flags,
                     kZCVN);
            break;
        }
        case Operation::kNeg: {
            const ByteResult result =
                Arithmetic8(0, Get8(e.first, first), false, true, decimal, unpack);
            Put8(e.first, first, result.value);
            SetFlags(result.flags, kZCVN);
            break;
        }
        case Operation::kAnd8:
        case Operation::kOr8:
        case Operation::kXor8: {
            const uint8_t a = Get8(e.first, first), b = Get8(e.second, second);
            const uint8_t value = static_cast<uint8_t>(e.operation == Operation::kAnd8  ? a & b
                                                       : e.operation == Operation::kOr8 ? a | b
                                                                                        : a ^ b);
            Put8(e.first, first, value);
            SetFlags(ZeroNegative8(value), kZN);
            break;
        }
        case Operation::kAndSc:
            r.sc &= static_cast<uint8_t>(second.value);
            inhibited_ = true;
            break;
        case Operation::kOrSc:
            r.sc |= static_cast<uint8_t>(second.value);
            inhibited_ = true;
            break;
        case Operation::kXorSc:
            r.sc ^= static_cast<uint8_t>(second.value);
            inhibited_ = true;
            break;
        case Operation::kLdSc:
            r.sc = Get8(e.second, second);
            inhibited_ = true;
            break;
        case Operation::kPopSc:
            r.sc = Pop();
            inhibited_ = true;
            break;
        case Operation::kBit: {
            const uint8_t a = Get8(e.first, first);
            SetFlags(ZeroNegative8(static_cast<uint8_t>(a & Get8(e.second, second))), kZN);
            break;
        }
        case Operation::kInc8:
        case Operation::kDec8: {
            const uint8_t value = static_cast<uint8_t>(Get8(e.first, first) +
                                                       (e.operation == Operation::kInc8 ? 1 : -1));
            Put8(e.first, first, value);
            SetFlags(Flag(value == 0, kFlagZ), kFlagZ);
            break;
        }
        case Operation::kInc16:
        case Operation::kDec16: {
            const uint16_t value = static_cast<uint16_t>(
                Get16(e.first, first, next) + (e.operation == Operation::kInc16 ? 1 : -1));
            Put16(e.first, first, value);
            SetFlags(Flag(value == 0, kFlagZ), kFlagZ);
            break;
        }
        case Operation::kCpl: {
            const uint8_t value = static_cast<uint8_t>(~Get8(e.first, first));
            Put8(e.first, first, value);
            SetFlags(ZeroNegative8(value), kZN);
            break;
        }
        case Operation::kMlt: {
            const uint16_t product = static_cast<uint16_t>(r.l * r.a);
            r.l = static_cast<uint8_t>(product);
            r.h = static_cast<uint8_t>(product >> 8);
            SetFlags(
                static_cast<uint8_t>(Flag(product == 0, kFlagZ) | Flag(product & 0x8000, kFlagN)),
                kZCVN);
            break;
        }
        case Operation::kDiv: {
            if (r.a == 0) {
                zeroDivision_ = true;
                break;
            }
            const unsigned quotient = r.hl() / r.a;
            if (quotient > 0xFF) {
                SetFlags(kFlagV | kFlagN, kZCVN);
                break;
            }
            const uint8_t remainder = static_cast<uint8_t>(r.hl() % r.a);
            r.l = static_cast<uint8_t>(quotient);
            r.h = remainder;
            SetFlags(ZeroNegative8(static_cast<uint8_t>(quotient)), kZCVN);
            break;
        }
        case Operation::kSla:
        case Operation::kSll:
        case Operation::kSra:
        case Operation::kSrl:
        case Operation::kRl:
        case Operation::kRlc:
        case Operation::kRr:
        case Operation::kRrc: {
            const uint8_t x = Get8(e.first, first);
            const bool left = e.operation == Operation::kSla || e.operation == Operation::kSll ||
                              e.operation == Operation::kRl || e.operation == Operation::kRlc;
            const bool out = left ? x & 0x80 : x & 0x01;
            uint8_t in = 0;
            if (e.operation == Operation::kRl || e.operation == Operation::kRr)
                in = carry;
            else if (e.operation == Operation::kRlc || e.operation == Operation::kRrc)
                in = out;
            else if (e.operation == Operation::kSra)
                in = x >> 7;
            const uint8_t value = static_cast<uint8_t>(left ? x << 1 | in : x >> 1 | in << 7);
            uint8_t flags = static_cast<uint8_t>(ZeroNegative8(value) | Flag(out, kFlagC));
            uint8_t mask = kZCN;
            if (e.operation == Operation::kSla) {
                flags |= Flag((x ^ x << 1) & 0x80, kFlagV);
                mask = kZCVN;
            } else if (e.operation == Operation::kSra) {
                mask = kZCVN;
            }
            Put8(e.first, first, value);
            SetFlags(flags, mask);
            break;
        }
        case Operation::kSwap: {
            const uint8_t x = Get8(e.first, first);
            Put8(e.first, first, static_cast<uint8_t>(x << 4 | x >> 4));
            break;
        }
        case Operation::kPack:
            r.a = static_cast<uint8_t>((r.b & 0x0F) << 4 | (r.a & 0x0F));
            break;
        case Operation::kUpck:
            r.b = r.a >> 4;
            r.a &= 0x0F;
            break;
        case Operation::kSep:
            r.b = r.a & 0x80 ? 0xFF : 0x00;
            break;
        case Operation::kAdd16:
        case Operation::kAdc16:
        case Operation::kSub16:
        case Operation::kSbc16:
        case Operation::kCp16: {
            const bool withCarry =
                e.operation == Operation::kAdc16 || e.operation == Operation::kSbc16;
            const bool subtract =
                e.operation != Operation::kAdd16 && e.operation != Operation::kAdc16;
            const uint16_t a = Get16(e.first, first, next);
            const WordResult result =
                Arithmetic16(a, Get16(e.second, second, next), withCarry && carry, subtract);
            if (e.operation != Operation::kCp16)
                Put16(e.first, first, result.value);
            SetFlags(result.flags, kZCVN);
            break;
        }
        case Operation::kLd8:
            Put8(e.first, first, Get8(e.second, second));
            break;
        case Operation::kLdNb:
            r.nb = Get8(e.second, second);
            inhibited_ = true;
            break;
        case Operation::kLd16:
            Put16(e.first, first, Get16(e.second, second, next));
            break;
        case Operation::kLdPc:
            Put16(e.first, first, next);
            break;
        case Operation::kEx:
            if (e.first == Operand::kA) {
                const uint8_t a = r.a, b = Get8(e.second, second);
                r.a = b;
                Put8(e.second, second, a);
            } else {
                const uint16_t a = Get16(e.first, first, next), b = Get16(e.second, second, next);
                Put16(e.first, first, b);
                Put16(e.second, second, a);
            }
            break;
        case Operation::kPush:
            if (IsByteRegister(e.first)) {
                Push(Get8(e.first, first));
            } else if (e.first == Operand::kIP) {
                Push(r.xp);
                Push(r.yp);
            } else {
                const uint16_t value = Get16(e.first, first, next);
                Push(static_cast<uint8_t>(value >> 8));
                Push(static_cast<uint8_t>(value));
            }
            break;
        case Operation::kPop:
            if (IsByteRegister(e.first)) {
                Put8(e.first, first, Pop());
            } else if (e.first == Operand::kIP) {
                r.yp = Pop();
                r.xp = Pop();
            } else {
                const uint8_t low = Pop();
                Put16(e.first, first, static_cast<uint16_t>(low | Pop() << 8));
            }
            break;
        case Operation::kPushAll:
            for (uint16_t value : {r.ba(), r.hl(), r.ix, r.iy}) {
                Push(static_cast<uint8_t>(value >> 8));
                Push(static_cast<uint8_t>(value));
            }
            Push(r.br);
            if (e.first == Operand::kAle) {
                Push(r.ep);
                Push(r.xp);
                Push(r.yp);
            }
            break;
        case Operation::kPopAll: {
            if (e.first == Operand::kAle) {
                r.yp = Pop();
                r.xp = Pop();
                r.ep = Pop();
            }
            r.br = Pop();
            for (Operand pair : {Operand::kIY, Operand::kIX, Operand::kHL, Operand::kBA}) {
                const uint8_t low = Pop();
                Put16(pair, first, static_cast<uint16_t>(low | Pop() << 8));
            }
            break;
        }
        case Operation::kJump:
            if (Holds(e.condition))
                Jump(first.value);
            else
                NotTaken();
            break;
        case Operation::kDjr:
            --r.b;
            SetFlags(Flag(r.b == 0, kFlagZ), kFlagZ);
            if (r.b != 0)
                Jump(first.value);
            else
                NotTaken();
            break;
        case Operation::kJumpHl:
            Jump(r.hl());
            break;
        case Operation::kJumpVector:
            Jump(Load16(first.value));
            break;
        case Operation::kCall:
            if (Holds(e.condition)) {
                CallTo(first.value, next);
                cycles_ -= e.cycles - FrameCycles(e.cycles);
            } else {
                NotTaken();
                cycles_ -= e.cycles - e.cyclesNotTaken;
            }
            break;
        case Operation::kCallVector:
            CallTo(Load16(first.address), next);
            cycles_ -= e.cycles - FrameCycles(e.cycles);
            break;
        case Operation::kRet:
        case Operation::kRets:
        case Operation::kRete:
            if (e.operation == Operation::kRete) {
                r.sc = Pop();
                inhibited_ = true;
            }
            Return();
            if (e.operation == Operation::kRets)
                r.pc = static_cast<uint16_t>(r.pc + 2);
            cycles_ -= e.cycles - FrameCycles(e.cycles);
            break;
        case Operation::kInt:
            if (maxFrames_)
                Push(r.cb);
            Push(static_cast<uint8_t>(next >> 8));
            Push(static_cast<uint8_t>(next));
            Push(r.sc);
            Jump(Load16(first.value));
            cycles_ -= e.cycles - FrameCycles(e.cycles);
            break;
        case Operation::kHalt:
        case Operation::kSlp:
            halted_ = true;
            break;
        case Operation::kNop:
        case Operation::kUndefined:
            break;
    }
}

}  // namespace cuffware::simulator
