#include "project/file_tree.h"

#include <gtest/gtest.h>

namespace cuffware {
namespace {

std::vector<std::string> CategoryTexts(const FileTree& tree) {
    std::vector<std::string> texts;
    for (int n = kParameterNode; n <= tree.LastCategoryNode(); ++n)
        texts.push_back(tree.Find(n)->text);
    return texts;
}

TEST(BuildFileTree, DefaultTreeHasTwentyCategoriesAtFixedNodes) {
    FileTree tree;
    BuildFileTree(tree, 15);
    EXPECT_EQ(tree.Find(kRootNode)->text, "Application");
    EXPECT_EQ(tree.Find(kRootNode)->key, "root");
    EXPECT_EQ(tree.CategoryCount(), 20);
    EXPECT_EQ(tree.NodeByKey("common"), kCommonNode);
    EXPECT_EQ(tree.Find(21)->text, "State 15");
    EXPECT_EQ(tree.Find(StateNode(3))->key, "");
    EXPECT_EQ(tree.ChildCount(kRootNode), 20);
    for (int n = kParameterNode; n <= 21; ++n) {
        EXPECT_EQ(tree.ChildCount(n), 0);
        EXPECT_TRUE(tree.Find(n)->expanded);
        EXPECT_FALSE(tree.Find(n)->checked);
    }
    EXPECT_TRUE(tree.Find(kRootNode)->checked);
}

TEST(BuildFileTree, NoStatesButStateZero) {
    FileTree tree;
    BuildFileTree(tree, 0);
    EXPECT_EQ(CategoryTexts(tree),
              (std::vector<std::string>{"Parameter File", "Header File", "Background Handler File",
                                        "Common Files", "State 0"}));
    EXPECT_EQ(tree.NumberOfStates(), 0);
}

TEST(BuildFileTree, RebuildingDropsFilesAndRestartsNumbering) {
    FileTree tree;
    BuildFileTree(tree, 15);
    AddFileToCategory(tree, kHeaderNode, "a.h");
    BuildFileTree(tree, 3);
    EXPECT_EQ(tree.CategoryCount(), 8);
    EXPECT_EQ(tree.NodeCount(), 9);
    EXPECT_EQ(tree.ChildCount(kHeaderNode), 0);
}

TEST(TreeEditing, FilesKeepOrderAndCategoryNumbersNeverMove) {
    FileTree tree;
    BuildFileTree(tree, 15);
    ASSERT_TRUE(AddFileToCategory(tree, kHeaderNode, "c:\\src\\demo.h"));
    ASSERT_TRUE(AddFileToCategory(tree, StateNode(3), "b.asm"));
    ASSERT_TRUE(AddFileToCategory(tree, StateNode(3), "a.asm"));
    ASSERT_TRUE(AddFileToCategory(tree, StateNode(3), "b.asm"));  // duplicates are allowed
    EXPECT_EQ(tree.Find(StateNode(3))->text, "State 3");
    EXPECT_EQ(tree.Files(StateNode(3)), (std::vector<std::string>{"b.asm", "a.asm", "b.asm"}));
    int file = tree.FirstChild(kHeaderNode);
    EXPECT_GT(file, 21);
    EXPECT_TRUE(tree.Find(file)->bold);
    EXPECT_TRUE(tree.Find(file)->checked);
    EXPECT_TRUE(tree.Find(kHeaderNode)->checked);
}

TEST(TreeEditing, AddRefusesRootAndFileNodes) {
    FileTree tree;
    BuildFileTree(tree, 1);
    EXPECT_FALSE(AddFileToCategory(tree, kRootNode, "x.asm"));
    AddFileToCategory(tree, kCommonNode, "x.asm");
    EXPECT_FALSE(AddFileToCategory(tree, tree.FirstChild(kCommonNode), "y.asm"));
    EXPECT_EQ(tree.ChildCount(kRootNode), 6);
    EXPECT_EQ(tree.ChildCount(kCommonNode), 1);
}

TEST(TreeEditing, RemoveClearsTheCheckMarkOnlyWithTheLastFile) {
    FileTree tree;
    BuildFileTree(tree, 1);
    for (const char* name : {"a.asm", "b.asm", "c.asm"})
        AddFileToCategory(tree, kCommonNode, name);
    EXPECT_FALSE(RemoveFileNode(tree, kCommonNode));
    EXPECT_FALSE(RemoveFileNode(tree, kRootNode));
    ASSERT_TRUE(RemoveFileNode(tree, tree.NextSibling(tree.FirstChild(kCommonNode))));
    EXPECT_EQ(tree.Files(kCommonNode), (std::vector<std::string>{"a.asm", "c.asm"}));
    ASSERT_TRUE(RemoveFileNode(tree, tree.FirstChild(kCommonNode)));
    EXPECT_TRUE(tree.Find(kCommonNode)->checked);
    EXPECT_EQ(tree.Files(kCommonNode), std::vector<std::string>{"c.asm"});
    ASSERT_TRUE(RemoveFileNode(tree, tree.FirstChild(kCommonNode)));
    EXPECT_FALSE(tree.Find(kCommonNode)->checked);
    EXPECT_EQ(tree.ChildCount(kCommonNode), 0);
}

TEST(TreeEditing, DropsOnAFileNodeNestAndStayOutOfTheCategory) {
    FileTree tree;
    BuildFileTree(tree, 1);
    AddFileToCategory(tree, kHeaderNode, "demo.h");
    int file = tree.FirstChild(kHeaderNode);
    EXPECT_FALSE(DropFiles(tree, file, {"x.h", "y.h"}).has_value());
    EXPECT_EQ(tree.Files(kHeaderNode), std::vector<std::string>{"demo.h"});
    EXPECT_EQ(tree.ChildCount(file), 2);
    EXPECT_TRUE(tree.Find(tree.FirstChild(file))->expanded);
    // Removing the file takes the nested nodes with it.
    ASSERT_TRUE(RemoveFileNode(tree, file));
    EXPECT_EQ(tree.ChildCount(kHeaderNode), 0);
}

TEST(TreeEditing, DropsOnACategoryAppendInOrderAndTheRootIsRefused) {
    FileTree tree;
    BuildFileTree(tree, 1);
    EXPECT_FALSE(DropFiles(tree, StateNode(0), {"1.asm", "2.asm", "3.asm"}).has_value());
    EXPECT_EQ(tree.Files(StateNode(0)), (std::vector<std::string>{"1.asm", "2.asm", "3.asm"}));
    EXPECT_TRUE(tree.Find(StateNode(0))->checked);
    EXPECT_EQ(DropFiles(tree, kRootNode, {"4.asm"}),
              std::string("Adding files not allowed in root."));
    EXPECT_EQ(tree.ChildCount(kRootNode), 6);
}

// A file's text never makes it the root or its children categories.
TEST(TreeEditing, AFileCalledApplicationIsAFileLikeAnyOther) {
    FileTree tree;
    BuildFileTree(tree, 0);
    ASSERT_TRUE(AddFileToCategory(tree, kCommonNode, kRootText));
    int file = tree.FirstChild(kCommonNode);
    EXPECT_FALSE(DropFiles(tree, file, {"x.asm"}).has_value());
    int nested = tree.FirstChild(file);
    ASSERT_NE(nested, 0);
    EXPECT_FALSE(AcceptsAddedFile(tree, nested));
    EXPECT_TRUE(RemoveFileNode(tree, nested));
    EXPECT_TRUE(RemoveFileNode(tree, file));
    EXPECT_EQ(tree.ChildCount(kCommonNode), 0);
    // A removed node reads as absent rather than failing.
    EXPECT_EQ(tree.Find(file), nullptr);
    EXPECT_EQ(tree.FirstChild(file), 0);
    EXPECT_EQ(tree.NextSibling(nested), 0);
}

}  // namespace
}  // namespace cuffware
