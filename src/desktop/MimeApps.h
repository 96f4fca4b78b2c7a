#pragma once
// The desktop's default application for a MIME type, from the MIME
// Applications Associations files and the desktop entries, resolved the way
// the desktop's own library does it:
//
// - The folders searched, most important first: $XDG_CONFIG_HOME,
//   $XDG_CONFIG_DIRS, $XDG_DATA_HOME/applications, $XDG_DATA_DIRS/applications.
//   In each, "<desktop>-mimeapps.list" for every $XDG_CURRENT_DESKTOP entry
//   (in lower case) comes before "mimeapps.list"; application folders also
//   keep the older "defaults.list" (default applications only).
// - For the type and then, when nothing is found, each of its parent types
//   in turn: every [Default Applications] entry of every folder, in order,
//   then per folder its [Added Associations], its [Removed Associations]
//   (which hide what they name from here on) and the applications that the
//   folder's mimeinfo.cache, or its entries' MimeType= keys, give the type.
//   The first candidate that is installed and usable wins.
// - A desktop id is the entry's path below "applications/" with "/" turned
//   into "-". The first folder holding an id decides it: Hidden=true there
//   deletes it, and associations that a less important folder makes for an
//   id held by a more important one are ignored. NoDisplay=true entries
//   count. Usable means it gives an open command (see DesktopEntry).
// - Types in all these files are canonicalised through the aliases.

#include "desktop/SharedMimeInfo.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

class MimeApps {
public:
    MimeApps(const SharedMimeInfo& mime, const QStringList& configDirs, const QStringList& dataDirs,
             const QStringList& desktops);

    // The open command of the type's default application (DesktopEntry's
    // form); empty when no usable application is found. Answers are kept.
    QString DefaultCommand(const QString& type);

private:
    struct Tweaks {
        QStringList defaults;
        bool hasDefaults = false;
        QStringList added;
        QStringList removed;
    };
    struct Folder {
        QString path;
        bool holdsApps = false;
        QHash<QString, Tweaks> tweaks;        // by canonical type
        QHash<QString, QString> apps;         // desktop id -> file
        QHash<QString, QStringList> mimeMap;  // canonical type -> desktop ids
        bool mimeMapRead = false;
    };

    void ReadList(Folder& folder, const QString& file, bool defaultsOnly);
    void ScanApps(Folder& folder, const QString& dir, const QString& prefix, int depth);
    const QHash<QString, QStringList>& MimeMap(Folder& folder);
    bool Masked(std::size_t folderIndex, const QString& id) const;
    void Candidates(const QString& type, QStringList& found, QStringList& blocked);
    QString CommandOf(const QString& id);

    const SharedMimeInfo& m_mime;
    std::vector<Folder> m_folders;
    QHash<QString, QString> m_commandById;
    QHash<QString, QString> m_commandByType;
};
