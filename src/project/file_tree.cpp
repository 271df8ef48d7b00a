#include "project/file_tree.h"

#include <cstddef>
#include <stdexcept>

namespace cuffware {

std::vector<FileCategory> FixedCategories(int numberOfStates) {
    std::vector<FileCategory> categories = {
        {kParameterNode, CategoryKind::Parameter, "parameter", "Parameter File", -1},
        {kHeaderNode, CategoryKind::Header, "header", "Header File", -1},
        {kBackgroundNode, CategoryKind::Background, "background", "Background Handler File", -1},
        {kCommonNode, CategoryKind::Common, "common", "Common Files", -1},
    };
    for (int k = 0; k <= numberOfStates; ++k)
        categories.push_back(
            {StateNode(k), CategoryKind::State, "", "State " + std::to_string(k), k});
    return categories;
}

void FileTree::Clear() {
    nodes_.clear();
    position_.clear();
    lastCategoryNode_ = 0;
}

int FileTree::AddNode(int parent, std::string text, std::string key) {
    Node node;
    node.text = std::move(text);
    node.key = std::move(key);
    node.parent = parent;
    nodes_.push_back(std::move(node));
    position_.push_back(0);
    int number = static_cast<int>(nodes_.size());
    if (parent != 0) {
        std::vector<int>& siblings = At(parent).children;
        position_.back() = siblings.size();
        siblings.push_back(number);
    }
    return number;
}

void FileTree::RemoveNode(int node) {
    Node& removed = At(node);
    for (int child : std::vector<int>(removed.children))
        RemoveNode(child);
    if (removed.parent != 0) {
        std::vector<int>& siblings = At(removed.parent).children;
        const size_t place = position_[node - 1];
        siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(place));
        for (size_t i = place; i < siblings.size(); ++i)
            position_[siblings[i] - 1] = i;
    }
    removed.children.clear();
    removed.removed = true;
}

bool FileTree::Contains(int node) const {
    return node >= 1 && node <= NodeCount() && !nodes_[node - 1].removed;
}

const FileTree::Node& FileTree::At(int node) const {
    if (!Contains(node))
        throw std::out_of_range("no tree node " + std::to_string(node));
    return nodes_[node - 1];
}

FileTree::Node& FileTree::At(int node) {
    if (!Contains(node))
        throw std::out_of_range("no tree node " + std::to_string(node));
    return nodes_[node - 1];
}

int FileTree::NodeByKey(const std::string& key) const {
    for (int n = 1; n <= NodeCount(); ++n)
        if (!nodes_[n - 1].removed && nodes_[n - 1].key == key)
            return n;
    return 0;
}

int FileTree::ChildCount(int node) const {
    return static_cast<int>(At(node).children.size());
}

int FileTree::FirstChild(int node) const {
    const Node& n = At(node);
    return n.children.empty() ? 0 : n.children.front();
}

int FileTree::NextSibling(int node) const {
    const Node& n = At(node);
    if (n.parent == 0)
        return 0;
    const std::vector<int>& siblings = At(n.parent).children;
    const size_t next = position_[node - 1] + 1;
    return next < siblings.size() ? siblings[next] : 0;
}

std::vector<std::string> FileTree::Files(int categoryNode) const {
    std::vector<std::string> files;
    int count = ChildCount(categoryNode);
    files.reserve(static_cast<size_t>(count));
    for (int child = FirstChild(categoryNode); count-- > 0; child = NextSibling(child))
        files.push_back(At(child).text);
    return files;
}

void BuildFileTree(FileTree& tree, int numberOfStates) {
    tree.Clear();
    int root = tree.AddNode(0, kRootText, "root");
    tree.At(root).expanded = true;
    tree.At(root).checked = true;
    for (const FileCategory& category : FixedCategories(numberOfStates)) {
        int node = tree.AddNode(root, category.text, category.key);
        tree.At(node).expanded = true;
    }
    tree.lastCategoryNode_ = tree.NodeCount();
}

namespace {

bool IsRoot(const FileTree& tree, int node) {
    return tree.At(node).text == kRootText;
}

// A category is told apart by its parent's text, as the window does.
bool ParentIsRoot(const FileTree& tree, int node) {
    int parent = tree.At(node).parent;
    return parent != 0 && tree.At(parent).text == kRootText;
}

int AppendFileNode(FileTree& tree, int parent, const std::string& path) {
    int node = tree.AddNode(parent, path);
    tree.At(node).bold = true;
    tree.At(node).checked = true;
    tree.At(parent).checked = true;
    return node;
}

}  // namespace

bool AcceptsAddedFile(const FileTree& tree, int node) {
    return tree.Contains(node) && !IsRoot(tree, node) && ParentIsRoot(tree, node);
}

bool AddFileToCategory(FileTree& tree, int categoryNode, const std::string& path) {
    if (!AcceptsAddedFile(tree, categoryNode))
        return false;
    AppendFileNode(tree, categoryNode, path);
    return true;
}

bool RemoveFileNode(FileTree& tree, int fileNode) {
    if (!tree.Contains(fileNode) || IsRoot(tree, fileNode))
        return false;
    if (ParentIsRoot(tree, fileNode))
        return false;
    int parent = tree.At(fileNode).parent;
    tree.RemoveNode(fileNode);
    if (tree.ChildCount(parent) == 0)
        tree.At(parent).checked = false;
    return true;
}

std::optional<std::string> DropFiles(FileTree& tree, int targetNode,
                                     const std::vector<std::string>& paths) {
    if (!tree.Contains(targetNode))
        return std::nullopt;
    if (IsRoot(tree, targetNode))
        return std::string(kDropOnRootRefusal);
    for (const std::string& path : paths) {
        int node = AppendFileNode(tree, targetNode, path);
        tree.At(node).expanded = true;
    }
    return std::nullopt;
}

}  // namespace cuffware
