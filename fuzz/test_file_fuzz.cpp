// A routine test file as anyone may have written it: either it is refused
// with a place inside it and a reason, or every test it gives calls a
// routine, has a name of its own and values that fit their targets.

#include <cstddef>
#include <cstdint>
#include <set>

#include "fuzz_check.h"
#include "platform/text_rules.h"
#include "routine_tests/test_file.h"

namespace {

using namespace cuffware;

void CheckValues(const TestAssignment& assignment) {
    using fuzz::Check;
    Check(!assignment.values.empty(), "an assignment has a value");
    Check(assignment.target.kind == TestTarget::Kind::kMemory || assignment.values.size() == 1,
          "only memory takes more than one value");
    long long largest = LargestValue(assignment.target);
    for (const TestValue& value : assignment.values)
        Check(!value.name.empty() || (value.offset >= 0 && value.offset <= largest),
              "a plain number fits its target");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace cuffware::fuzz;
    const std::string_view text = Text(data, size);
    TestFileReading read = ReadTestFile(text, "fuzz.tst");
    if (read.error) {
        size_t lines = 1;
        for (char c : text)
            lines += c == '\n';
        Check(read.error->line >= 1 && static_cast<size_t>(read.error->line) <= lines,
              "a refusal names a line of the file");
        Check(read.error->column >= 1, "a refusal names a column");
        Check(!read.error->reason.empty(), "a refusal says why");
        Check(read.tests.empty(), "a refused file gives no tests");
        return 0;
    }
    std::set<std::string> names;
    for (const RoutineTest& test : read.tests) {
        Check(!test.routine.empty(), "a test calls a routine");
        Check(!test.name.empty() && !HasControlByte(test.name), "a test has a printable name");
        Check(names.insert(test.name).second, "names are unique in a file");
        for (const TestAssignment& input : test.inputs)
            CheckValues(input);
        for (const TestAssignment& expected : test.expected)
            CheckValues(expected);
        std::set<std::string> entries;
        for (const TestStub& stub : test.stubs) {
            Check(entries.insert(stub.entry).second, "an entry point is stubbed once");
            Check(!stub.calls || *stub.calls >= 0, "a call count is not negative");
            for (const TestAssignment& given : stub.gives)
                CheckValues(given);
        }
    }
    return 0;
}
