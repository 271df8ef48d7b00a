#include "routine_tests/test_run.h"

#include <map>
#include <optional>
#include <set>

#include "toolchain/isa/hex_text.h"
#include "toolchain/object/object_module.h"
#include "toolchain/simulator/simulator.h"

namespace cuffware {

namespace {

namespace sim = simulator;

// Where the stack starts unless a test sets SP: the SDK's stack top.
constexpr const char* kStackTopName = "CPU_STACK_TOP";

constexpr uint32_t kPageSize = 0x10000;

// The names a section's source gives values: its own labels (located where
// the map puts the section) and every equate it includes.
struct SectionNames {
    std::map<std::string, long long> values;
    std::set<std::string> labels;  // those that are places in the section's code
    std::string failure;           // why the source gave no names, if it did not
};

struct LoadedSection {
    sim::Program program;
    SectionNames names;
};

std::string QuotedName(const std::string& message) {
    constexpr std::string_view kUndefined = "undefined symbol '";
    size_t start = message.find(kUndefined);
    if (start == std::string::npos)
        return {};
    start += kUndefined.size();
    size_t end = message.find('\'', start);
    return end == std::string::npos ? std::string() : message.substr(start, end - start);
}

// Assembles the section's source with GLOBAL lines for the wanted names, so
// the assembler itself gives their values; a name it does not know is
// dropped and the rest assembled again.
SectionNames NamesOf(const BuiltSection& section, const sim::Program& program,
                     std::set<std::string> wanted, const toolchain::SourceReader& read) {
    SectionNames names;
    Result<std::string> source = read(section.sourceName);
    if (!source) {
        names.failure = source.error().Text();
        return names;
    }
    while (!wanted.empty()) {
        std::string text = *source + "\r\n";
        for (const std::string& name : wanted)
            text += "        GLOBAL  " + name + "\r\n";
        auto reader = [&](const std::string& path) -> Result<std::string> {
            return path == section.sourceName ? Result<std::string>(text) : read(path);
        };
        Result<toolchain::Assembly> assembly = toolchain::Assemble(section.sourceName, reader);
        if (!assembly) {
            std::string unknown = QuotedName(assembly.error().message);
            if (wanted.erase(unknown) == 0) {
                names.failure = assembly.error().Text();
                return names;
            }
            continue;
        }
        for (const toolchain::GlobalSymbol& symbol : assembly->module.globals) {
            if (!wanted.contains(symbol.name))
                continue;
            long long value = symbol.value;
            if (symbol.section) {
                const std::string& sectionName = assembly->module.sections[*symbol.section].name;
                for (const sim::ProgramSection& placed : program.sections)
                    if (placed.name == sectionName)
                        value += placed.address;
            }
            // A section placed AT an address gives its labels as numbers.
            for (const sim::ProgramSection& placed : program.sections)
                if (value >= placed.address && value < placed.address + placed.size)
                    names.labels.insert(symbol.name);
            names.values[symbol.name] = value;
        }
        return names;
    }
    return names;
}

std::set<std::string> WantedNames(const std::vector<RoutineTest>& tests) {
    std::set<std::string> names = {kStackTopName};
    auto add = [&](const TestAssignment& assignment) {
        if (!assignment.target.address.name.empty())
            names.insert(assignment.target.address.name);
        for (const TestValue& value : assignment.values)
            if (!value.name.empty())
                names.insert(value.name);
    };
    for (const RoutineTest& test : tests) {
        names.insert(test.routine);
        for (const TestAssignment& input : test.inputs)
            add(input);
        for (const TestAssignment& expected : test.expected)
            add(expected);
        for (const TestStub& stub : test.stubs) {
            names.insert(stub.entry);
            if (stub.returns && !stub.returns->name.empty())
                names.insert(stub.returns->name);
            for (const TestAssignment& given : stub.gives)
                add(given);
        }
    }
    return names;
}

std::string ValueText(const TestValue& value) {
    if (value.name.empty())
        return std::to_string(value.offset);
    if (value.offset == 0)
        return value.name;
    return value.name + (value.offset > 0 ? "+" : "-") +
           std::to_string(value.offset > 0 ? value.offset : -value.offset);
}

std::string TargetText(const TestTarget& target) {
    return target.kind == TestTarget::Kind::kMemory ? "[" + ValueText(target.address) + "]"
                                                    : target.name;
}

uint8_t FlagBit(const std::string& flag) {
    static const std::map<std::string, uint8_t> bits = {{"Z", sim::kFlagZ}, {"C", sim::kFlagC},
                                                        {"V", sim::kFlagV}, {"N", sim::kFlagN},
                                                        {"D", sim::kFlagD}, {"U", sim::kFlagU}};
    return bits.at(flag);
}

// The locator gives a section a 24-bit address whose upper byte is its page
// and whose lower 16 bits are the addresses its code was assembled for
// (docs/assembler.md). A test runs the code from those 16-bit addresses and
// with EP, XP and YP 0, so the code reads its tables and the RAM in page 0;
// the simulator gets the bytes there as well as at the located address.
sim::Program AsFetched(const sim::Program& program) {
    sim::Program fetched;
    for (const sim::MemoryValue& bytes : program.bytes)
        fetched.bytes.push_back({bytes.address % kPageSize, bytes.bytes});
    for (const sim::ProgramSection& section : program.sections)
        fetched.sections.push_back({section.name, section.address % kPageSize, section.size});
    return fetched;
}

// The SDK's equates that may name a call: none among the first 256 bytes
// (small numbers are counts and codes) nor in the program.
void AddEntryNames(sim::Simulator& machine, const sim::Program& program,
                   const std::vector<sim::Label>& sdkNames) {
    std::vector<sim::Label> names;
    for (const sim::Label& name : sdkNames) {
        bool inProgram = false;
        for (const sim::ProgramSection& section : program.sections)
            inProgram = inProgram ||
                        (name.address % kPageSize >= section.address % kPageSize &&
                         name.address % kPageSize < section.address % kPageSize + section.size);
        if (name.address >= 0x100 && !inProgram)
            names.push_back(name);
    }
    machine.AddLabels(names);
}

// One test on its own simulator; every failure is collected, none thrown.
class TestRun {
  public:
    TestRun(const RoutineTest& test, const SectionNames& names,
            const std::map<std::string, EntryContract>& contracts)
        : test_(test), names_(names), contracts_(contracts) {}

