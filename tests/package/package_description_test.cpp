#include "package/package_description.h"

#include <gtest/gtest.h>

#include "support/text_lines.h"

#include "platform/text_file.h"

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

using testing::Lines;

TEST(DescriptionFile, FillsInTheApplicationAndListsThePackage) {
    const GeneratedFile file = ComposeDescriptionFile(Alarm());
    EXPECT_EQ(file.path, "C:\\q740\\app\\alarm\\build\\Alarm.txt");
    EXPECT_EQ(file.content,
              Lines({"Cuffware: ALARM CLOCK",
                     std::string(80, '='),
                     "",
                     "Description:",
                     "------------",
                     "",
                     "  Two daily alarms,   set   apart",
                     "",
                     " << cuffware overview >>",
                     "",
                     "",
                     "Usage:",
                     "------",
                     "",
                     " Default State:",
                     " --------------",
                     "",
                     " << default state overview >>",
                     "",
                     "  Switches:",
                     "",
                     "   MODE        - ",
                     "   START/SPLIT - ",
                     "   STOP/RESET  - ",
                     "   CROWN-SET   - ",
                     "",
                     "",
                     " Set State:",
                     " ----------",
                     "",
                     " << set  state overview >>",
                     "",
                     "  Switches:",
                     "",
                     "   MODE         - ",
                     "   STOP/RESET   - ",
                     "   CROWN-CW/CCW - ",
                     "   CROWN-HOME   - ",
                     "  ",
                     "",
                     "Files:",
                     "------",
                     "",
                     " ALARM.APP                - application info",
                     " ALARM.TXT                - application description (this file)",
                     " ALARM_PAR_018.BIN        - application initialization parameter list",
                     " ALARM_CODE_018.BIN       - application code",
                     "",
                     ""}));
}

TEST(DescriptionFile, ListsTheDatabaseAndInterfaceCutTo25Columns) {
    ProjectRecord project = Alarm();
    project.FolderName = "AlarmClock123";  // 13 characters: the code image name has 26
    project.DatabaseSupport = 1;
    project.PCInterface = " c:\\program files\\alarm\\setup.exe ";
    const std::string content = ComposeDescriptionFile(project).content;
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
