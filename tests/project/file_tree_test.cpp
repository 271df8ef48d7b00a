#include "project/file_tree.h"

#include <gtest/gtest.h>

namespace cuffware {
namespace {

std::vector<std::string> CategoryTexts(const FileTree& tree) {
    std::vector<std::string> texts;
    for (int n = kParameterNode; n <= tree.LastCategoryNode(); ++n)
        texts.push_back(tree.At(n).text);
    return texts;
}

TEST(BuildFileTree, DefaultTreeHasTwentyCategoriesAtFixedNodes) {
    FileTree tree;
    BuildFileTree(tree, 15);
    EXPECT_EQ(tree.At(kRootNode).text, "Application");
    EXPECT_EQ(tree.At(kRootNode).key, "root");
    EXPECT_EQ(tree.CategoryCount(), 20);
    EXPECT_EQ(tree.NodeByKey("parameter"), 2);
    EXPECT_EQ(tree.NodeByKey("header"), 3);
    EXPECT_EQ(tree.NodeByKey("background"), 4);
    EXPECT_EQ(tree.NodeByKey("common"), 5);
    EXPECT_EQ(tree.At(StateNode(0)).text, "State 0");
    EXPECT_EQ(tree.At(StateNode(10)).text, "State 10");
    EXPECT_EQ(tree.At(21).text, "State 15");
    EXPECT_EQ(tree.At(StateNode(3)).key, "");
    EXPECT_EQ(tree.ChildCount(kRootNode), 20);
    for (int n = kParameterNode; n <= 21; ++n) {
        EXPECT_EQ(tree.ChildCount(n), 0);
        EXPECT_TRUE(tree.At(n).expanded);
        EXPECT_FALSE(tree.At(n).checked);
    }
    EXPECT_TRUE(tree.At(kRootNode).checked);
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
    EXPECT_FALSE(tree.At(kHeaderNode).checked);  // with its last file
}

TEST(TreeEditing, FilesKeepOrderAndCategoryNumbersNeverMove) {
    FileTree tree;
    BuildFileTree(tree, 15);
    ASSERT_TRUE(AddFileToCategory(tree, kHeaderNode, "c:\\src\\demo.h"));
    ASSERT_TRUE(AddFileToCategory(tree, StateNode(3), "b.asm"));
    ASSERT_TRUE(AddFileToCategory(tree, StateNode(3), "a.asm"));
    ASSERT_TRUE(AddFileToCategory(tree, StateNode(3), "b.asm"));  // duplicates are allowed
    EXPECT_EQ(tree.At(StateNode(3)).text, "State 3");
    EXPECT_EQ(tree.Files(StateNode(3)), (std::vector<std::string>{"b.asm", "a.asm", "b.asm"}));
    int file = tree.FirstChild(kHeaderNode);
    EXPECT_GT(file, 21);
    EXPECT_TRUE(tree.At(file).bold);
    EXPECT_TRUE(tree.At(file).checked);
    EXPECT_TRUE(tree.At(kHeaderNode).checked);
    EXPECT_FALSE(AddFileToCategory(tree, kRootNode, "x.asm"));
    EXPECT_EQ(DropFiles(tree, kRootNode, {"x.asm"}),
              std::string("Adding files not allowed in root."));
}

TEST(TreeEditing, DropsOnAFileNodeNestAndStayOutOfTheCategory) {
    FileTree tree;
    BuildFileTree(tree, 1);
    AddFileToCategory(tree, kHeaderNode, "demo.h");
    int file = tree.FirstChild(kHeaderNode);
    EXPECT_FALSE(DropFiles(tree, file, {"x.h", "y.h"}).has_value());
    EXPECT_EQ(tree.Files(kHeaderNode), std::vector<std::string>{"demo.h"});
    EXPECT_EQ(tree.ChildCount(file), 2);
    EXPECT_TRUE(tree.At(tree.FirstChild(file)).expanded);
    // Removing the file takes the nested nodes with it.
    ASSERT_TRUE(RemoveFileNode(tree, file));
    EXPECT_EQ(tree.ChildCount(kHeaderNode), 0);
}

}  // namespace
}  // namespace cuffware
