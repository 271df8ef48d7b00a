#pragma once
// Runs routine tests on the simulator: each test loads the common section
// and the section that holds its routine, resolves its names the way the
// assembler sees them in that section's source (labels, the project's and
// the SDK's equates), sets its inputs and stubs, calls the routine and
// compares what holds afterwards.

#include <cstdint>
#include <string>
#include <vector>

#include "routine_tests/entry_contracts.h"
#include "routine_tests/test_file.h"
#include "toolchain/assembler/assembler.h"
#include "toolchain/simulator/simulator.h"

namespace cuffware {

// One section of a finished build: its generated source (as the assembler
// is given it), its S-records and its map.
struct BuiltSection {
    std::string sourceName;
    std::string sRecords;
    std::string sRecordName;
    std::string map;
    std::string mapName;
};

struct BuiltProgram {
    std::vector<BuiltSection> sections;  // the common section first, then the states
    toolchain::SourceReader read;        // the sources and what they include
    // The SDK headers' equates, so that a call of an entry point no test
    // stubs is named too.
    std::vector<simulator::Label> sdkNames;
    // What the SDK headers say their entry points give; a stub gives no more.
    std::map<std::string, EntryContract> contracts;
};

struct TestOutcome {
    std::string name;
    bool passed = false;
    uint64_t cycles = 0;
    std::vector<std::string> failures;  // "expected A = 0x06, seen 0x05"
    std::vector<std::string> trace;     // the last instructions, when it failed
};

// How many of the last instructions a failure shows.
inline constexpr size_t kTracedInstructions = 8;

std::vector<TestOutcome> RunRoutineTests(const BuiltProgram& program,
                                         const std::vector<RoutineTest>& tests);

}  // namespace cuffware
