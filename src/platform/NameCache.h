#pragma once
// Per-directory listing cache for case-insensitive name matching. A folder's
// names are read once and read again only when its modification time
// changes, so resolving every file of a folder of N files costs O(N).

#include <QHash>
#include <QString>

class NameCache {
public:
    // The on-disk name in hostDir that equals name, exactly if such an entry
    // exists, else without regard to case; empty when nothing matches or
    // the folder cannot be read. An exact name is found by asking for the
    // entry itself, without reading the folder: only names in another case
    // cost a listing.
    QString Match(const QString& hostDir, const QString& name);
    void Clear() { m_dirs.clear(); }

private:
    struct Listing {
        qint64 mtimeSec = -1;
        qint64 mtimeNsec = -1;
        QHash<QString, QString> byFolded;  // case-folded name -> on-disk name
        // The few names whose full lower case is longer than the name (a
        // capital I with dot above becomes i and a combining dot), keyed by
        // that lower case folded: a name shown in lower case finds them.
        QHash<QString, QString> byLowered;
    };
    static constexpr qsizetype kMaxFolders = 4096;
    QHash<QString, Listing> m_dirs;
};
