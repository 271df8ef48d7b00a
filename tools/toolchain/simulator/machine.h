#pragma once
// The processor, its memory and the run's bookkeeping behind Simulator:
// executes instructions through the dispatch table, forms addresses, keeps
// the stack frames, banks and interrupts as the core does, and notes what a
// stop report gives (warnings, stub calls, the last instructions).

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "toolchain/simulator/dispatch_table.h"
#include "toolchain/simulator/memory.h"
#include "toolchain/simulator/simulator.h"

namespace cuffware::simulator {

// Stub calls kept in a report; later calls are counted only.
inline constexpr size_t kStubCallsKept = 10000;

class Machine {
  public:
    explicit Machine(Options options);

    // The program and its places.
    void Load(const Program& program);
    void AddLabels(std::span<const Label> labels);
    std::optional<uint32_t> Find(std::string_view label) const;
    Location Locate(uint32_t address) const;

    void SetMemory(uint32_t address, std::span<const uint8_t> bytes);
    void AddStub(Stub stub);
    void SetBreakpoint(uint32_t address, bool set);
    void ClearBreakpoints();
    void RequestInterrupt(uint8_t vector, int priority, uint64_t atCycle);

    StopReport Call(uint32_t address);
    StopReport Run();
    std::optional<StopReport> Step();

    // Physical address of a logical code address in the current bank.
    uint32_t CodeAddress(uint16_t logical) const {
        if (!banked_ || logical < 0x8000)
            return logical;
        return static_cast<uint32_t>(registers_.cb) << 15 | (logical & 0x7FFF);
    }

    Registers registers_;
    Memory memory_;
    Options options_;
    Simulator::TraceHook traceHook_ = nullptr;
    void* traceContext_ = nullptr;
    const Simulator* owner_ = nullptr;
    uint64_t cycles_ = 0;
    uint64_t idleCycles_ = 0;

  private:
    struct Resolved {
        uint32_t address = 0;
        uint16_t value = 0;
    };
    struct StubState {
        Stub stub;
        int calls = 0;
    };
    struct Request {
        uint8_t vector;
        int priority;
        uint64_t atCycle;
    };

    // Execution (machine_execute.cpp): the operands resolved, then the
    // function kOperations holds for the entry's operation.
    struct Decoded {
        const DispatchEntry& entry;
        Resolved first;
        Resolved second;
        uint16_t next;  // the following instruction's address
    };
    using OperationFunction = void (Machine::*)(const Decoded&);
    using OperationTable = std::array<OperationFunction, kOperationCount>;
    static consteval OperationTable OperationFunctions();
    static const OperationTable kOperations;

    void Execute(const DispatchEntry& entry, const uint8_t* bytes, int prefix, uint16_t next);
    Resolved Resolve(Operand operand, const uint8_t*& field, uint16_t next) const;
    uint8_t Get8(Operand operand, const Resolved& at);
    void Put8(Operand operand, const Resolved& at, uint8_t value);
    uint16_t Get16(Operand operand, const Resolved& at, uint16_t next);
    void Put16(Operand operand, const Resolved& at, uint16_t value);
    bool Holds(Condition condition) const;
    uint8_t First8(const Decoded& instruction) {
        return Get8(instruction.entry.first, instruction.first);
    }
    uint8_t Second8(const Decoded& instruction) {
        return Get8(instruction.entry.second, instruction.second);
    }
    void SetFirst8(const Decoded& instruction, uint8_t value) {
        Put8(instruction.entry.first, instruction.first, value);
    }
    uint16_t First16(const Decoded& instruction) {
        return Get16(instruction.entry.first, instruction.first, instruction.next);
    }
    uint16_t Second16(const Decoded& instruction) {
        return Get16(instruction.entry.second, instruction.second, instruction.next);
    }
    void SetFirst16(const Decoded& instruction, uint16_t value) {
        Put16(instruction.entry.first, instruction.first, value);
    }
    void SetFlags(uint8_t flags, uint8_t mask) {
        registers_.sc = static_cast<uint8_t>((registers_.sc & ~mask) | (flags & mask));
    }
    uint32_t DataAddress(uint8_t page, uint16_t offset) const {
        return (banked_ ? static_cast<uint32_t>(page) << 16 : 0) | offset;
    }
    uint8_t Load8(uint32_t address);
    void Store8(uint32_t address, uint8_t value);
    uint16_t Load16(uint32_t address);
    void Store16(uint32_t address, uint16_t value);
    void Push(uint8_t value);
    uint8_t Pop();
    void Jump(uint16_t target);
    void NotTaken();
    void CallTo(uint16_t target, uint16_t returnAddress);
    void Return();
    void Enter(uint8_t vector, int level, uint16_t returnAddress);
    int FrameCycles(int maxModeCycles) const {
        return maxFrames_ ? maxModeCycles : maxModeCycles - 1;
    }