    std::optional<long long> Value(const TestValue& value) {
        if (value.name.empty())
            return value.offset;
        auto found = names_.values.find(value.name);
        if (found == names_.values.end()) {
            Fail("no label or equate '" + value.name + "'");
            return std::nullopt;
        }
        // A label is a 16-bit address here, as #label gives it.
        return found->second % kPageSize + value.offset;
    }

    // The values of an assignment, each checked to fit its target.
    std::optional<std::vector<long long>> Values(const TestAssignment& assignment) {
        long long largest = LargestValue(assignment.target);
        std::vector<long long> values;
        for (const TestValue& written : assignment.values) {
            std::optional<long long> value = Value(written);
            if (!value)
                return std::nullopt;
            if (*value < 0 || *value > largest) {
                Fail(ValueText(written) + " is " +
                     (*value < 0 ? std::to_string(*value) : toolchain::HexLiteral(*value, 2)) +
                     ", which " + TargetText(assignment.target) + " cannot hold");
                return std::nullopt;
            }
            values.push_back(*value);
        }
        return values;
    }

    std::optional<uint32_t> Address(const TestTarget& target) {
        std::optional<long long> address = Value(target.address);
        if (address && (*address < 0 || *address > 0xFFFFFF)) {
            Fail(ValueText(target.address) + " is no 24-bit address");
            return std::nullopt;
        }
        return address;
    }

    bool Set(sim::Simulator& machine, const TestAssignment& assignment) {
        std::optional<std::vector<long long>> values = Values(assignment);
        if (!values)
            return false;
        const TestTarget& target = assignment.target;
        if (target.kind == TestTarget::Kind::kMemory) {
            std::optional<uint32_t> address = Address(target);
            if (!address)
                return false;
            std::vector<uint8_t> bytes(values->begin(), values->end());
            machine.SetMemory(*address, bytes);
        } else if (target.kind == TestTarget::Kind::kFlag) {
            uint8_t bit = FlagBit(target.name);
            uint8_t& sc = machine.registers().sc;
            sc = static_cast<uint8_t>(values->front() ? sc | bit : sc & ~bit);
        } else {
            sim::Set(machine.registers(), *sim::RegisterNamed(target.name),
                     static_cast<uint16_t>(values->front()));
        }
        return true;
    }

