#include "package/description_file.h"

#include <gtest/gtest.h>

#include "project/text_file.h"

namespace cuffware {
namespace {

ProjectRecord Alarm() {
    ProjectRecord project;
    project.ApplicationName = " Alarm Clock ";
    project.FolderName = "Alarm ";
    project.Description = "  Two daily alarms,   set   apart ";
    project.VersionRequired = " 740018";
    project.BuildDirectory = "C:\\q740\\app\\alarm\\build ";
    return project;
}

std::string Lines(std::initializer_list<std::string_view> lines) {
    TextFile file;
    for (std::string_view line : lines)
        file.Line(line);
    return file.Text();
}

// The lines that carry the project's texts or are easily mistyped, by number.
TEST(DescriptionFile, FillsInTheApplicationAndListsThePackage) {
    const GeneratedFile file = CreateFile_DescriptionFile(Alarm());
    EXPECT_EQ(file.path, "C:\\q740\\app\\alarm\\build\\Alarm.txt");
    const std::vector<std::string_view> lines = SplitLines(file.content);
    ASSERT_EQ(lines.size(), 49u);  // no database, no PC interface
    const std::pair<int, std::string> expected[] = {
        {1, "Cuffware: ALARM CLOCK"},
        {2, std::string(80, '=')},
        {7, "  Two daily alarms,   set   apart"},
        {23, "   START/SPLIT - "},
        {31, " << set  state overview >>"},
        {37, "   CROWN-CW/CCW - "},
        {39, "  "},
        {44, " ALARM.APP                - application info"},
        {45, " ALARM.TXT                - application description (this file)"},
        {46, " ALARM_PAR_018.BIN        - application initialization parameter list"},
        {47, " ALARM_CODE_018.BIN       - application code"},
        {48, ""},
        {49, ""},
    };
    for (const auto& [number, text] : expected)
        EXPECT_EQ(lines[number - 1], text) << "line " << number;
}

TEST(DescriptionFile, ListsTheDatabaseAndInterfaceCutTo25Columns) {
    ProjectRecord project = Alarm();
    project.FolderName = "AlarmClock123";  // 13 characters: the code image name has 26
    project.DatabaseSupport = 1;
    project.PCInterface = " c:\\program files\\alarm\\setup.exe ";
    const std::string content = CreateFile_DescriptionFile(project).content;
    EXPECT_TRUE(content.ends_with(Lines({
        " ALARMCLOCK123_PAR_018.BIN- application initialization parameter list",
        " ALARMCLOCK123_CODE_018.BI- application code",
        " ALARMCLOCK123_DBASE_018.B- database file",
        " C:\\PROGRAM FILES\\ALARM\\SE- PC Interface",
        "",
        "",
    }))) << content;
}

}  // namespace
}  // namespace cuffware
