#include "browser/ui/keyed_tree_view.h"

#include <vector>

#include "common/ui/app_icons.h"
#include "common/ui/qt_text.h"

namespace zelidor::ui {

void showKeyedTree(QTreeWidget& view, const KeyedTree& tree) {
    view.setUpdatesEnabled(false);
    view.clear();
    std::vector<QTreeWidgetItem*> items;
    items.reserve(tree.size());
    QList<QTreeWidgetItem*> roots;
    QHash<QString, QIcon> icons;
    for (const TreeNode& node : tree.nodes()) {
        auto* item = new QTreeWidgetItem(QStringList{fromLatin1(node.text)});
        item->setData(0, kNodeKeyRole, fromLatin1(node.key));
        QString image = fromLatin1(node.image);
        auto icon = icons.find(image);
        if (icon == icons.end()) {
            icon = icons.insert(image, appIcon(image));
        }
        item->setIcon(0, *icon);
        if (node.parent) {
            items[*node.parent]->addChild(item);
        } else {
            roots.append(item);
        }
        items.push_back(item);
    }
    view.addTopLevelItems(roots);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (tree.nodes()[i].expanded) {
            items[i]->setExpanded(true);
        }
    }
    view.setUpdatesEnabled(true);
}

std::string nodeKey(const QTreeWidgetItem& item) {
    return toLatin1(item.data(0, kNodeKeyRole).toString());
}

}  // namespace zelidor::ui
