#include "viewer/LabelHighlighter.h"

#include <QRegularExpression>

namespace viewer {

namespace {

QTextCharFormat Format(QColor colour, bool bold = false, bool italic = false)
{
    QTextCharFormat format;
    format.setForeground(colour);
    if (bold)
        format.setFontWeight(QFont::Bold);
    format.setFontItalic(italic);
    return format;
}

constexpr int kInComment = 1;

}  // namespace

LabelHighlighter::LabelHighlighter(QTextDocument* document, product::LabelFlavour flavour, bool darkBackground)
    : QSyntaxHighlighter(document), m_flavour(flavour)
{
    m_keyword = Format(darkBackground ? QColor(0x7a, 0xb8, 0xff) : QColor(0x00, 0x3d, 0x99), true);
    m_value = Format(darkBackground ? QColor(0xe6, 0xe6, 0xe6) : QColor(0x20, 0x20, 0x20));
    m_text = Format(darkBackground ? QColor(0x9c, 0xdc, 0x8c) : QColor(0x1a, 0x6e, 0x1a));
    m_comment = Format(darkBackground ? QColor(0x9a, 0x9a, 0x9a) : QColor(0x70, 0x70, 0x70), false, true);
    m_structure = Format(darkBackground ? QColor(0xff, 0xb8, 0x6c) : QColor(0x9a, 0x3d, 0x00), true);
}

const QTextCharFormat& LabelHighlighter::FormatOf(Part part) const
{
    switch (part) {
    case Part::Keyword:
        return m_keyword;
    case Part::Value:
        return m_value;
    case Part::Text:
        return m_text;
    case Part::Comment:
        return m_comment;
    case Part::Structure:
        break;
    }
    return m_structure;
}

void LabelHighlighter::highlightBlock(const QString& text)
{
    if (m_flavour == product::LabelFlavour::Pds3)
        HighlightOdl(text);
    else
        HighlightXml(text);
}

void LabelHighlighter::HighlightOdl(const QString& text)
{
    static const QRegularExpression statement(QStringLiteral("^\\s*([A-Za-z0-9_:^]+)\\s*="));
    static const QRegularExpression structure(QStringLiteral("^\\s*(END_OBJECT|END_GROUP|OBJECT|GROUP|END)\\b"));
    static const QRegularExpression quoted(QStringLiteral("\"[^\"]*\"?|'[^']*'|<[^>]*>"));
    setFormat(0, int(text.size()), m_value);
    if (const auto match = statement.match(text); match.hasMatch()) {
        const bool isStructure = structure.match(text).hasMatch();
        setFormat(int(match.capturedStart(1)), int(match.capturedLength(1)), isStructure ? m_structure : m_keyword);
    } else if (const auto end = structure.match(text); end.hasMatch()) {
        setFormat(int(end.capturedStart(1)), int(end.capturedLength(1)), m_structure);
    }
    const int from = statement.match(text).hasMatch() ? int(statement.match(text).capturedEnd()) : 0;
    for (auto it = quoted.globalMatch(text, from); it.hasNext();) {
        const auto match = it.next();
        setFormat(int(match.capturedStart()), int(match.capturedLength()), m_text);
    }
    ColourComments(text, QStringLiteral("/*"), QStringLiteral("*/"));
}

void LabelHighlighter::HighlightXml(const QString& text)
{
    static const QRegularExpression tag(QStringLiteral("</?[A-Za-z_][\\w:.-]*|/?>|<\\?[\\w-]+|\\?>"));
    static const QRegularExpression attribute(QStringLiteral("([\\w:.-]+)\\s*=\\s*(\"[^\"]*\"|'[^']*')"));
    setFormat(0, int(text.size()), m_value);
    for (auto it = attribute.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        setFormat(int(match.capturedStart(1)), int(match.capturedLength(1)), m_keyword);
        setFormat(int(match.capturedStart(2)), int(match.capturedLength(2)), m_text);
    }
    for (auto it = tag.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        setFormat(int(match.capturedStart()), int(match.capturedLength()), m_structure);
    }
    ColourComments(text, QStringLiteral("<!--"), QStringLiteral("-->"));
}

// Comments may run over several lines: the block state says whether a
// line starts inside one.
void LabelHighlighter::ColourComments(const QString& text, const QString& open, const QString& close)
{
    setCurrentBlockState(0);
    qsizetype start = previousBlockState() == kInComment ? 0 : text.indexOf(open);
    while (start >= 0) {
        const qsizetype from = previousBlockState() == kInComment && start == 0 ? 0 : start + open.size();
        const qsizetype end = text.indexOf(close, from);
        if (end < 0) {
            setFormat(int(start), int(text.size() - start), m_comment);
            setCurrentBlockState(kInComment);
            return;
        }
        setFormat(int(start), int(end + close.size() - start), m_comment);
        start = text.indexOf(open, end + close.size());
    }
}

QString IndentXml(const QString& text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    QStringList out;
    out.reserve(lines.size());
    int depth = 0;
    bool inComment = false;
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        int lineDepth = depth;
        if (!inComment && line.startsWith(QLatin1String("</")))
            lineDepth = std::max(0, depth - 1);
        // Follow the tags of the line to the depth of the next one.
        for (qsizetype i = 0; i < line.size(); ++i) {
            if (inComment) {
                const qsizetype end = line.indexOf(QLatin1String("-->"), i);
                if (end < 0)
                    break;
                inComment = false;
                i = end + 2;
                continue;
            }
            if (line[i] != QLatin1Char('<'))
                continue;
            if (line.mid(i, 4) == QLatin1String("<!--")) {
                inComment = true;
                i += 3;
                continue;
            }
            const qsizetype close = line.indexOf(QLatin1Char('>'), i);
            const QChar next = i + 1 < line.size() ? line[i + 1] : QChar();
            if (next == QLatin1Char('?') || next == QLatin1Char('!'))
                ;
            else if (next == QLatin1Char('/'))
                depth = std::max(0, depth - 1);
            else if (close < 0 || line[close - 1] != QLatin1Char('/'))
                ++depth;
            if (close < 0)
                break;
            i = close;
        }
        out.append(line.isEmpty() ? QString() : QString(lineDepth * 2, QLatin1Char(' ')) + line);
    }
    return out.join(QLatin1Char('\n'));
}

}  // namespace viewer
