// The main window's rules, driven as a front end drives them: what the user
// did in, what to show out.

#include "app/window_models/main_window_model.h"

#include <gtest/gtest.h>

#include "support/empty_registry.h"
#include "support/environment_scope.h"
#include "support/recording_processes.h"
#include "support/recording_user_port.h"
#include "support/temp_dir.h"

namespace cuffware {
namespace {

using testing::Shown;

class MainWindowModelTest : public ::testing::Test {
  protected:
    MainWindowModelTest() : model(DiskFileSystem(), processes, user, registry) {
        dir.Write("builder.ini", "BIN=" + dir / "q740" +
                                     "\r\nASSEMBLER=c:\\c88\r\nSTATES=3\r\n"
                                     "VERSION=740020\r\n");
    }

    void Start(const std::string& argument = "") {
        model.Start(dir / "builder.ini", argument);
        user.shown.clear();
    }

    std::vector<std::string> Texts(int parent) const {
        std::vector<std::string> texts;
        for (const TreeRow& row : model.TreeRows())
            if (row.parent == parent)
                texts.push_back(row.text);
        return texts;
    }

    const TreeRow& Row(int node) const {
        rows = model.TreeRows();
        for (const TreeRow& row : rows)
            if (row.node == node)
                return row;
        static const TreeRow none{};
        return none;
    }

    int FirstFile(int category) const { return model.bench().project.Files.FirstChild(category); }

    testing::TempDir dir;
    // No drives but those a test lays out: the user's own ~/.wine stays out.
    testing::EnvironmentScope noWinePrefix{"WINEPREFIX", dir / "no-prefix"};
    testing::RecordingUserPort user;
    testing::RecordingProcesses processes;
    testing::EmptyRegistry registry;
    MainWindowModel model;
    mutable std::vector<TreeRow> rows;
};

TEST_F(MainWindowModelTest, StartsWithTheEmptyProjectLockedDetailsAndTheCategoryTree) {
    model.Start(dir / "builder.ini", "   ");
    EXPECT_EQ(model.StatusText(), "Ready");
    EXPECT_EQ(model.FieldText(MainField::VersionRequired), "740020");
    EXPECT_TRUE(model.FieldEnabled(MainField::FolderName));
    EXPECT_FALSE(model.FieldEnabled(MainField::Description));
    EXPECT_FALSE(model.FieldEnabled(MainField::AssemblerDirectory));
    EXPECT_FALSE(model.FileButtonsEnabled());
    EXPECT_FALSE(model.AcceptsFileDrops());
    EXPECT_EQ(Texts(0), std::vector<std::string>{"Application"});
    EXPECT_EQ(Texts(kRootNode), (std::vector<std::string>{
                                    "Parameter File", "Header File", "Background Handler File",
                                    "Common Files", "State 0", "State 1", "State 2", "State 3"}));
    EXPECT_TRUE(Row(kRootNode).checked && Row(kRootNode).expanded);
    EXPECT_TRUE(!Row(kCommonNode).checked && Row(kCommonNode).expanded);
    EXPECT_EQ(Row(kCommonNode).depth, 1);

    model.Start(dir / "builder.ini", dir / "missing.scr");
    EXPECT_EQ(user.Messages().size(), 1u);
    EXPECT_EQ(model.FieldText(MainField::ApplicationName), "");
}

// Every field pinned, so moving one between the locked and the open ones
// shows: Application Name, Folder Name and Version Required can always be
// typed in; the rest wait for a folder name.
TEST_F(MainWindowModelTest, EachFieldIsEnabledOnABlankProjectOrOnlyAfterAFolderName) {
    Start();
    auto enabled = [this] {
        std::vector<bool> states;
        for (const MainFieldLayout& layout : MainFieldLayouts())
            states.push_back(model.FieldEnabled(layout.field));
        return states;
    };
    //                            name  folder descr  ban1   ban2   version pc
    //                            header source build  include assembler
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, false, false, false, true, false, false,
                                            false, false, false, false}));
    model.FieldChanged(MainField::FolderName, "demo");
    EXPECT_EQ(enabled(), std::vector<bool>(12, true));
}

