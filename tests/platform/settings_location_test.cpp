#include "platform/settings_location.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/environment_scope.h"
#include "support/temp_dir.h"

namespace cuffware {
namespace {

namespace fs = std::filesystem;
using testing::EnvironmentScope;
using testing::TempDir;

// A directory where programs are installed for every user, and the variable
// naming the base of the user's settings directory.
#ifdef _WIN32
const std::string kSystemProgramDir = std::string(std::getenv("ProgramFiles")) + "\\Cuffware\\bin";
const char* const kUserBase = "APPDATA";
const char* const kUserSubdirectory = "Cuffware";
#else
const std::string kSystemProgramDir = "/usr/lib/cuffware";
const char* const kUserBase = "XDG_CONFIG_HOME";
const char* const kUserSubdirectory = "cuffware";
#endif

TEST(SettingsLocation, BesideAProgramInAWritableDirectory) {
    TempDir dir;
    EXPECT_EQ(fs::path(SettingsFileFor(dir.path(), "builder.ini")), fs::path(dir / "builder.ini"));
    EXPECT_FALSE(dir.Exists("builder.ini"));  // created when the settings are loaded
}

TEST(SettingsLocation, ASystemProgramDirectoryGivesTheUsersDirectoryCreatedOnTheWay) {
    TempDir dir;
    EnvironmentScope environment(kUserBase, dir / "config");
    std::string file = SettingsFileFor(kSystemProgramDir, "builder.ini");
    EXPECT_EQ(fs::path(file), fs::path(dir / "config") / kUserSubdirectory / "builder.ini");
    EXPECT_TRUE(fs::is_directory(fs::path(file).parent_path()));
}

#ifdef _WIN32
TEST(SettingsLocation, ProgramFilesIsNeverWrittenWhateverItsCaseButItsNeighbourIs) {
    TempDir dir;
    EnvironmentScope environment("ProgramFiles", dir / "Program Files");
    fs::create_directories(dir / "Program Files/x");
    fs::create_directories(dir / "Program Files (mine)");
    std::string upper = dir / "PROGRAM FILES";
    EXPECT_FALSE(MayKeepSettingsIn(dir / "Program Files"));
    EXPECT_FALSE(MayKeepSettingsIn(upper + "\\x"));
    EXPECT_TRUE(MayKeepSettingsIn(dir / "Program Files (mine)"));
}
#else
TEST(SettingsLocation, ARelativeOrEmptyConfigHomeFallsBackToTheHomeDirectory) {
    TempDir dir;
    EnvironmentScope environment("HOME", dir.path());
    for (const char* configHome : {"relative/config", "", static_cast<const char*>(nullptr)}) {
        environment.Set("XDG_CONFIG_HOME", configHome);
        EXPECT_EQ(UserSettingsDirectory(), dir / ".config/cuffware");
    }
    EXPECT_FALSE(MayKeepSettingsIn("/usr/local/bin"));
    EXPECT_FALSE(MayKeepSettingsIn(dir / "missing"));
}
#endif

}  // namespace
}  // namespace cuffware
