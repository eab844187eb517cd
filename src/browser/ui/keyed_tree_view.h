// Draws a core tree of keyed nodes into a QTreeWidget in one pass, with updates suspended: the
// catalogue has a few hundred nodes, a search result tens of thousands.
#pragma once

#include <QTreeWidget>

#include "browser/keyed_tree.h"

namespace zelidor::ui {

// Each item keeps its node's key here.
inline constexpr int kNodeKeyRole = Qt::UserRole + 1;

void showKeyedTree(QTreeWidget& view, const KeyedTree& tree);

// The key of an item, in the core's Latin-1.
std::string nodeKey(const QTreeWidgetItem& item);

}  // namespace zelidor::ui
