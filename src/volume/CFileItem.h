#pragma once
// The record attached to every folder-tree and file-list item.

#include <QString>

class CFileItem {
public:
    enum Type { Other = 0, Folder = 1, Label = 2, Program = 3 };

    CFileItem(const QString& name, const QString& path, int type, const QString& diskName = QString())
        : m_strName(name), m_strPath(path), m_nType(type), m_strDiskName(diskName)
    {
    }
    virtual ~CFileItem() = default;

    // The path that names this very entry: m_strPath with the display name
    // at its end replaced by the name on disk. The path translation prefers
    // an exact match, so this reaches the entry even where its folder holds
    // names that differ from it only in case. m_strPath when the name on
    // disk is not known.
    QString DiskPath() const
    {
        if (m_strDiskName.isEmpty() || !m_strPath.endsWith(m_strName))
            return m_strPath;
        return m_strPath.chopped(m_strName.size()) + m_strDiskName;
    }

    QString m_strName;  // display name; empty for the tree's root
    QString m_strPath;  // parent's path + "/" + display name; the root name for the root
    int m_nType;        // Type
    QString m_strDiskName;  // the name as on disk; empty when not known
};
