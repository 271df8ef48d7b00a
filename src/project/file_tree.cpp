#include "project/file_tree.h"

#include <cstddef>

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

int FileTree::AddNode(int parent, NodeKind kind, std::string text, std::string key) {
    Node node;
    node.kind = kind;
    node.text = std::move(text);
    node.key = std::move(key);
    node.parent = parent;
    nodes_.push_back(std::move(node));
    position_.push_back(0);
    int number = static_cast<int>(nodes_.size());
    if (parent != 0) {
        std::vector<int>& siblings = Held(parent).children;
        position_.back() = siblings.size();
        siblings.push_back(number);
    }
    return number;
}

int FileTree::AddFileNode(int parent, const std::string& path) {
    int node = AddNode(parent, NodeKind::File, path);
    Held(node).bold = true;
    Held(node).checked = true;
    Held(parent).checked = true;
    return node;
}

void FileTree::RemoveNode(int node) {
    Node& removed = Held(node);
    for (int child : std::vector<int>(removed.children))
        RemoveNode(child);
    if (removed.parent != 0) {
        std::vector<int>& siblings = Held(removed.parent).children;
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

const FileTree::Node* FileTree::Find(int node) const {
    return Contains(node) ? &nodes_[node - 1] : nullptr;
}

int FileTree::NodeByKey(const std::string& key) const {
    for (int n = 1; n <= NodeCount(); ++n)
        if (!nodes_[n - 1].removed && nodes_[n - 1].key == key)
            return n;
    return 0;
}

int FileTree::ChildCount(int node) const {
    const Node* n = Find(node);
    return n ? static_cast<int>(n->children.size()) : 0;
}

int FileTree::FirstChild(int node) const {
    const Node* n = Find(node);
    return !n || n->children.empty() ? 0 : n->children.front();
}

int FileTree::NextSibling(int node) const {
    const Node* n = Find(node);
    if (!n || n->parent == 0)
        return 0;
    const std::vector<int>& siblings = nodes_[n->parent - 1].children;
    const size_t next = position_[node - 1] + 1;
    return next < siblings.size() ? siblings[next] : 0;
}

std::vector<std::string> FileTree::Files(int categoryNode) const {
    std::vector<std::string> files;
    int count = ChildCount(categoryNode);
    files.reserve(static_cast<size_t>(count));
    for (int child = FirstChild(categoryNode); count-- > 0; child = NextSibling(child))
        files.push_back(nodes_[child - 1].text);
    return files;
}

void BuildFileTree(FileTree& tree, int numberOfStates) {
    tree.nodes_.clear();
    tree.position_.clear();
    int root = tree.AddNode(0, NodeKind::Root, kRootText, "root");
    tree.Held(root).expanded = true;
    tree.Held(root).checked = true;
    for (const FileCategory& category : FixedCategories(numberOfStates)) {
        int node = tree.AddNode(root, NodeKind::Category, category.text, category.key);
        tree.Held(node).expanded = true;
    }
    tree.lastCategoryNode_ = tree.NodeCount();
}

namespace {

bool Is(const FileTree& tree, int node, NodeKind kind) {
    const FileTree::Node* found = tree.Find(node);
    return found && found->kind == kind;
}

}  // namespace

bool AcceptsAddedFile(const FileTree& tree, int node) {
    return Is(tree, node, NodeKind::Category);
}

bool AddFileToCategory(FileTree& tree, int categoryNode, const std::string& path) {
    if (!AcceptsAddedFile(tree, categoryNode))
        return false;
    tree.AddFileNode(categoryNode, path);
    return true;
}

bool RemoveFileNode(FileTree& tree, int fileNode) {
    if (!Is(tree, fileNode, NodeKind::File))
        return false;
    int parent = tree.Held(fileNode).parent;
    tree.RemoveNode(fileNode);
    if (tree.ChildCount(parent) == 0)
        tree.Held(parent).checked = false;
    return true;
}

std::optional<std::string> DropFiles(FileTree& tree, int targetNode,
                                     const std::vector<std::string>& paths) {
    if (!tree.Contains(targetNode))
        return std::nullopt;
    if (Is(tree, targetNode, NodeKind::Root))
        return std::string(kDropOnRootRefusal);
    for (const std::string& path : paths)
        tree.Held(tree.AddFileNode(targetNode, path)).expanded = true;
    return std::nullopt;
}

}  // namespace cuffware
