#pragma once
// A reader of Windows profile files (".ini"), with the rules of the Windows
// profile functions:
// - a UTF-8 or UTF-16 byte-order mark is honoured; without one the text is
//   UTF-8, or Latin-1 when it is not valid UTF-8;
// - a run of end-of-file marks (^Z, 0x1A) at the very end of the file is
//   not part of the text;
// - LF, CR LF and CR alone each end a line; blanks at both ends of a line
//   are ignored;
// - a line that begins with "[" starts a section whose name runs to the
//   last "]" of the line (a line without "]" is not a section header);
// - only lines that begin with ";" are comments ("a=b ;c" has the value
//   "b ;c");
// - a key line is "name = value", blanks around "=" ignored; lines without
//   "=" are not keys; lines before the first section belong to no section;
// - section and key names compare without regard to case; a lookup uses the
//   first section of that name and the first key of that name in it;
// - section names are listed in file order, repeated names each time;
// - a value in matching double or single quotes loses them.

#include <QString>
#include <QStringList>
#include <vector>

class ProfileFile {
public:
    // Reads a host file; false (and no sections) when it cannot be read.
    bool Load(const QString& hostPath);
    // Parses profile text given as bytes (with or without a byte-order mark).
    void Parse(const QByteArray& bytes);

    // GetPrivateProfileSectionNames: the section names in file order,
    // repeats included, as they fit in a buffer of bufferChars characters
    // where each name takes its length plus one and the list one more. A
    // name that does not fit whole is not returned, nor any after it. Empty
    // names (which would end the list) are not returned.
    QStringList SectionNames(int bufferChars = 4096) const;
    // GetPrivateProfileString: the value of key in the first section of
    // that name, without its quotes, cut to bufferChars - 1 characters;
    // defaultValue when there is no such section or key.
    QString String(const QString& section, const QString& key, const QString& defaultValue,
                   int bufferChars = 1024) const;

private:
    struct Key {
        QString name;
        QString value;
    };
    struct Section {
        QString name;
        std::vector<Key> keys;
    };
    std::vector<Section> m_sections;
};