// A row for each field and check box, in the enum's order, each showing a
// member of its own: what one is given, the project holds there and no other
// field shows.
TEST_F(MainWindowModelTest, EachFieldAndCheckBoxHasItsRowAndItsOwnMember) {
    Start();
    model.FieldChanged(MainField::FolderName, "demo");
    std::span<const MainFieldLayout> fields = MainFieldLayouts();
    ASSERT_EQ(fields.size(), kMainFieldCount);
    for (size_t i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(static_cast<size_t>(fields[i].field), i);
        model.FieldChanged(fields[i].field, "v" + std::to_string(i));
    }
    for (const MainFieldLayout& layout : fields) {
        std::string expected = "v" + std::to_string(static_cast<size_t>(layout.field));
        EXPECT_EQ(model.FieldText(layout.field), expected) << layout.caption;
        EXPECT_EQ(model.bench().project.*layout.member, expected) << layout.caption;
    }
    EXPECT_EQ(model.bench().project.PCInterface, "v6");
    EXPECT_EQ(fields.front().block, MainFieldBlock::Parameters);
    EXPECT_EQ(fields.back().block, MainFieldBlock::Directories);

    std::span<const MainCheckLayout> checks = MainCheckLayouts();
    ASSERT_EQ(checks.size(), kMainCheckCount);
    for (size_t i = 0; i < checks.size(); ++i) {
        EXPECT_EQ(static_cast<size_t>(checks[i].check), i);
        model.CheckChanged(checks[i].check, true);
        for (size_t j = 0; j < checks.size(); ++j)
            EXPECT_EQ(model.Checked(checks[j].check), j <= i) << checks[j].caption;
        EXPECT_EQ(model.bench().project.*checks[i].member, 1);
    }
}

TEST_F(MainWindowModelTest, TheFolderNameFillsTheDirectoriesAndUnlocksTheDetailsForGood) {
    Start();
    model.FieldChanged(MainField::FolderName, "demo ");
    EXPECT_EQ(model.FieldText(MainField::FolderName), "demo");
    EXPECT_EQ(model.FieldText(MainField::BuildDirectory), dir / "q740\\app\\demo\\build");
    EXPECT_EQ(model.FieldText(MainField::AssemblerDirectory), "c:\\c88");
    model.FieldChanged(MainField::FolderName, "");
    EXPECT_EQ(model.FieldText(MainField::BuildDirectory), dir / "q740\\app\\demo\\build");
    EXPECT_TRUE(model.FieldEnabled(MainField::Description));
    EXPECT_TRUE(model.FieldEnabled(MainField::BannerLine2));

    model.FieldChanged(MainField::BannerLine1, "Hello");
    model.CheckChanged(MainCheck::DatabaseSupport, true);
    EXPECT_EQ(model.bench().project.BannerLine1, "Hello");
    EXPECT_TRUE(model.Checked(MainCheck::DatabaseSupport));
    EXPECT_FALSE(model.Checked(MainCheck::PasswordSupport));
}

TEST_F(MainWindowModelTest, AddAndRemoveActOnCategoriesAndFilesOnlyAndKeepTheCategorySelected) {
    Start();
    model.NodeSelected(kRootNode);
    EXPECT_TRUE(model.FileButtonsEnabled());
    model.AddFile();
    model.RemoveFile();
    EXPECT_TRUE(user.dialogRequests.empty());
    EXPECT_EQ(Texts(kRootNode).size(), 8u);

    model.NodeSelected(kHeaderNode);
    model.RemoveFile();
    user.dialogAnswers = {"/h/one.h", std::nullopt, "/h/two.h"};
    model.AddFile();
    model.AddFile();  // cancelled
    model.AddFile();
    ASSERT_EQ(user.dialogRequests.size(), 3u);
    EXPECT_EQ(user.dialogRequests[0].title, "Open");
    EXPECT_EQ(user.dialogRequests[0].filter, "Source Files (*.asm)|*.asm|All Files (*.*)|*.*");
    EXPECT_EQ(Texts(kHeaderNode), (std::vector<std::string>{"/h/one.h", "/h/two.h"}));
    EXPECT_TRUE(Row(kHeaderNode).checked);
    EXPECT_TRUE(Row(FirstFile(kHeaderNode)).bold && Row(FirstFile(kHeaderNode)).checked);
    EXPECT_EQ(model.SelectedNode(), kHeaderNode);

    model.NodeSelected(FirstFile(kHeaderNode));
    model.AddFile();  // a file node takes no file
    EXPECT_EQ(user.dialogRequests.size(), 3u);
    model.RemoveFile();
    EXPECT_EQ(model.SelectedNode(), kHeaderNode);
    EXPECT_TRUE(Row(kHeaderNode).checked);
    model.NodeSelected(FirstFile(kHeaderNode));
    model.RemoveFile();
    EXPECT_EQ(Texts(kHeaderNode), std::vector<std::string>{});
    EXPECT_FALSE(Row(kHeaderNode).checked);
}

