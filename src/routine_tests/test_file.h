#pragma once
// A project's routine tests as written in a test file (test/*.tst beside
// src): each names a routine, what it starts with, the SDK entry points it
// may call and what must hold when it returns. The format is described in
// docs/testing.md. Reading is pure: names stay names until a run resolves
// them against the build's maps and the headers' equates.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cuffware {

// A number, a name, or a name plus or minus a number: 0x12, 12h, 18,
// DEMO_VAR_SECONDS, DigitTable+3.
struct TestValue {
    std::string name;      // empty for a plain number
    long long offset = 0;  // the number, or what is added to the name

    bool operator==(const TestValue&) const = default;
};

// Where a value goes or is looked at: a register (A, BA, IX...), a flag
// (Z, C, V, N, D, U) or memory from an address on.
struct TestTarget {
    enum class Kind { kRegister, kFlag, kMemory };
    Kind kind = Kind::kRegister;
    std::string name;   // the register or the flag, upper case
    TestValue address;  // for memory

    bool operator==(const TestTarget&) const = default;
};

// target = value, or [address] = byte byte ... for memory.
struct TestAssignment {
    TestTarget target;
    std::vector<TestValue> values;  // one for a register or flag
    int line = 0;
    int column = 0;

    bool operator==(const TestAssignment&) const = default;
};

// An SDK entry point the routine may call: what it gives back (the value it
// returns goes into BA) and how many calls are expected (none given: any
// number).
struct TestStub {
    std::string entry;
    std::vector<TestAssignment> gives;
    std::optional<TestValue> returns;
    std::optional<int> calls;
    int line = 0;
    int column = 0;

    bool operator==(const TestStub&) const = default;
};

struct RoutineTest {
    std::string name;  // the rest of the test line
    std::string routine;
    std::vector<TestAssignment> inputs;
    std::vector<TestStub> stubs;
    std::vector<TestAssignment> expected;
    std::optional<long long> maxCycles;
    std::optional<long long> maxStackBytes;
    int line = 0;         // of the test line
    int routineLine = 0;  // of the call line
    int routineColumn = 0;

    bool operator==(const RoutineTest&) const = default;
};

// Where a test file is wrong, as compilers say it: FILE:LINE:COLUMN: error: REASON.
struct TestFileError {
    std::string path;
    int line = 0;
    int column = 0;
    std::string reason;

    std::string Text() const;
};

struct TestFileReading {
    std::vector<RoutineTest> tests;
    std::optional<TestFileError> error;  // the first; the tests are then empty
};

// The registers and flags a test may name.
bool IsTestRegister(std::string_view name);
int TestRegisterBits(std::string_view name);  // 8 or 16
bool IsTestFlag(std::string_view name);
// The largest value a target takes: 1 for a flag, 0xFF for a byte of memory
// or an 8-bit register, 0xFFFF for a 16-bit one.
long long LargestValue(const TestTarget& target);

TestFileReading ReadTestFile(std::string_view text, const std::string& path);

}  // namespace cuffware
