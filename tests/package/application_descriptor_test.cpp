#include "package/application_descriptor.h"

#include <gtest/gtest.h>

namespace cuffware {
namespace {

ProjectRecord AlarmProject() {
    ProjectRecord p;
    p.ApplicationName = "Alarm Clock";
    p.Description = "Two daily alarms";
    p.BannerLine1 = "ALARM";
    p.BannerLine2 = "CLOCK";
    p.FolderName = "Alarm";
    p.VersionRequired = "740018";
    p.PasswordSupport = 1;
    p.BuildDirectory = "c:\\q740\\app\\Alarm\\build";
    return p;
}

TEST(ApplicationDescriptor, AlarmInFull) {
    GeneratedFile app = ComposeApplicationDescriptor(AlarmProject());
    EXPECT_EQ(app.path, "c:\\q740\\app\\Alarm\\build\\Alarm.app");
    EXPECT_EQ(app.content,
              "[Cuffware]\r\nName=Alarm Clock\r\nDescription=Two daily alarms\r\n"
              "Line1=ALARM\r\nLine2=CLOCK\r\nVersion Required=018\r\n"
              "PAR=alarm_par_018.bin\r\nCODE=alarm_code_018.bin\r\nDB=\r\n"
              "Password Support=YES\r\nApp Interface=\r\n");
}

TEST(ApplicationDescriptor, ShortVersionDatabaseAndBlanks) {
    ProjectRecord p = AlarmProject();
    p.VersionRequired = " 18 ";
    p.DatabaseSupport = 1;
    p.PasswordSupport = 0;
    p.FolderName = " Alarm ";
    p.ApplicationName = "   ";
    p.PCInterface = " alarm.exe ";
    GeneratedFile app = ComposeApplicationDescriptor(p);
    EXPECT_EQ(app.path, "c:\\q740\\app\\Alarm\\build\\Alarm.app");
    EXPECT_EQ(app.content,
              "[Cuffware]\r\nName=\r\nDescription=Two daily alarms\r\n"
              "Line1=ALARM\r\nLine2=CLOCK\r\nVersion Required=18\r\n"
              "PAR=alarm_par_18.bin\r\nCODE=alarm_code_18.bin\r\nDB=alarm_dbase_18.bin\r\n"
              "Password Support=\r\nApp Interface=alarm.exe\r\n");
}

}  // namespace
}  // namespace cuffware
