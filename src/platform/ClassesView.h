#pragma once
// The read-only key HKEY_LOCAL_MACHINE\SOFTWARE\Classes, synthesised from
// the desktop's association database:
//
//   .txt                          default value and "Content Type": the
//                                 extension's MIME type (text/plain)
//   text/plain                    the file type, named after the MIME type
//   text/plain\shell\Open\command default value: the command line of the
//                                 type's default application, "%1" standing
//                                 for the file (only when there is one)
//
// One extension key per extension that a shared-mime-info glob "*.<ext>"
// names (SharedMimeInfo), one file type key per MIME type those extensions
// have; the default applications come from MimeApps. The folders are the
// XDG ones at the time the view is built. Subkeys enumerate in
// case-insensitive name order; names are looked up without regard to case.
// File types resolve their command the first time they are asked about.

#include "platform/MimeApps.h"
#include "platform/SharedMimeInfo.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class ClassesView {
public:
    // A key of the view.
    struct Node {
        enum Kind { Root, Extension, FileType, Shell, Verb, Command };
        Kind kind = Root;
        int index = 0;  // into the extension or file type table
    };

    // Builds the view from the XDG folders named by the environment now.
    ClassesView();
    // Builds it from the given folders (most important first).
    ClassesView(const QStringList& configDirs, const QStringList& dataDirs, const QStringList& desktops);
    ~ClassesView();
    ClassesView(const ClassesView&) = delete;
    ClassesView& operator=(const ClassesView&) = delete;

    // The key at a relative path of components below from, if it exists.
    std::optional<Node> Find(const Node& from, const QStringList& components);
    int SubKeyCount(const Node& node);
    // Name of the subkey at index; empty past the end.
    QString SubKeyName(const Node& node, int index);
    // A value of a key (an empty name is the default value).
    bool Value(const Node& node, const QString& name, QString& data);

private:
    struct Key {
        QString name;
        bool isExtension;
        int index;  // extension or file type
    };
    struct FileType {
        QString mimeType;
        bool resolved = false;
        QString command;
    };
    struct ExtensionKey {
        QString name;
        int fileType;
    };

    void Build(const QStringList& configDirs, const QStringList& dataDirs, const QStringList& desktops);
    const QString& CommandOf(int fileType);
    bool HasCommand(int fileType) { return !CommandOf(fileType).isEmpty(); }

    std::unique_ptr<SharedMimeInfo> m_mime;
    std::unique_ptr<MimeApps> m_apps;
    std::vector<ExtensionKey> m_extensions;
    std::vector<FileType> m_fileTypes;
    std::vector<Key> m_keys;            // sorted
    QHash<QString, int> m_keyByName;    // upper-case name -> index into m_keys
};
