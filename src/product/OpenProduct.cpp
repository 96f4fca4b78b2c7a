#include "product/OpenProduct.h"

#include "product/Pds3Product.h"
#include "product/Pds4Product.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cctype>
#include <cstring>

namespace product {

namespace {

constexpr qint64 kSniffBytes = 4096;

QByteArray Head(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(kSniffBytes) : QByteArray();
}

bool StartsWith(const QByteArray& text, qsizetype at, const char* prefix)
{
    return text.mid(at, qsizetype(std::strlen(prefix))) == prefix;
}

}  // namespace

LabelSniff SniffLabel(const QByteArray& head)
{
    qsizetype at = 0;
    if (head.startsWith("\xEF\xBB\xBF"))
        at = 3;
    while (at < head.size() && (head[at] == ' ' || head[at] == '\t' || head[at] == '\r' || head[at] == '\n'))
        ++at;
    if (StartsWith(head, at, "<"))
        return LabelSniff::Pds4;
    if (StartsWith(head, at, "LBLSIZE="))
        return LabelSniff::Vicar;
    if (StartsWith(head, at, "SIMPLE  ="))
        return LabelSniff::Fits;
    // A PDS3 label: an SFDU line or PDS_VERSION_ID first (or after
    // comments), or at least an ODL statement (NAME = value) on its first line.
    if (StartsWith(head, at, "CCSD") || StartsWith(head, at, "NJPL") || head.contains("PDS_VERSION_ID") ||
        head.contains("ODL_VERSION_ID"))
        return LabelSniff::Pds3;
    const qsizetype lineEnd = head.indexOf('\n', at);
    const QByteArray first = head.mid(at, lineEnd < 0 ? -1 : lineEnd - at);
    const qsizetype equals = first.indexOf('=');
    if (equals > 0) {
        const QByteArray name = first.left(equals).trimmed();
        bool identifier = !name.isEmpty();
        for (char c : name)
            identifier = identifier &&
                         (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '^' || c == ':');
        if (identifier)
            return LabelSniff::Pds3;
    }
    return LabelSniff::Unknown;
}

Product OpenProduct(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw Error{path + QStringLiteral(": no such file")};
    if (info.isDir())
        throw Error{path + QStringLiteral(": a folder, not a label")};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error{path + QStringLiteral(": ") + file.errorString()};
    const QByteArray head = file.read(kSniffBytes);
    file.close();
    const QString absolute = info.absoluteFilePath();
    switch (SniffLabel(head)) {
    case LabelSniff::Pds4:
        return ReadPds4Product(absolute);
    case LabelSniff::Pds3:
        return ReadPds3Product(absolute);
    case LabelSniff::Vicar:
        throw Error{path + QStringLiteral(": a VICAR file, not a PDS label; open its PDS3 or PDS4 label instead")};
    case LabelSniff::Fits:
        throw Error{path + QStringLiteral(": a FITS file, not a PDS label; open its PDS4 label instead")};
    case LabelSniff::Unknown:
        break;
    }
    throw Error{path + QStringLiteral(": not a PDS3 or PDS4 label")};
}

QString LabelBeside(const QString& path)
{
    const QFileInfo data(path);
    const QString stem = data.completeBaseName();
    if (stem.isEmpty())
        return QString();
    const QStringList patterns{stem + QStringLiteral(".lbl"), stem + QStringLiteral(".xml"),
                               stem + QStringLiteral(".lblx")};
    QDir folder = data.absoluteDir();
    folder.setNameFilters(patterns);
    folder.setFilter(QDir::Files | QDir::Readable);
    folder.setSorting(QDir::Name);
    // Names are compared without regard to case; PDS3 labels are preferred
    // to PDS4 ones in the order of the patterns.
    for (const QString& pattern : patterns) {
        for (const QFileInfo& candidate : folder.entryInfoList()) {
            if (candidate.fileName().compare(pattern, Qt::CaseInsensitive) != 0 ||
                candidate.absoluteFilePath() == data.absoluteFilePath())
                continue;
            const LabelSniff sniff = SniffLabel(Head(candidate.absoluteFilePath()));
            if (sniff == LabelSniff::Pds3 || sniff == LabelSniff::Pds4)
                return candidate.absoluteFilePath();
        }
    }
    return QString();
}

Product OpenProductOrLabelBeside(const QString& path)
{
    const QFileInfo info(path);
    if (info.isFile()) {
        const LabelSniff sniff = SniffLabel(Head(path));
        if (sniff != LabelSniff::Pds3 && sniff != LabelSniff::Pds4) {
            const QString label = LabelBeside(path);
            if (!label.isEmpty())
                return OpenProduct(label);
        }
    }
    return OpenProduct(path);
}

}  // namespace product
