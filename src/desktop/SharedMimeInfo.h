#pragma once
// The pieces of the shared-mime-info database that decide the MIME type of a
// file extension: the glob lists (mime/globs2, or the older mime/globs), the
// aliases and the sub-class relations, read from the "mime" folder of every
// XDG data folder.
//
// The glob files are read directly rather than through QMimeDatabase: the
// associations must list every extension the database knows, which
// QMimeDatabase does not offer without loading every type's full
// description, and QMimeDatabase keeps its first reading for the whole
// process, whereas each reading is made from the folders named at that time.
//
// Matching follows the rules the desktop's own library applies to a name:
// of the globs "*<literal>" whose literal ends the name (exactly for
// case-sensitive globs, without regard to case for the others), the highest
// weight wins, then the longest pattern, then the glob read first. The
// database tool writes every case-sensitive glob a second time without the
// flag; that copy is dropped, or ".c" would read as C++ source.

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

class SharedMimeInfo {
public:
    struct Extension {
        QString name;  // with its dot, as a glob spells it: ".txt"
        QString type;  // canonical MIME type
    };

    // dataDirs: the XDG data folders, most important first.
    explicit SharedMimeInfo(const QStringList& dataDirs);

    // The canonical name of a type (aliases resolved); the type itself when
    // it is no alias.
    QString Canonical(const QString& type) const;
    // Direct parent types of a canonical type, canonical, in file order.
    QStringList Parents(const QString& type) const;
    // The type the globs give a file name by its ending; empty when none.
    QString TypeForName(const QString& name) const;
    // Every extension named by a glob "*.<ext>" (ext without dots or
    // wildcards), once per name without regard to case, with its type. Of
    // several spellings of one name the one of a glob that ignores case is
    // kept, else a lower-case one, else the first.
    std::vector<Extension> Extensions() const;

private:
    struct Glob {
        int weight;
        QString type;
        QString literal;  // the pattern without its leading "*"
        bool caseSensitive;
    };
    void ReadGlobs(const QString& mimeDir, QStringList& typesWithoutGlobs);
    void AddGlob(const Glob& glob);

    std::vector<Glob> m_globs;                      // in reading order
    QHash<QString, std::vector<int>> m_bySuffix;    // lower-case literal -> globs
    QStringList m_blockedTypes;                     // __NOGLOBS__ of more important folders
    QHash<QString, QString> m_aliases;              // lower-case alias -> canonical
    QHash<QString, QStringList> m_parents;          // canonical -> parents
};
