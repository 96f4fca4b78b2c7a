#pragma once
// The number of items of a tree control that carry a record as item data:
// what tests of the folder trees check records against.

#include "platform/gui/CTreeCtrl.h"

#include <vector>

inline int TreeRecords(CTreeCtrl* tree)
{
    int count = 0;
    std::vector<QTreeWidgetItem*> pending{tree->invisibleRootItem()};
    while (!pending.empty()) {
        QTreeWidgetItem* item = pending.back();
        pending.pop_back();
        count += tree->GetItemData(item) != nullptr;
        for (int i = 0; i < item->childCount(); ++i)
            pending.push_back(item->child(i));
    }
    return count;
}
