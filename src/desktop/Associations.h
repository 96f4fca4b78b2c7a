#pragma once
// The desktop's file associations as the program uses them: every file
// extension that a shared-mime-info glob "*.<ext>" names (SharedMimeInfo)
// with its MIME type, and the command line of each type's default
// application (MimeApps), "%1" standing for the file. The folders are the
// XDG ones at the time the object is built. Names are looked up without
// regard to case; a type resolves its command the first time it is asked
// about.

#include "desktop/MimeApps.h"
#include "desktop/SharedMimeInfo.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class Associations {
public:
    struct Extension {
        QString name;  // with its dot: ".txt"
        QString mimeType;
    };

    // Reads the XDG folders named by the environment now.
    Associations();
    // Reads the given folders (most important first).
    Associations(const QStringList& configDirs, const QStringList& dataDirs, const QStringList& desktops);
    ~Associations();
    Associations(const Associations&) = delete;
    Associations& operator=(const Associations&) = delete;

    // The extensions in case-insensitive name order (upper case compared);
    // of names that differ only in case, the first the globs give.
    const std::vector<Extension>& Extensions() const { return m_extensions; }
    // The MIME types of the extensions, each once, in the order first given.
    const QStringList& Types() const { return m_types; }
    // The extension of that name, without regard to case.
    const Extension* FindExtension(const QString& name) const;
    // The type of that name as first given, without regard to case; nothing
    // when no extension has it.
    std::optional<QString> FindType(const QString& name) const;
    // The open command of the type's default application; empty when it
    // has none.
    QString Command(const QString& mimeType) { return m_apps->DefaultCommand(mimeType); }

private:
    std::unique_ptr<SharedMimeInfo> m_mime;
    std::unique_ptr<MimeApps> m_apps;
    std::vector<Extension> m_extensions;
    QHash<QString, int> m_extensionByName;  // upper-case name -> index
    QStringList m_types;
    QHash<QString, QString> m_typeByName;  // upper-case name -> type
};
