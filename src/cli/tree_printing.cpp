#include "cli/tree_printing.h"

#include <string>
#include <utility>
#include <vector>

#include "common/text.h"

namespace zelidor::cli {

void printTree(const KeyedTree& tree, std::FILE* out) {
    const auto& nodes = tree.nodes();
    // Children lists built in one pass: a result tree can hold many thousands of nodes, and a
    // node's children need not be next to each other in the order of addition.
    std::vector<std::vector<std::size_t>> children(nodes.size());
    std::vector<std::size_t> pending;  // a depth-first stack, the next node on top
    for (std::size_t i = nodes.size(); i-- > 0;) {
        if (nodes[i].parent) {
            children[*nodes[i].parent].push_back(i);
        } else {
            pending.push_back(i);
        }
    }
    std::vector<std::size_t> depth(nodes.size(), 0);
    while (!pending.empty()) {
        std::size_t node = pending.back();
        pending.pop_back();
        std::string line(2 * depth[node], ' ');
        line += latin1ToUtf8(nodes[node].text);
        std::fprintf(out, "%s\n", line.c_str());
        // children[] holds them last-added first, which is the order a stack needs.
        for (std::size_t child : children[node]) {
            depth[child] = depth[node] + 1;
            pending.push_back(child);
        }
    }
}

}  // namespace zelidor::cli
