#pragma once
// A folder tree read lazily, over a tree control: every folder item owns
// the record of its folder (a CFileItem of kind Folder, whose pointer is
// the item's data) and starts with a placeholder child, so that its
// expander shows before the folder is read. Reading a folder adds its plain
// subfolders (no dot names, no links to folders, nothing with further
// attributes) under their display names, sorted by name without regard to
// case. The window that shows the tree decides its top-level items, when a
// folder is read and what it shows around the reading.

#include "platform/gui/CTreeCtrl.h"

#include <QPointer>
#include <QString>

class CFileItem;

class FolderTree {
public:
    FolderTree() = default;
    FolderTree(const FolderTree&) = delete;
    FolderTree& operator=(const FolderTree&) = delete;

    // The control the tree fills (bound when its window is built; null
    // when it has none or it is gone with its window).
    void Attach(CTreeCtrl* tree) { m_tree = tree; }

    // Appends a top-level item for the folder at path (a drive name such as
    // "D:"), with a record of an empty name, and with a placeholder child
    // when the folder is to be read on its first expansion.
    HTREEITEM AddTopLevel(const QString& text, const QString& path, bool withPlaceholder);
    // The record of an item; null for a placeholder, for an item whose
    // record was freed, and for null.
    const CFileItem* Record(HTREEITEM item) const;

    // True when the item's folder has not been read yet (it still holds
    // its placeholder).
    bool IsUnread(HTREEITEM item) const;
    // Reads the subfolders of the item's folder: in place of its
    // placeholder when it has one, else after its children, and sorts them
    // all. A folder that cannot be read loses its placeholder and gets
    // nothing. False when that was because its path is longer than the
    // system takes (a tree deeper than that is cut there).
    bool ReadSubfolders(HTREEITEM item);

    // Frees the records of item, of its descendants and of every following
    // sibling with theirs; the items stay, doing nothing any more.
    void FreeRecords(HTREEITEM item);

private:
    QPointer<CTreeCtrl> m_tree;
};
