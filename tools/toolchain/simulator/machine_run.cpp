// The run: the loop around the instructions, with the sentinel return,
// breakpoints, stubs, interrupt requests, HALT, the stack region and the
// cycle limit, and the stop report.
#include <algorithm>

#include "toolchain/disassembler/disassembler.h"
#include "toolchain/object/object_module.h"
#include "toolchain/simulator/machine.h"

namespace cuffware::simulator {

using toolchain::Hex;

Machine::Machine(Options options) : options_(options) {
    const int model = static_cast<int>(options_.model);
    banked_ = model >= 2;
    maxFrames_ = banked_ && options_.stackMode == StackMode::kMaximum;
    modelBit_ = static_cast<uint8_t>(1 << model);
    ring_.resize(options_.traceDepth);
}

void Machine::SetMemory(uint32_t address, std::span<const uint8_t> bytes) {
    for (uint8_t byte : bytes) {
        memory_.Store(address & 0xFFFFFF, byte);
        ++address;
    }
}

void Machine::AddStub(Stub stub) {
    const uint32_t address = stub.address & 0xFFFFFF;
    stubs_[address] = {std::move(stub), 0};
}

void Machine::SetBreakpoint(uint32_t address, bool set) {
    address &= 0xFFFFFF;
    if (set) {
        memory_.Mark(address, kMarkBreakpoint);
        breakpoints_.push_back(address);
    } else {
        memory_.Unmark(address, kMarkBreakpoint);
    }
}

void Machine::ClearBreakpoints() {
    for (uint32_t address : breakpoints_)
        memory_.Unmark(address, kMarkBreakpoint);
    breakpoints_.clear();
}

void Machine::RequestInterrupt(uint8_t vector, int priority, uint64_t atCycle) {
    requests_.push_back({vector, std::clamp(priority, 0, 3), atCycle});
}

void Machine::Begin(uint16_t stackTop) {
    initialSp_ = registers_.sp;
    lowestSp_ = registers_.sp;
    stackTop_ = options_.stackHigh ? options_.stackHigh : stackTop;
}

StopReport Machine::Call(uint32_t address) {
    const uint16_t sentinelSp = registers_.sp;
    Begin(sentinelSp == 0 ? uint16_t{0xFFFF} : sentinelSp);
    if (maxFrames_)
        Push(registers_.cb);
    Push(static_cast<uint8_t>(kSentinelReturn >> 8));
    Push(static_cast<uint8_t>(kSentinelReturn & 0xFF));
    address &= 0xFFFFFF;
    if (!banked_) {
        registers_.pc = static_cast<uint16_t>(address);
    } else if (address < 0x8000) {
        registers_.pc = static_cast<uint16_t>(address);
    } else {
        registers_.pc = static_cast<uint16_t>(0x8000 | (address & 0x7FFF));
        registers_.cb = registers_.nb = static_cast<uint8_t>(address >> 15);
    }
    sentinelSp_ = sentinelSp;
    return *RunFrom(false);
}

StopReport Machine::Run() {
    Begin(0xFFFF);
    return *RunFrom(false);
}

std::optional<StopReport> Machine::Step() {
    if (!stepping_) {
        Begin(0xFFFF);
        stepping_ = true;
    }
    return RunFrom(true);
}

bool Machine::AcceptInterrupt() {
    const int level = registers_.sc >> 6;
    const uint64_t now = cycles_ + idleCycles_;
    auto best = requests_.end();
    for (auto it = requests_.begin(); it != requests_.end(); ++it) {
        const bool acceptable = it->priority == 0 || it->priority > level;
        if (acceptable && it->atCycle <= now &&
            (best == requests_.end() ||
             (it->priority == 0 ? 4 : it->priority) > (best->priority == 0 ? 4 : best->priority)))
            best = it;
    }
    if (best == requests_.end())
        return false;
    const Request request = *best;
    requests_.erase(best);
    Enter(request.vector, request.priority == 0 ? 3 : request.priority, registers_.pc);
    return true;
}

// HALT/SLP: idle until the next request that can be accepted, if any.
std::optional<StopReason> Machine::Wait(std::string& detail) {
    const int level = registers_.sc >> 6;
    std::optional<uint64_t> next;
    for (const Request& request : requests_) {
        if (request.priority == 0 || request.priority > level)
            next = std::min(next.value_or(request.atCycle), request.atCycle);
    }
    if (!next) {
        detail = level == 3 ? "interrupts masked (I1 I0 = 3)" : "no interrupt requested";
        return StopReason::kHalted;
    }
    const uint64_t now = cycles_ + idleCycles_;
    if (*next > now)
        idleCycles_ += std::min(*next, options_.cycleLimit) - now;
    return std::nullopt;
}

void Machine::CallStub(uint32_t address) {
    auto it = stubs_.find(address);
    if (it == stubs_.end())
        it = stubs_.emplace(address, StubState{Stub{"", address, {}}, 0}).first;
    StubState& state = it->second;
    if (state.stub.name.empty()) {
        const Location place = Locate(address);
        state.stub.name =
            place.label.empty() || place.offset != 0 ? "sub_" + Hex(address, 6) : place.label;
    }
    ++state.calls;
    StubCall call{state.stub.name, address, 0, cycles_, registers_};
    const StubBehaviour& behaviour = state.stub.behaviour;
    for (const RegisterValue& value : behaviour.registers)
        Set(registers_, value.reg, value.value);
    for (const MemoryValue& value : behaviour.memory)
        SetMemory(value.address, value.bytes);
    if (behaviour.returnValue)
        Set(registers_, Register::kBA, *behaviour.returnValue);
    Return();
    cycles_ += static_cast<uint64_t>(FrameCycles(4));
    call.returnAddress = CodeAddress(registers_.pc);
    if (stubCalls_.size() < kStubCallsKept)
        stubCalls_.push_back(std::move(call));
}

std::optional<StopReport> Machine::RunFrom(bool single) {
    resumeAt_ = CodeAddress(registers_.pc);
    for (;;) {
        if (cycles_ + idleCycles_ >= options_.cycleLimit)
            return Report(StopReason::kCycleLimit, CodeAddress(registers_.pc),
                          "limit " + std::to_string(options_.cycleLimit) + " cycles");
        if (std::optional<StopReport> stop = Advance())
            return stop;
        if (registers_.sp < lowestSp_)
            lowestSp_ = registers_.sp;
        if (registers_.sp < options_.stackLow || registers_.sp > stackTop_)
            return Report(StopReason::kStackOverflow, lastAddress_,
                          "SP " + Hex(registers_.sp, 4) + " outside " + Hex(options_.stackLow, 4) +
                              "-" + Hex(stackTop_, 4));
        if (single)
            return std::nullopt;
    }
}

// One interrupt acceptance, stub call or instruction; a stop, or nullopt.
std::optional<StopReport> Machine::Advance() {
    if (inhibited_)
        inhibited_ = false;
    else if (!requests_.empty() && AcceptInterrupt())
        return std::nullopt;
    if (halted_) {
        std::string detail;
        if (std::optional<StopReason> stop = Wait(detail))
            return Report(*stop, lastAddress_, detail);
        return std::nullopt;
    }
    const uint16_t pc = registers_.pc;
    const uint32_t at = CodeAddress(pc);
    uint8_t marks;
    const uint8_t code = memory_.Load(at, marks);
    const uint32_t resumeAt = resumeAt_;
    resumeAt_ = ~0u;
    if ((marks & (kMarkProgram | kMarkBreakpoint)) != kMarkProgram || pc == kSentinelReturn) {
        if (pc == kSentinelReturn && sentinelSp_ && registers_.sp == *sentinelSp_)
            return Report(StopReason::kReturned, lastAddress_, "");
        if ((marks & kMarkBreakpoint) && at != resumeAt)
            return Report(StopReason::kBreakpoint, at, "");
        if (!(marks & kMarkProgram)) {
            CallStub(at);
            return std::nullopt;
        }
    }
    TraceEntry* entry = ring_.empty() ? &scratch_ : &ring_[ringNext_];
    entry_ = entry;
    entry->before = registers_;
    entry->address = at;
    entry->writeCount = 0;
    uint8_t* bytes = entry->bytes;
    bytes[0] = code;
    int prefix = 1;
    size_t index = bytes[0];
    if (index == 0xCE || index == 0xCF) {
        bytes[1] = memory_.Byte(CodeAddress(static_cast<uint16_t>(pc + 1)));
        index = (index == 0xCE ? 256u : 512u) + bytes[1];
        prefix = 2;
    }
    const DispatchEntry& form = (*dispatch_)[index];
    if (form.operation == Operation::kUndefined || !(form.models & modelBit_)) {
        std::string codes = Hex(bytes[0], 2);
        if (prefix == 2)
            codes += " " + Hex(bytes[1], 2);
        return Report(StopReason::kUndefinedCode, at, "operation code " + codes);
    }
    for (int i = prefix; i < form.length; ++i)
        bytes[i] = memory_.Byte(CodeAddress(static_cast<uint16_t>(pc + i)));
    entry->length = form.length;
    instructionAddress_ = at;
    Execute(form, bytes, prefix, static_cast<uint16_t>(pc + form.length));
    ++instructions_;
    lastAddress_ = at;
    if (zeroDivision_) {
        zeroDivision_ = false;
        const bool handled = (memory_.Marks(2) & kMarkSet) && (memory_.Marks(3) & kMarkSet);
        if (!handled)
            return Report(StopReason::kZeroDivision, at,
                          "DIV with A = 0 and no handler at vector 0002");
        Enter(0x02, 3, registers_.pc);
    }
    entry->after = registers_;
    entry->cycles = cycles_;
    if (!ring_.empty()) {
        ringNext_ = ringNext_ + 1 == ring_.size() ? 0 : ringNext_ + 1;
        ringCount_ = std::min(ringCount_ + 1, ring_.size());
    }
    if (traceHook_)
        traceHook_(*entry, *owner_, traceContext_);
    return std::nullopt;
}

void Machine::Warn(Warning::Kind kind, uint32_t address) {
    memory_.Mark(address, kMarkWarned);
    if (warnings_.size() >= options_.warningLimit) {
        ++warningsDropped_;
        return;
    }
    warnings_.push_back(
        {kind, address, Locate(instructionAddress_), InstructionText(instructionAddress_)});
}

std::string Machine::InstructionText(uint32_t address) const {
    uint8_t bytes[4];
    for (int i = 0; i < 4; ++i)
        bytes[i] = memory_.Byte(address + static_cast<uint32_t>(i));
    std::vector<toolchain::DisassembledLine> lines = toolchain::Disassemble(bytes, address);
    return lines.empty() ? std::string() : lines.front().text;
}

StopReport Machine::Report(StopReason reason, uint32_t address, std::string detail) const {
    StopReport report;
    report.reason = reason;
    report.where = Locate(address);
    report.detail = std::move(detail);
    report.cycles = cycles_;
    report.idleCycles = idleCycles_;
    report.instructions = instructions_;
    report.deepestStack = lowestSp_;
    report.stackBytesUsed = initialSp_ > lowestSp_ ? initialSp_ - lowestSp_ : 0;
    report.registers = registers_;
    report.stubCalls = stubCalls_;
    for (const auto& [stubAddress, state] : stubs_) {
        report.stubCounts.push_back(
            {state.stub.name, stubAddress, state.calls, state.stub.behaviour.expectedCalls});
    }
    for (size_t i = 0; i < ringCount_; ++i) {
        const size_t slot = (ringNext_ + ring_.size() - ringCount_ + i) % ring_.size();
        report.lastInstructions.push_back(ring_[slot]);
    }
    report.warnings = warnings_;
    report.warningsDropped = warningsDropped_;
    return report;
}

}  // namespace cuffware::simulator
