// What the SDK headers' comments say an entry point gives.

#include "routine_tests/entry_contracts.h"

#include <gtest/gtest.h>

namespace cuffware {
namespace {

TEST(EntryContracts, EachGivesLineNamesRegistersFlagsOrMemory) {
    std::map<std::string, EntryContract> contracts = EntryContractsFromHeader(
        ";**FILE TIME.H\r\n"
        ";\r\n"
        "; TIME_GET: reads the watch's time.\r\n"
        ";   takes: nothing\r\n"
        ";   gives: [TIMEVAR_HOURS], [TIMEVAR_MINUTES] = the time\r\n"
        "TIME_GET  equ  0xC800\r\n"
        "\r\n"
        "; ALARM_GET: the alarm time.\r\n"
        ";   takes: nothing\r\n"
        ";   gives: A = the hour, B = the minute, Z = 1 when the alarm is off\r\n"
        "; STR_FROM_BCD: the two characters of a BCD byte.\r\n"
        ";   gives: [HL] and [HL+1] = the characters\r\n"
        "; DISP_CLEAR: clears the display.\r\n"
        ";   gives: nothing\r\n"
        "; EVENT_GET: the next event.\r\n"
        ";   gives: A = the event, or none\r\n"
        ";   gives: A = a gives line without an entry above it\r\n"
        "NOTES equ 1\r\n");
    ASSERT_EQ(contracts.size(), 4u);  // EVENT_GET's second clause says something else
    EXPECT_EQ(contracts["TIME_GET"].memory,
              (std::set<std::string>{"TIMEVAR_HOURS", "TIMEVAR_MINUTES"}));
    EXPECT_TRUE(contracts["TIME_GET"].registers.empty());
    EXPECT_EQ(contracts["ALARM_GET"].registers, (std::set<std::string>{"A", "B", "Z"}));
    EXPECT_TRUE(contracts["STR_FROM_BCD"].anyMemory);
    EXPECT_TRUE(contracts["DISP_CLEAR"].registers.empty());
    EXPECT_FALSE(contracts["DISP_CLEAR"].anyMemory);
    EXPECT_FALSE(contracts.contains("EVENT_GET"));
}

}  // namespace
}  // namespace cuffware