    bool AddStub(sim::Simulator& machine, const TestStub& stub) {
        std::optional<long long> entry = Value({stub.entry, 0});
        if (!entry)
            return false;
        if (names_.labels.contains(stub.entry))
            return Fail(stub.entry + " is a routine of the application, not an SDK entry point");
        if (!FollowsContract(stub))
            return false;
        sim::Stub made{stub.entry, static_cast<uint32_t>(*entry), {}};
        made.behaviour.expectedCalls = stub.calls;
        if (stub.returns) {
            std::optional<std::vector<long long>> value =
                Values({{TestTarget::Kind::kRegister, "BA", {}}, {*stub.returns}});
            if (!value)
                return false;
            made.behaviour.returnValue = static_cast<uint16_t>(value->front());
        }
        for (const TestAssignment& given : stub.gives) {
            std::optional<std::vector<long long>> values = Values(given);
            if (!values)
                return false;
            if (given.target.kind == TestTarget::Kind::kFlag)
                return Fail("a stub gives registers and memory; set SC for its flags");
            if (given.target.kind == TestTarget::Kind::kRegister) {
                made.behaviour.registers.push_back({*sim::RegisterNamed(given.target.name),
                                                    static_cast<uint16_t>(values->front())});
            } else {
                std::optional<uint32_t> address = Address(given.target);
                if (!address)
                    return false;
                made.behaviour.memory.push_back({*address, {values->begin(), values->end()}});
            }
        }
        machine.AddStub(std::move(made));
        return true;
    }

    void Check(const sim::Simulator& machine, const sim::StopReport& report) {
        for (const TestAssignment& expected : test_.expected) {
            std::optional<std::vector<long long>> values = Values(expected);
            if (!values)
                continue;
            const TestTarget& target = expected.target;
            std::vector<long long> seen;
            int digits = 2;
            if (target.kind == TestTarget::Kind::kMemory) {
                std::optional<uint32_t> address = Address(target);
                if (!address)
                    continue;
                for (size_t i = 0; i < values->size(); ++i)
                    seen.push_back(machine.ReadMemory(static_cast<uint32_t>(*address + i)));
            } else if (target.kind == TestTarget::Kind::kFlag) {
                seen.push_back((report.registers.sc & FlagBit(target.name)) ? 1 : 0);
                digits = 0;
            } else {
                seen.push_back(sim::Get(report.registers, *sim::RegisterNamed(target.name)));
                digits = TestRegisterBits(target.name) / 4;
            }
            if (seen != *values)
                Fail("expected " + TargetText(target) + " = " + Listed(*values, digits) +
                     ", seen " + Listed(seen, digits));
        }
        for (const sim::StubCount& count : report.stubCounts)
            if (!count.Holds())
                Fail("expected " + std::to_string(*count.expected) + " calls of " + count.name +
                     ", seen " + std::to_string(count.calls) + CallsMade(report));
        if (test_.maxCycles && report.cycles > static_cast<uint64_t>(*test_.maxCycles))
            Fail("expected at most " + std::to_string(*test_.maxCycles) + " cycles, seen " +
                 std::to_string(report.cycles));
        if (test_.maxStackBytes && report.stackBytesUsed > *test_.maxStackBytes)
            Fail("expected a stack of at most " + std::to_string(*test_.maxStackBytes) +
                 " bytes, seen " + std::to_string(report.stackBytesUsed));
    }

    TestOutcome Run(const std::vector<LoadedSection>& sections, size_t holder,
                    const std::vector<sim::Label>& sdkNames) {
        sim::Simulator machine;
        for (size_t loaded : {size_t{0}, holder}) {
            machine.Load(sections[loaded].program);
            machine.Load(AsFetched(sections[loaded].program));
        }
        AddEntryNames(machine, sections[holder].program, sdkNames);
        uint32_t routine = static_cast<uint32_t>(names_.values.at(test_.routine)) % kPageSize;
        std::optional<long long> stackTop = Value({kStackTopName, 0});
        outcome_.failures.clear();  // a test that sets SP needs no stack top
        if (stackTop)
            machine.registers().sp = static_cast<uint16_t>(*stackTop);
        bool ready = true;
        for (const TestAssignment& input : test_.inputs)
            ready = Set(machine, input) && ready;
        if (!stackTop && !SetsStackPointer())
            Fail("set SP: the SDK defines no " + std::string(kStackTopName));
        for (const TestStub& stub : test_.stubs)
            ready = AddStub(machine, stub) && ready;
        if (!ready || !outcome_.failures.empty())
            return Finish();
        sim::StopReport report = machine.Call(routine);
        outcome_.cycles = report.cycles;
        if (!report.Returned())
            Fail("expected the routine to return, seen " +
                 std::string(sim::StopReasonText(report.reason)) + " at " + report.where.Text() +
                 (report.detail.empty() ? "" : " (" + report.detail + ")"));
        Check(machine, report);
        size_t shown = std::min(report.lastInstructions.size(), kTracedInstructions);
        for (size_t i = report.lastInstructions.size() - shown; i < report.lastInstructions.size();
             ++i)
            outcome_.trace.push_back(sim::FormatTraceEntry(report.lastInstructions[i]));
        return Finish();
    }

