// A tree of keyed nodes as the windows show them (the channel catalogue, the search and monitor
// results): every node has a key unique in the whole tree, a text and an image key, and hangs
// under a parent found by its key. The core builds it as data; a window only draws it.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zelidor {

struct TreeNode {
    std::string key;
    std::string text;
    std::string image;                  // the same key serves the selected state
    std::optional<std::size_t> parent;  // index into KeyedTree::nodes(); none for a root
    bool expanded = false;
};

enum class NodeAdded { Added, KeyTaken, ParentMissing };

class KeyedTree {
  public:
    // Adds a top-level node; a key already in the tree adds nothing.
    NodeAdded addRoot(std::string key, std::string text, std::string image);
    // Adds a node under the node keyed parentKey; a missing parent or a key already in the tree
    // adds nothing.
    NodeAdded addChild(std::string_view parentKey, std::string key, std::string text,
                       std::string image);

    void expand(std::string_view key);
    void clear();

    // Nodes in the order they were added; a child always follows its parent.
    const std::deque<TreeNode>& nodes() const { return nodes_; }
    const TreeNode* find(std::string_view key) const;
    // The nodes directly under the node keyed parentKey, in the order they were added.
    std::vector<const TreeNode*> children(std::string_view parentKey) const;
    std::size_t size() const { return nodes_.size(); }

  private:
    using KeyHash = std::hash<std::string_view>;

    NodeAdded add(std::optional<std::size_t> parent, std::string key, std::string text,
                  std::string image);

    // A deque never moves its nodes, so the index can refer to their keys instead of copying.
    std::deque<TreeNode> nodes_;
    std::unordered_map<std::string_view, std::size_t, KeyHash> byKey_;
};

}  // namespace zelidor
