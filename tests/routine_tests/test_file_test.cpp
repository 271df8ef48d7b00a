// The test-file reader: what a well-formed file gives, and where and why a
// malformed one is refused.

#include "routine_tests/test_file.h"

#include <gtest/gtest.h>

namespace cuffware {
namespace {

constexpr const char* kTick =
    "; the stopwatch\n"
    "test StopwatchTick counts a second on   ; the name ends at the comment\n"
    "    call StopwatchTick\n"
    "    set [DEMO_VAR_SECONDS] = 5, a = 0x12, Z = 1\n"
    "    set [0x1234] = 1 2 0FFh, HL = DigitTable+3, IX = Base-2\n"
    "    stub DISP_PUT_DIGITS calls 2 gives A = 0, [0x20] = 7 8\n"
    "    stub INPUT_GET_KEY returns KEY_MODE\n"
    "    stub SOUND_PLAY\n"
    "    expect [DEMO_VAR_SECONDS] = 6\n"
    "    expect cycles <= 60\n"
    "    expect stack <= 5\n"
    "end\n"
    "\n"
    "test second\r\n"
    "  CALL Other\r\n"
    "END\r\n";

TEST(TestFile, AWellFormedFileGivesItsTestsInOrder) {
    TestFileReading read = ReadTestFile(kTick, "tick.tst");
    ASSERT_FALSE(read.error) << read.error->Text();
    ASSERT_EQ(read.tests.size(), 2u);
    const RoutineTest& tick = read.tests[0];
    EXPECT_EQ(tick.name, "StopwatchTick counts a second on");
    EXPECT_EQ(tick.routine, "StopwatchTick");
    EXPECT_EQ(tick.line, 2);
    EXPECT_EQ(tick.routineLine, 3);
    ASSERT_EQ(tick.inputs.size(), 6u);
    EXPECT_EQ(tick.inputs[0].target.kind, TestTarget::Kind::kMemory);
    EXPECT_EQ(tick.inputs[0].target.address, (TestValue{"DEMO_VAR_SECONDS", 0}));
    EXPECT_EQ(tick.inputs[0].values, std::vector<TestValue>{(TestValue{"", 5})});
    EXPECT_EQ(tick.inputs[1].target.name, "A");
    EXPECT_EQ(tick.inputs[1].values[0].offset, 0x12);
    EXPECT_EQ(tick.inputs[2].target.kind, TestTarget::Kind::kFlag);
    EXPECT_EQ(tick.inputs[3].values, (std::vector<TestValue>{{"", 1}, {"", 2}, {"", 0xFF}}));
    EXPECT_EQ(tick.inputs[4].values[0], (TestValue{"DigitTable", 3}));
    EXPECT_EQ(tick.inputs[5].values[0], (TestValue{"Base", -2}));
    ASSERT_EQ(tick.stubs.size(), 3u);
    EXPECT_EQ(tick.stubs[0].entry, "DISP_PUT_DIGITS");
    EXPECT_EQ(tick.stubs[0].calls, 2);
    ASSERT_EQ(tick.stubs[0].gives.size(), 2u);
    EXPECT_EQ(tick.stubs[0].gives[1].values.size(), 2u);
    EXPECT_FALSE(tick.stubs[0].returns);
    EXPECT_EQ(tick.stubs[1].returns, (TestValue{"KEY_MODE", 0}));
    EXPECT_FALSE(tick.stubs[2].calls);
    EXPECT_EQ(tick.expected.size(), 1u);
    EXPECT_EQ(tick.maxCycles, 60);
    EXPECT_EQ(tick.maxStackBytes, 5);
    EXPECT_EQ(read.tests[1].name, "second");
    EXPECT_EQ(read.tests[1].routine, "Other");
    EXPECT_FALSE(read.tests[1].maxCycles);
}

TEST(TestFile, AnEmptyFileHasNoTests) {
    for (const char* text : {"", "\n\n", "; only a comment\n"}) {
        TestFileReading read = ReadTestFile(text, "none.tst");
        EXPECT_FALSE(read.error);
        EXPECT_TRUE(read.tests.empty());
    }
}

// Each malformed file is refused at its first fault, with line and column.
TEST(TestFile, AMalformedFileIsRefusedWithItsPlaceAndReason) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"call X\n", "t.tst:1:1: error: expected 'test NAME', not 'call'"},
        {"test\n", "t.tst:1:5: error: expected a name after 'test' at the end of the line"},
        {"test a\nend\n", "t.tst:2:1: error: test 'a' calls no routine ('call NAME')"},
        {"test a\ncall X\n", "t.tst:2:1: error: test 'a' (line 1) has no 'end'"},
        {"test a\ncall X\ntest b\n", "t.tst:3:1: error: test 'a' (line 1) has no 'end' before"},
        {"test a\ncall X\nend\ntest a\n", "t.tst:4:6: error: a second test named 'a'"},
        {"test a\n call X\n call Y\n", "t.tst:3:2: error: a test calls one routine"},
        {"test a\n call 12\n", "t.tst:2:7: error: expected the routine's label, not '12'"},
        {"test a\n jump X\n",
         "t.tst:2:2: error: expected call, set, stub, expect or end, not 'jump'"},
        {"test a\n set Q = 1\n",
         "t.tst:2:6: error: no register or flag 'Q' (A, B, H, L, BA, HL, IX, IY, SP, BR, SC, PC; "
         "flags Z, C, V, N, D, U)"},
        {"test a\n set A = 256\n", "t.tst:2:10: error: A holds 0 to 0xFF, not 256"},
        {"test a\n set HL = 0x10000\n", "t.tst:2:11: error: HL holds 0 to 0xFFFF, not 65536"},
        {"test a\n set Z = 2\n", "t.tst:2:10: error: a flag is 0 or 1, not 2"},
        {"test a\n set [X] = 1 300\n", "t.tst:2:14: error: a byte is 0 to 0xFF, not 300"},
        {"test a\n set A = 1 2\n", "t.tst:2:12: error: expected the end of the line, not '2'"},
        {"test a\n set A 1\n", "t.tst:2:8: error: expected '=', not '1'"},
        {"test a\n set A =\n",
         "t.tst:2:9: error: expected a number or a name at the end of the line"},
        {"test a\n set A = 1G\n", "t.tst:2:10: error: '1G' is no number (0x1F, 1Fh or 31)"},
        {"test a\n set [X = 1\n", "t.tst:2:9: error: expected ']', not '='"},
        {"test a\n set A = X+\n",
         "t.tst:2:12: error: expected a number after the sign at the end of the line"},
        {"test a\n set A = 1,\n",
         "t.tst:2:12: error: expected a register, a flag or [address] at the end of the line"},
        {"test a\n expect cycles 5\n", "t.tst:2:16: error: expected '<=', not '5'"},
        {"test a\n expect stack <= 1 expect stack <= 2\n",
         "t.tst:2:20: error: expected the end of the line, not 'expect'"},
        {"test a\n expect cycles <= 5\n expect cycles <= 6\n",
         "t.tst:3:9: error: a second limit of cycles"},
        {"test a\n expect cycles <= 9999999999\n",
         "t.tst:2:19: error: the most cycles up to 1000000000"},
        {"test a\n stub\n",
         "t.tst:2:6: error: expected the SDK entry point's name at the end of the line"},
        {"test a\n stub S\n stub S calls 1\n", "t.tst:3:7: error: a second stub of S"},
        {"test a\n stub S calls\n",
         "t.tst:2:14: error: expected the number of calls at the end of the line"},
        {"test a\n stub S yields 1\n",
         "t.tst:2:9: error: expected the end of the line, not 'yields'"},
        {"test a\n stub S returns 0x10000\n", "t.tst:2:17: error: BA holds 0 to 0xFFFF, not 65536"},
        {"test a\n stub S returns\n",
         "t.tst:2:16: error: expected a number or a name at the end of the line"},
        {"test a\n stub S gives\n",
         "t.tst:2:14: error: expected a register, a flag or [address] at the end of the line"},
        {"test a\n set HL = b\n", "t.tst:2:11: error: 'b' is a register or a flag, not a value"},
        {"test a\n set A = 1 # 2\n", "t.tst:2:12: error: expected the end of the line, not '#'"},
        {"test a\x1b\n", "t.tst:1:6: error: a test's name holds no control character"},
    };
    for (const Case& c : cases) {
        TestFileReading read = ReadTestFile(c.text, "t.tst");
        ASSERT_TRUE(read.error) << c.text;
        EXPECT_EQ(read.error->Text(), c.message) << c.text;
        EXPECT_TRUE(read.tests.empty());
    }
}

TEST(TestFile, NumbersAreDecimalHexOrHexWithH) {
    TestFileReading read = ReadTestFile(
        "test n\n call R\n set A = 10, B = 0x1f, H = 1Fh, L = 0ah, IX = 0\nend\n", "n.tst");
    ASSERT_FALSE(read.error) << read.error->Text();
    std::vector<long long> values;
    for (const TestAssignment& input : read.tests[0].inputs)
        values.push_back(input.values[0].offset);
    EXPECT_EQ(values, (std::vector<long long>{10, 0x1F, 0x1F, 0x0A, 0}));
    // A name that starts with a letter is a name even when it reads as hex.
    read = ReadTestFile("test n\n call R\n set A = ABh\nend\n", "n.tst");
    ASSERT_FALSE(read.error);
    EXPECT_EQ(read.tests[0].inputs[0].values[0].name, "ABh");
}

}  // namespace
}  // namespace cuffware