    bool Fail(const std::string& failure) {
        outcome_.failures.push_back(failure);
        return false;
    }

  private:
    // A stub gives only what its header says the entry point gives.
    bool FollowsContract(const TestStub& stub) {
        auto found = contracts_.find(stub.entry);
        if (found == contracts_.end())
            return true;
        const EntryContract& contract = found->second;
        std::vector<TestTarget> given;
        for (const TestAssignment& assignment : stub.gives)
            given.push_back(assignment.target);
        if (stub.returns)
            given.push_back({TestTarget::Kind::kRegister, "BA", {}});
        for (const TestTarget& target : given) {
            bool allowed = target.kind == TestTarget::Kind::kMemory
                               ? contract.anyMemory || contract.memory.contains(target.address.name)
                               : contract.registers.contains(target.name);
            if (!allowed)
                return Fail(stub.entry + " gives " + ContractText(contract) +
                            " (its header), not " + TargetText(target));
        }
        return true;
    }

    static std::string ContractText(const EntryContract& contract) {
        std::string text;
        for (const std::string& name : contract.registers)
            text += (text.empty() ? "" : ", ") + name;
        for (const std::string& name : contract.memory)
            text += (text.empty() ? "[" : ", [") + name + "]";
        if (contract.anyMemory)
            text += text.empty() ? "memory" : ", memory";
        return text.empty() ? "nothing" : text;
    }

    bool SetsStackPointer() const {
        for (const TestAssignment& input : test_.inputs)
            if (input.target.kind == TestTarget::Kind::kRegister && input.target.name == "SP")
                return true;
        return false;
    }

    // What else the routine called, to tell a miscount from a wrong entry.
    static std::string CallsMade(const sim::StopReport& report) {
        std::string made;
        for (const sim::StubCount& count : report.stubCounts)
            if (count.calls > 0)
                made += (made.empty() ? " (calls made: " : ", ") + count.name + " " +
                        toolchain::HexLiteral(count.address, 6) + " " +
                        std::to_string(count.calls) + "x";
        return made.empty() ? made : made + ")";
    }

    static std::string Listed(const std::vector<long long>& values, int digits) {
        std::string text;
        for (long long value : values)
            text += (text.empty() ? "" : " ") +
                    (digits == 0 ? std::to_string(value) : toolchain::HexLiteral(value, digits));
        return text;
    }

    TestOutcome Finish() {
        outcome_.name = test_.name;
        outcome_.passed = outcome_.failures.empty();
        if (outcome_.passed)
            outcome_.trace.clear();
        return outcome_;
    }

    const RoutineTest& test_;
    const SectionNames& names_;
    const std::map<std::string, EntryContract>& contracts_;
    TestOutcome outcome_;
};

}  // namespace

std::vector<TestOutcome> RunRoutineTests(const BuiltProgram& program,
                                         const std::vector<RoutineTest>& tests) {
    std::set<std::string> wanted = WantedNames(tests);
    std::vector<LoadedSection> sections;
    std::string failure;
    for (const BuiltSection& built : program.sections) {
        Result<sim::Program> loaded =
            sim::ProgramFromSRecords(built.sRecords, built.sRecordName, built.map, built.mapName);
        if (!loaded) {
            failure = loaded.error().Text();
            break;
        }
        SectionNames names = NamesOf(built, *loaded, wanted, program.read);
        sections.push_back({std::move(*loaded), std::move(names)});
    }

    std::vector<TestOutcome> outcomes;
    for (const RoutineTest& test : tests) {
        size_t holder = 0;
        while (holder < sections.size() && !sections[holder].names.labels.contains(test.routine))
            ++holder;
        if (!failure.empty() || holder == sections.size()) {
            TestOutcome outcome{test.name, false, 0, {}, {}};
            for (const LoadedSection& section : sections)
                if (!section.names.failure.empty())
                    outcome.failures.push_back(section.names.failure);
            outcome.failures.push_back(failure.empty() ? "no routine '" + test.routine +
                                                             "' in the common section or a state"
                                                       : failure);
            outcomes.push_back(std::move(outcome));
            continue;
        }
        outcomes.push_back(TestRun(test, sections[holder].names, program.contracts)
                               .Run(sections, holder, program.sdkNames));
    }
    return outcomes;
}

}  // namespace cuffware
