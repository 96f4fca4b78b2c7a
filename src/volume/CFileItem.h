#pragma once
// The record attached to every folder-tree and file-list item.

#include <QString>

class CFileItem {
public:
    enum Type { Other = 0, Folder = 1, Label = 2, Program = 3 };

    CFileItem(const QString& name, const QString& path, int type)
        : m_strName(name), m_strPath(path), m_nType(type)
    {
    }
    virtual ~CFileItem() = default;

    QString m_strName;  // display name; empty for the tree's root
    QString m_strPath;  // parent's path + "/" + display name; the root name for the root
    int m_nType;        // Type
};
