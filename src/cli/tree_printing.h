// Result trees (the title search, the keyword monitor) as text: one node per line, its text
// indented by two blanks per level below the root, children in the order they were added.
#pragma once

#include <cstdio>

#include "browser/keyed_tree.h"

namespace zelidor::cli {

void printTree(const KeyedTree& tree, std::FILE* out);

}  // namespace zelidor::cli
