#include "project/tool_settings.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace cuffware {
namespace {

using testing::TempDir;

TEST(ToolSettingsFile, MissingFileIsCreatedWithTheDefaults) {
    TempDir dir;
    Result<LoadedToolSettings> loaded = LoadToolSettings(DiskFileSystem(), dir / "builder.ini");
    ASSERT_TRUE(loaded.ok());
    EXPECT_EQ(dir.Read("builder.ini"),
              "BIN=c:\\q740\r\nASSEMBLER=c:\\c88\r\nSTATES=15\r\nVERSION=740018\r\n");
    EXPECT_EQ(loaded->settings.SdkPath, "c:\\q740");
    EXPECT_EQ(loaded->settings.AssemblerPath, "c:\\c88");
    EXPECT_EQ(loaded->settings.NumberOfStates, 15);
    EXPECT_EQ(loaded->settings.FirmwareVersion, "740018");
    EXPECT_TRUE(loaded->warnings.empty());
}

TEST(ToolSettingsFile, FileThatCanNeitherBeReadNorCreatedFails) {
    TempDir dir;
    Result<LoadedToolSettings> loaded =
        LoadToolSettings(DiskFileSystem(), dir / "missing/builder.ini");
    ASSERT_FALSE(loaded.ok());
    EXPECT_EQ(loaded.error().path, dir / "missing/builder.ini");
}

TEST(ToolSettingsFile, KeysIgnoreCaseAndTheLastOccurrenceWins) {
    ToolSettings s = ParseToolSettings(
        "bin=D:\\first\r\n  BIN=D:\\sdk, with comma\r\nAssembler=e:\\c88\r\nstates=7x\r\n"
        "VERSION=0740018\r\nnoise line\r\n");
    EXPECT_EQ(s.SdkPath, "D:\\sdk, with comma");
    EXPECT_EQ(s.AssemblerPath, "e:\\c88");
    EXPECT_EQ(s.NumberOfStates, 7);
    EXPECT_EQ(s.FirmwareVersion, "740018");
}

TEST(ToolSettingsFile, ValuesFollowTheNumericRules) {
    EXPECT_EQ(ParseToolSettings("STATES=2.5").NumberOfStates, 2);
    EXPECT_EQ(ParseToolSettings("STATES=3.5").NumberOfStates, 4);
    EXPECT_EQ(ParseToolSettings("VERSION=740018beta").FirmwareVersion, "740018");
    EXPECT_EQ(ParseToolSettings("VERSION=beta").FirmwareVersion, "0");
    // Missing keys: empty texts and no states.
    ToolSettings empty = ParseToolSettings("STATES=4\n");
    EXPECT_EQ(empty.SdkPath, "");
    EXPECT_EQ(empty.FirmwareVersion, "");
    EXPECT_EQ(ParseToolSettings("BIN=x").NumberOfStates, 0);
}

TEST(ToolSettingsFile, NumberOfStatesOutOfRangeFallsBackToTheDefaultWithAWarning) {
    TempDir dir;
    dir.Write("builder.ini", "BIN=c:\\q740\r\nSTATES=300\r\n");
    Result<LoadedToolSettings> loaded = LoadToolSettings(DiskFileSystem(), dir / "builder.ini");
    ASSERT_TRUE(loaded.ok());
    EXPECT_EQ(loaded->settings.NumberOfStates, 15);
    ASSERT_EQ(loaded->warnings.size(), 1u);
    EXPECT_EQ(loaded->warnings[0],
              dir / "builder.ini" + ": Number of States 300 is outside 0 to 254; 15 is used");
    dir.Write("builder.ini", "STATES=-1\r\n");
    EXPECT_EQ(LoadToolSettings(DiskFileSystem(), dir / "builder.ini")->settings.NumberOfStates, 15);
    dir.Write("builder.ini", "STATES=254\r\n");
    EXPECT_EQ(LoadToolSettings(DiskFileSystem(), dir / "builder.ini")->settings.NumberOfStates,
              254);
}

TEST(ToolSettingsFile, WritingTrimsAndWritesTheNumericValueOfTheStates) {
    TempDir dir;
    ToolSettingsFields fields{"  D:\\sdk ", "C:\\c88", " 7x", "740018 "};
    ASSERT_TRUE(WriteToolSettingsFile(DiskFileSystem(), dir / "builder.ini", fields).ok());
    EXPECT_EQ(dir.Read("builder.ini"),
              "BIN=D:\\sdk\r\nASSEMBLER=C:\\c88\r\nSTATES=7\r\nVERSION=740018\r\n");
    fields[ToolSetting::NumberOfStates] =
        "2.5";  // written with its fraction, rounded when read back
    ASSERT_TRUE(WriteToolSettingsFile(DiskFileSystem(), dir / "builder.ini", fields).ok());
    EXPECT_NE(dir.Read("builder.ini").find("STATES=2.5\r\n"), std::string::npos);
    EXPECT_EQ(ToolSettingsFromFields(fields).NumberOfStates, 2);
    EXPECT_EQ(ToolSettingsFromFields(fields).SdkPath, "D:\\sdk");
}

TEST(ToolSettingsFile, WritingRefusesAnUnusableNumberOfStatesAndKeepsTheFile) {
    TempDir dir;
    dir.Write("builder.ini", "old");
    Status written =
        WriteToolSettingsFile(DiskFileSystem(), dir / "builder.ini", {{"a", "b", "300", "1"}});
    ASSERT_FALSE(written.ok());
    EXPECT_NE(written.error().message.find("300 is outside 0 to 254"), std::string::npos);
    EXPECT_EQ(dir.Read("builder.ini"), "old");
}

// A check box's key is written as 1 or 0 and read leniently, as a hand
// edited file may hold it.
TEST(ToolSettingsFlag, IsWrittenAsOneOrZeroAndReadLeniently) {
    EXPECT_EQ(FlagText(true), "1");
    EXPECT_EQ(FlagText(false), "0");
    for (const char* on : {"1", "-1", "2", " 1 ", "1.0", "0.5", "true", "YES", "On", " on "})
        EXPECT_TRUE(FlagValue(on)) << on;
    for (const char* off : {"0", "", "  ", "0.0", "-0", "false", "no", "OFF", "x", "yes!", "onto"})
        EXPECT_FALSE(FlagValue(off)) << off;
    EXPECT_TRUE(FlagValue(FlagText(true)));
    EXPECT_FALSE(FlagValue(FlagText(false)));
}

TEST(ToolSettingsTable, EveryKeyHasItsRowAndRoundTripsThroughTheFileAndTheFields) {
    std::span<const ToolSettingRow> rows = ToolSettingRows();
    ASSERT_EQ(rows.size(), kToolSettingCount);
    for (size_t i = 0; i < rows.size(); ++i) {
        const ToolSettingRow& row = rows[i];
        SCOPED_TRACE(std::string(row.key));
        EXPECT_EQ(static_cast<size_t>(row.setting), i);
        EXPECT_EQ(&ToolSettingRowOf(row.setting), &row);
        EXPECT_EQ(row.kind == ToolSettingKind::Count, row.count != nullptr);
        EXPECT_EQ(row.kind == ToolSettingKind::Flag, row.flag != nullptr);
        EXPECT_EQ(row.kind == ToolSettingKind::Text || row.kind == ToolSettingKind::Decimal,
                  row.text != nullptr);
        EXPECT_NE(std::string_view(row.caption), "");

        // A value of its own for this key only: written, read back, and the
        // same through the Options dialog's fields.
        ToolSettings settings = DefaultToolSettings();
        if (row.count)
            settings.*row.count = static_cast<int16_t>(row.maximum);
        else if (row.flag)
            settings.*row.flag = !(settings.*row.flag);
        else
            settings.*row.text = "12345";
        std::string text = ToolSettingsFileText(settings);
        EXPECT_NE(text.find(std::string(row.key) + "="), std::string::npos);
        ToolSettings read = ParseToolSettings(text);
        EXPECT_EQ(ToolSettingsFileText(read), text);
        EXPECT_EQ(ToolSettingsFileText(ToolSettingsFromFields(ToolSettingsFieldsOf(read))), text);
        TempDir dir;
        ASSERT_TRUE(
            WriteToolSettingsFile(DiskFileSystem(), dir / "builder.ini", ToolSettingsFieldsOf(read))
                .ok());
        EXPECT_EQ(dir.Read("builder.ini"), text);
    }
}

}  // namespace
}  // namespace cuffware