TEST_F(MainWindowModelTest, DropsFollowTheSelectionAreRefusedOnTheRootAndNestUnderAFile) {
    Start();
    model.NodeSelected(StateNode(0));
    EXPECT_TRUE(model.AcceptsFileDrops());
    model.FilesDropped({"/s/a.asm", "/s/b.asm"});
    EXPECT_EQ(Texts(StateNode(0)), (std::vector<std::string>{"/s/a.asm", "/s/b.asm"}));
    EXPECT_TRUE(Row(StateNode(0)).checked);

    model.NodeSelected(kRootNode);
    model.FilesDropped({"/s/d.asm"});
    EXPECT_EQ(user.shown, (std::vector<Shown>{{Shown::Message, "Adding files not allowed in root.",
                                               MessageIcon::None}}));
    EXPECT_EQ(Texts(kRootNode).size(), 8u);

    int file = FirstFile(StateNode(0));
    model.NodeSelected(file);
    model.FilesDropped({"/s/x.asm"});
    EXPECT_EQ(Texts(file), std::vector<std::string>{"/s/x.asm"});
    EXPECT_EQ(Row(file).depth, 2);
    EXPECT_EQ(model.bench().project.Files.Files(StateNode(0)).size(), 2u);
}

TEST_F(MainWindowModelTest, NewAndOpenDropTheSelectionAndDisableTheFileButtons) {
    Start();
    model.FieldChanged(MainField::FolderName, "demo");
    model.FieldChanged(MainField::Description, "Wakes you up");
    dir.Write("q740/app/demo/build/.keep", "");
    model.SaveProject();
    ASSERT_TRUE(dir.Exists("q740/app/demo/build/demo.scr"));

    model.NodeSelected(kCommonNode);
    model.NewProject();
    EXPECT_EQ(model.FieldText(MainField::Description), "");
    EXPECT_FALSE(model.FileButtonsEnabled());
    EXPECT_EQ(model.SelectedNode(), 0);

    // Open starts in the build directory; Add File in the source directory,
    // then each where its last file came from, across New and Open.
    model.FieldChanged(MainField::FolderName, "demo");
    model.NodeSelected(kCommonNode);
    user.dialogAnswers = {"/elsewhere/src/x.asm", std::nullopt};
    model.AddFile();
    model.AddFile();
    model.NewProject();
    model.NodeSelected(kCommonNode);
    model.OpenProject();  // cancelled
    EXPECT_EQ(model.SelectedNode(), kCommonNode);
    user.dialogAnswers = {dir / "q740/app/demo/build/demo.scr"};
    model.OpenProject();
    model.OpenProject();  // cancelled
    std::vector<std::string> folders;
    for (const OpenFileRequest& request : user.dialogRequests)
        folders.push_back(request.initialDirectory);
    std::string sdk = dir.path() + "/q740\\app\\demo\\";
    EXPECT_EQ(folders, (std::vector<std::string>{sdk + "src", "/elsewhere/src", "", "",
                                                 dir / "q740/app/demo/build"}));
    EXPECT_EQ(user.dialogRequests[2].title, "Open");
    EXPECT_EQ(user.dialogRequests[2].filter, "Cuffware Builder Script File (*.scr)|*.scr");
    EXPECT_EQ(model.FieldText(MainField::Description), "Wakes you up");
    EXPECT_EQ(model.SelectedNode(), 0);
    EXPECT_FALSE(model.FileButtonsEnabled());
    // Drops stay switched on, and go nowhere without a selection.
    EXPECT_TRUE(model.AcceptsFileDrops());
    EXPECT_TRUE(model.TakesDroppedFiles(1));
    EXPECT_FALSE(model.TakesDroppedFiles(0));
    model.FilesDropped({"/s/a.asm"});
    EXPECT_TRUE(user.Messages().empty());
}

// Both windows show what the model hands them: control bytes in a message
// arrive escaped (and long quoted values shortened, see message_text.h).
TEST_F(MainWindowModelTest, MessagesReachTheWindowAsABoxCanShowThem) {
    EXPECT_FALSE(model.TakesDroppedFiles(3));  // no selection yet: drops are off
    model.Start(dir / "builder.ini", dir / "gone\x1B[2J.scr");
    ASSERT_EQ(user.Messages().size(), 1u);
    std::string shown = user.Messages()[0];
    EXPECT_EQ(shown.find('\x1B'), std::string::npos) << shown;
    EXPECT_NE(shown.find("gone\\x1B[2J.scr"), std::string::npos) << shown;
}

// The tree control keeps what the user collapsed or scrolled to while the
// fields are typed in and a node is selected; a file added builds it again.
TEST_F(MainWindowModelTest, TheTreeIsBuiltAgainOnlyWhenItsFilesChange) {
    Start();
    std::vector<TreeRow> shown = model.TreeRows();
    model.FieldChanged(MainField::Description, "An alarm");
    model.CheckChanged(MainCheck::PasswordSupport, true);
    model.NodeSelected(StateNode(0));
    EXPECT_FALSE(TreeNeedsRebuild(shown, model.TreeRows()));

    model.FilesDropped({"/s/a.asm"});
    EXPECT_TRUE(TreeNeedsRebuild(shown, model.TreeRows()));
}

}  // namespace
}  // namespace cuffware
