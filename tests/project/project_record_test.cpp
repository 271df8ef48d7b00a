#include "project/project_record.h"

#include <gtest/gtest.h>

namespace cuffware {
namespace {

ToolSettings Settings(std::string sdk = "c:\\q740") {
    ToolSettings s = DefaultToolSettings();
    s.SdkPath = std::move(sdk);
    return s;
}

TEST(DirectoryDerivation, FillsTheFiveDirectoriesAndUnlocksTheDetails) {
    ProjectRecord project = StartupProject(Settings());
    EXPECT_FALSE(project.DetailsEditable);
    SetFolderName(project, "demo", Settings());
    EXPECT_EQ(project.HeaderDirectory, "c:\\q740\\app\\demo\\h");
    EXPECT_EQ(project.SourceDirectory, "c:\\q740\\app\\demo\\src");
    EXPECT_EQ(project.BuildDirectory, "c:\\q740\\app\\demo\\build");
    EXPECT_EQ(project.IncludeDirectory, "c:\\q740\\include");
    EXPECT_EQ(project.AssemblerDirectory, "c:\\c88");
    EXPECT_TRUE(project.DetailsEditable);
    EXPECT_EQ(ScriptPath(project), "c:\\q740\\app\\demo\\build\\demo.scr");
}

TEST(DirectoryDerivation, BlanksAtTheEndsVanishAndABlankNameChangesNothing) {
    ProjectRecord project = StartupProject(Settings());
    SetFolderName(project, "demo ", Settings());
    EXPECT_EQ(project.FolderName, "demo");
    project.BuildDirectory = "edited by hand";
    SetFolderName(project, "   ", Settings());
    EXPECT_EQ(project.FolderName, "   ");
    EXPECT_EQ(project.BuildDirectory, "edited by hand");
    EXPECT_TRUE(project.DetailsEditable);
    SetFolderName(project, "demo2", Settings());
    EXPECT_EQ(project.BuildDirectory, "c:\\q740\\app\\demo2\\build");
}

TEST(DirectoryDerivation, SdkPathIsUsedExactlyAsHeld) {
    ProjectRecord project;
    SetFolderName(project, "demo", Settings("c:\\q740\\"));
    EXPECT_EQ(project.HeaderDirectory, "c:\\q740\\\\app\\demo\\h");
    EXPECT_EQ(project.IncludeDirectory, "c:\\q740\\\\include");
}

TEST(StartupProject, TakesTheTrimmedFirmwareVersionAndTheStateCount) {
    ToolSettings s = Settings();
    s.FirmwareVersion = " 740020 ";
    s.NumberOfStates = 7;
    ProjectRecord project = StartupProject(s);
    EXPECT_EQ(project.VersionRequired, "740020");
    EXPECT_EQ(project.Files.CategoryCount(), 12);
    EXPECT_EQ(project.Files.Find(StateNode(7))->text, "State 7");
}

}  // namespace
}  // namespace cuffware