    // The operations, by group of instructions (machine_execute.cpp).
    void AddSubtract8(const Decoded& instruction);
    void Compare8(const Decoded& instruction);
    void Negate(const Decoded& instruction);
    void AddSubtract16(const Decoded& instruction);
    void IncrementDecrement8(const Decoded& instruction);
    void IncrementDecrement16(const Decoded& instruction);
    void Multiply(const Decoded& instruction);
    void Divide(const Decoded& instruction);
    void Logic8(const Decoded& instruction);
    void TestBits(const Decoded& instruction);
    void Complement(const Decoded& instruction);
    void Shift(const Decoded& instruction);
    void SwapNibbles(const Decoded& instruction);
    void Pack(const Decoded& instruction);
    void Unpack(const Decoded& instruction);
    void SignExtend(const Decoded& instruction);
    void WriteStatus(const Decoded& instruction);
    void LoadByte(const Decoded& instruction);
    void LoadNewBank(const Decoded& instruction);
    void LoadWord(const Decoded& instruction);
    void LoadProgramCounter(const Decoded& instruction);
    void Exchange(const Decoded& instruction);
    void PushOperand(const Decoded& instruction);
    void PopOperand(const Decoded& instruction);
    void PushRegisters(const Decoded& instruction);
    void PopRegisters(const Decoded& instruction);
    void JumpIf(const Decoded& instruction);
    void DecrementAndJump(const Decoded& instruction);
    void JumpToHl(const Decoded& instruction);
    void JumpThroughVector(const Decoded& instruction);
    void CallIf(const Decoded& instruction);
    void CallThroughVector(const Decoded& instruction);
    void ReturnFrom(const Decoded& instruction);
    void Interrupt(const Decoded& instruction);
    void Halt(const Decoded& instruction);
    void Nothing(const Decoded& instruction);

    // The run (machine_run.cpp).
    void Begin(uint16_t stackTop);
    std::optional<StopReport> RunFrom(bool single);
    std::optional<StopReport> Advance();
    bool AcceptInterrupt();
    std::optional<StopReason> Wait(std::string& detail);
    void CallStub(uint32_t address);
    void Warn(Warning::Kind kind, uint32_t address);
    StopReport Report(StopReason reason, uint32_t address, std::string detail) const;
    std::string InstructionText(uint32_t address) const;

    const DispatchTable* dispatch_ = &Dispatch();
    bool banked_ = true;     // MODEL2/3: pages and code banks
    bool maxFrames_ = true;  // calls and interrupts stack CB
    uint8_t modelBit_ = 0x08;

    std::vector<ProgramSection> sections_;
    std::vector<Label> labels_;  // by address
    std::map<std::string, uint32_t, std::less<>> labelAddresses_;
    std::vector<SourceLine> lines_;  // by address
    std::map<uint32_t, StubState> stubs_;
    std::vector<uint32_t> breakpoints_;
    std::vector<Request> requests_;

    // The current run.
    uint64_t instructions_ = 0;
    uint16_t lowestSp_ = 0;
    uint16_t initialSp_ = 0;
    uint16_t stackTop_ = 0xFFFF;
    std::optional<uint16_t> sentinelSp_;
    bool stepping_ = false;
    bool halted_ = false;
    bool inhibited_ = false;  // the last instruction wrote NB or SC
    bool zeroDivision_ = false;
    uint32_t instructionAddress_ = 0;
    uint32_t lastAddress_ = 0;  // the last instruction executed
    uint32_t resumeAt_ = ~0u;   // a breakpoint here does not stop the first step
    std::vector<TraceEntry> ring_;
    size_t ringNext_ = 0;
    size_t ringCount_ = 0;
    TraceEntry scratch_;
    TraceEntry* entry_ = &scratch_;
    std::vector<Warning> warnings_;
    size_t warningsDropped_ = 0;
    std::vector<StubCall> stubCalls_;
};

}  // namespace cuffware::simulator
