// The Options dialog's rules: what is written, and when memory takes the
// fields over.

#include "app/window_models/options_model.h"

#include <gtest/gtest.h>

#include "support/workbench_fixture.h"

namespace cuffware {
namespace {

const std::string kStartIni = "BIN= /sdk \r\nASSEMBLER=c:\\c88\r\nSTATES=3\r\nVERSION=740020\r\n";

class OptionsModelTest : public testing::WorkbenchFixture {
  protected:
    OptionsModelTest() {
        LoadSettings(kStartIni);
        options.Open();
    }

    OptionsModel options{bench};
};

TEST_F(OptionsModelTest, OpensWithTheTrimmedSettingsAndCancelWritesNothing) {
    EXPECT_EQ(options.FieldText(OptionsField::SdkPath), "/sdk");
    EXPECT_EQ(options.FieldText(OptionsField::NumberOfStates), "3");
    options.FieldChanged(OptionsField::SdkPath, "D:\\elsewhere");
    EXPECT_TRUE(options.Ended());  // Cancel: the dialog hid
    EXPECT_EQ(dir.Read("builder.ini"), kStartIni);
    EXPECT_EQ(bench.settings.SdkPath, " /sdk ");
}

TEST_F(OptionsModelTest, OkWritesTheTrimmedFieldsAndMemoryTakesThemOverAtTheEnd) {
    options.FieldChanged(OptionsField::SdkPath, "  D:\\sdk ");
    options.FieldChanged(OptionsField::NumberOfStates, "7x");
    ASSERT_TRUE(options.OK());
    EXPECT_EQ(dir.Read("builder.ini"),
              "BIN=D:\\sdk\r\nASSEMBLER=c:\\c88\r\nSTATES=7\r\nVERSION=740020\r\n");
    EXPECT_EQ(bench.settings.NumberOfStates, 3);
    EXPECT_TRUE(options.Ended());
    EXPECT_EQ(bench.settings.SdkPath, "D:\\sdk");
    EXPECT_EQ(bench.settings.NumberOfStates, 7);
}

// Memory takes the fields as they stand at the end, not as written.
TEST_F(OptionsModelTest, ApplyThenCancelTakesOverTheFieldsAtTheEndAndTheNextOpeningStartsAfresh) {
    options.FieldChanged(OptionsField::FirmwareVersion, "740030");
    options.Apply();
    options.FieldChanged(OptionsField::FirmwareVersion, "740040");
    EXPECT_TRUE(options.Ended());
    EXPECT_NE(dir.Read("builder.ini").find("VERSION=740030"), std::string::npos);
    EXPECT_EQ(bench.settings.FirmwareVersion, "740040");

    options.Open();
    EXPECT_FALSE(options.Written());
    EXPECT_EQ(options.FieldText(OptionsField::FirmwareVersion), "740040");
}

// Every key of builder.ini has its field: what is typed there (a check box
// checked) is what OK writes after the key.
TEST_F(OptionsModelTest, EveryKeyHasAFieldThatOkWrites) {
    auto valueOf = [](const ToolSettingRow& row) {
        return row.kind == ToolSettingKind::Flag
                   ? std::string(FlagText(true))
                   : std::to_string(static_cast<int>(row.setting) + 1);
    };
    for (const ToolSettingRow& row : ToolSettingRows()) {
        if (row.kind == ToolSettingKind::Flag)
            options.CheckChanged(row.setting, true);
        else
            options.FieldChanged(row.setting, valueOf(row));
    }
    ASSERT_TRUE(options.OK());
    std::string written = dir.Read("builder.ini");
    for (const ToolSettingRow& row : ToolSettingRows()) {
        std::string value = valueOf(row);
        EXPECT_EQ(options.FieldText(row.setting), value);
        if (row.kind == ToolSettingKind::Flag) {
            EXPECT_TRUE(options.Checked(row.setting));
        }
        EXPECT_NE(written.find(std::string(row.key) + "=" + value + "\r\n"), std::string::npos)
            << row.key;
    }
}

TEST_F(OptionsModelTest, TheCloseBoxDiscardsTheDialogAndMemoryKeepsItsValues) {
    options.FieldChanged(OptionsField::AssemblerPath, "D:\\c88");
    options.Apply();
    options.CloseBox();
    EXPECT_FALSE(options.Ended());
    EXPECT_NE(dir.Read("builder.ini").find("ASSEMBLER=D:\\c88"), std::string::npos);
    EXPECT_EQ(bench.settings.AssemblerPath, "c:\\c88");
}

// A refused write after a good one keeps the good one's take-over.
TEST_F(OptionsModelTest, AnUnusableNumberOfStatesIsRefusedAndTheDialogStays) {
    options.FieldChanged(OptionsField::NumberOfStates, "-1");
    EXPECT_FALSE(options.OK());
    ASSERT_EQ(user.shown.size(), 1u);
    EXPECT_EQ(user.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_NE(user.shown[0].text.find("builder.ini"), std::string::npos);
    EXPECT_EQ(dir.Read("builder.ini"), kStartIni);
    EXPECT_FALSE(options.Written());
    EXPECT_EQ(options.RefusedField(), OptionsField::NumberOfStates);  // the focus goes there
    options.FieldChanged(OptionsField::NumberOfStates, "12");
    options.Apply();
    EXPECT_EQ(options.RefusedField(), std::nullopt);
}

}  // namespace
}  // namespace cuffware
