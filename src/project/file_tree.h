#pragma once
// The project's source files, sorted into fixed categories, as the tree the
// main window shows. Nodes are numbered in creation order from 1: the root,
// then the categories (parameter 2, header 3, background 4, common 5,
// state k at 6 + k), then file nodes. Every reader of the tree walks a
// category by child count, first child and next sibling. A node is told
// apart by its kind, never by its text: a file may be called "Application".

#include <optional>
#include <string>
#include <vector>

namespace cuffware {

enum class CategoryKind { Parameter, Header, Background, Common, State };

enum class NodeKind { Root, Category, File };

inline constexpr int kRootNode = 1;
inline constexpr int kParameterNode = 2;
inline constexpr int kHeaderNode = 3;
inline constexpr int kBackgroundNode = 4;
inline constexpr int kCommonNode = 5;
inline constexpr int kFirstStateNode = 6;
inline constexpr const char* kRootText = "Application";

// One category of the fixed list.
struct FileCategory {
    int node = 0;
    CategoryKind kind = CategoryKind::State;
    std::string key;   // "" for state categories
    std::string text;  // "Parameter File", ..., "State 12"
    int stateNumber = -1;
};

// The fixed categories for a number of states, in node order.
std::vector<FileCategory> FixedCategories(int numberOfStates);

// The node number of state k's category.
constexpr int StateNode(int k) {
    return kFirstStateNode + k;
}

class FileTree {
  public:
    struct Node {
        NodeKind kind = NodeKind::File;
        std::string text;
        std::string key;
        int parent = 0;             // 0 for the root
        std::vector<int> children;  // node numbers, in order
        bool bold = false;
        bool checked = false;
        bool expanded = false;
        bool removed = false;
    };

    // An empty tree: no nodes at all. BuildFileTree lays the categories.
    FileTree() = default;

    bool Contains(int node) const;
    // The node, or nullptr when the tree does not hold it (never was, or
    // was removed).
    const Node* Find(int node) const;

    // The node with this key, or 0.
    int NodeByKey(const std::string& key) const;

    // The enumeration every category reader uses; a node the tree does not
    // hold has no children and no siblings.
    int ChildCount(int node) const;
    int FirstChild(int node) const;   // 0 when there is none
    int NextSibling(int node) const;  // 0 after the last child

    // Node number of the highest category (NumberOfStates + 6), or 0 when empty.
    int LastCategoryNode() const { return lastCategoryNode_; }
    int CategoryCount() const { return lastCategoryNode_ > 0 ? lastCategoryNode_ - 1 : 0; }

    // The highest state number the tree was built with (its State categories
    // are 0 to NumberOfStates()), or -1 for an empty tree.
    int NumberOfStates() const { return lastCategoryNode_ - kFirstStateNode; }

    // The texts of a category's files, first child first, by next sibling.
    std::vector<std::string> Files(int categoryNode) const;

    // Number of node numbers handed out so far (removed ones included).
    int NodeCount() const { return static_cast<int>(nodes_.size()); }

  private:
    friend void BuildFileTree(FileTree& tree, int numberOfStates);
    friend bool AddFileToCategory(FileTree& tree, int categoryNode, const std::string& path);
    friend bool RemoveFileNode(FileTree& tree, int fileNode);
    friend std::optional<std::string> DropFiles(FileTree& tree, int targetNode,
                                                const std::vector<std::string>& paths);

    // Appends a node as the last child of parent (0 for none) and returns its
    // number.
    int AddNode(int parent, NodeKind kind, std::string text, std::string key = {});
    // Appends a file node, marked, and marks its parent.
    int AddFileNode(int parent, const std::string& path);
    // Removes a node and everything below it from its parent's children.
    void RemoveNode(int node);
    // A node the caller knows the tree holds.
    Node& Held(int node) { return nodes_[node - 1]; }

    std::vector<Node> nodes_;       // nodes_[n - 1] is node n
    std::vector<size_t> position_;  // position_[n - 1]: node n's place among its siblings
    int lastCategoryNode_ = 0;
};

// Removes every node, then creates the root and the categories for State 0
// to State numberOfStates, with their display marks.
void BuildFileTree(FileTree& tree, int numberOfStates);

// The tree edits made by hand. Each acts on one node the way the window's
// buttons and drops do.

// True when node is a category: a file can be added under it.
bool AcceptsAddedFile(const FileTree& tree, int node);

// Appends a file under a category. Returns false (and changes nothing) when
// the node is the root or a file node.
bool AddFileToCategory(FileTree& tree, int categoryNode, const std::string& path);

// Removes a file node (and any nodes dropped under it). Returns false when
// the node is the root or a category.
bool RemoveFileNode(FileTree& tree, int fileNode);

inline constexpr const char* kDropOnRootRefusal = "Adding files not allowed in root.";

// Appends the dropped paths under the target node, in order. With the root
// as target nothing is added and the refusal message is returned.
std::optional<std::string> DropFiles(FileTree& tree, int targetNode,
                                     const std::vector<std::string>& paths);

}  // namespace cuffware
