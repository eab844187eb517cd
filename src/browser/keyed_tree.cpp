#include "browser/keyed_tree.h"

namespace zelidor {

NodeAdded KeyedTree::addRoot(std::string key, std::string text, std::string image) {
    return add(std::nullopt, std::move(key), std::move(text), std::move(image));
}

NodeAdded KeyedTree::addChild(std::string_view parentKey, std::string key, std::string text,
                              std::string image) {
    auto parent = byKey_.find(parentKey);
    if (parent == byKey_.end()) {
        return NodeAdded::ParentMissing;
    }
    return add(parent->second, std::move(key), std::move(text), std::move(image));
}

NodeAdded KeyedTree::add(std::optional<std::size_t> parent, std::string key, std::string text,
                         std::string image) {
    // One look-up per node (a search result adds tens of thousands): the node is put in place
    // first, so that the index can refer to its key, and taken back when the key is taken.
    nodes_.push_back(TreeNode{std::move(key), std::move(text), std::move(image), parent, false});
    if (!byKey_.try_emplace(nodes_.back().key, nodes_.size() - 1).second) {
        nodes_.pop_back();
        return NodeAdded::KeyTaken;
    }
    return NodeAdded::Added;
}

void KeyedTree::expand(std::string_view key) {
    auto node = byKey_.find(key);
    if (node != byKey_.end()) {
        nodes_[node->second].expanded = true;
    }
}

void KeyedTree::clear() {
    byKey_.clear();
    nodes_.clear();
}

const TreeNode* KeyedTree::find(std::string_view key) const {
    auto node = byKey_.find(key);
    return node == byKey_.end() ? nullptr : &nodes_[node->second];
}

std::vector<const TreeNode*> KeyedTree::children(std::string_view parentKey) const {
    std::vector<const TreeNode*> result;
    auto parent = byKey_.find(parentKey);
    if (parent == byKey_.end()) {
        return result;
    }
    for (const TreeNode& node : nodes_) {
        if (node.parent == parent->second) {
            result.push_back(&node);
        }
    }
    return result;
}

}  // namespace zelidor
