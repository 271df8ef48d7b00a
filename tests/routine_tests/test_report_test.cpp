// What cuffware test prints of the outcomes: the text for people and the
// JSON for scripts.

#include "routine_tests/test_report.h"

#include <gtest/gtest.h>

namespace cuffware {
namespace {

std::vector<TestFileOutcomes> Outcomes() {
    TestOutcome passed{"ticks", true, 24, {}, {}};
    TestOutcome failed{"wraps \"at\" 60",
                       false,
                       41,
                       {"expected A = 0x00, seen 0x3C", "expected 1 calls of SOUND_PLAY, seen 0"},
                       {"000034  68           LD [HL],A", "000036  F8           RET"}};
    return {{"a.tst", {passed}}, {"b.tst", {failed}}};
}

TEST(TestReport, ALinePerTestTheTraceUnderAFailureAndTheCountsLast) {
    EXPECT_EQ(TestReportText(Outcomes()),
              "PASS ticks (24 cycles)\n"
              "FAIL wraps \"at\" 60: expected A = 0x00, seen 0x3C; expected 1 calls of "
              "SOUND_PLAY, seen 0\n"
              "    000034  68           LD [HL],A\n"
              "    000036  F8           RET\n"
              "1 passed, 1 failed\n");
    EXPECT_FALSE(AllPassed(Outcomes()));
    EXPECT_EQ(TestReportText({}), "0 passed, 0 failed\n");
    EXPECT_TRUE(AllPassed({{"a.tst", {Outcomes()[0].outcomes}}}));
}

TEST(TestReport, TheJsonNamesTheFileAndEscapesTheTexts) {
    EXPECT_EQ(TestReportJson(Outcomes()),
              "{\"tests\":[{\"file\":\"a.tst\",\"name\":\"ticks\",\"passed\":true,\"cycles\":24,"
              "\"failures\":[],\"trace\":[]},{\"file\":\"b.tst\",\"name\":\"wraps \\\"at\\\" 60\","
              "\"passed\":false,\"cycles\":41,\"failures\":[\"expected A = 0x00, seen 0x3C\","
              "\"expected 1 calls of SOUND_PLAY, seen 0\"],\"trace\":[\"000034  68           LD "
              "[HL],A\",\"000036  F8           RET\"]}],\"passed\":1,\"failed\":1}");
}

}  // namespace
}  // namespace cuffware
