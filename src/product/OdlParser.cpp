#include "product/OdlParser.h"

#include "product/Pds3Messages.h"

#include <cmath>
#include <limits>

namespace product {

namespace {

// Lists nest 2 deep in ODL (a 2-D sequence); a little more is tolerated.
constexpr int kMaxListDepth = 8;
// OBJECT/GROUP blocks deeper than this are read into their parent.
constexpr int kMaxBlockDepth = 64;
// Warnings beyond this are counted, not listed.
constexpr int kMaxWarnings = 200;

QString Decode(QByteArrayView bytes)
{
    return bytes.isValidUtf8() ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
}

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

bool Is(QStringView word, const char* keyword)
{
    return word.compare(QLatin1StringView(keyword), Qt::CaseInsensitive) == 0;
}

// Quoted text: each line's own spaces dropped, lines joined by one space.
QString JoinedText(QByteArrayView raw)
{
    const QString text = Decode(raw);
    if (!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'))) {
        return text;
    }
    QString joined;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i <= size; ++i) {
        if (i < size && text[i] != QLatin1Char('\n') && text[i] != QLatin1Char('\r')) {
            continue;
        }
        const QString line = text.sliced(start, i - start).trimmed();
        if (!line.isEmpty()) {
            if (!joined.isEmpty()) {
                joined += QLatin1Char(' ');
            }
            joined += line;
        }
        start = i + 1;
    }
    return joined;
}

// Sets kind and number of a bare word: integer, radix integer, real, date
// or time; anything else stays an identifier.
void Classify(OdlValue& value)
{
    const QString& text = value.text;
    qsizetype i = 0;
    const qsizetype size = text.size();
    const bool sign = size > 0 && (text[0] == QLatin1Char('+') || text[0] == QLatin1Char('-'));
    if (sign) {
        ++i;
    }
    qsizetype digits = 0;
    while (i + digits < size && IsDigit(text[i + digits])) {
        ++digits;
    }
    if (digits == 0 && !(i < size && text[i] == QLatin1Char('.'))) {
        return;
    }
    const QStringView rest = QStringView(text).sliced(i + digits);
    if (rest.isEmpty()) {
        bool ok = false;
        const qlonglong integer = text.toLongLong(&ok);
        value.real = text.toDouble();
        if (ok) {
            value.kind = OdlValue::Kind::Integer;
            value.integer = integer;
        } else {
            value.kind = OdlValue::Kind::Real;  // past the 64-bit range
        }
        return;
    }
    if (rest.startsWith(QLatin1Char('#')) && rest.size() >= 3 && rest.endsWith(QLatin1Char('#')) && digits > 0) {
        bool ok = false;
        const int base = QStringView(text).sliced(i, digits).toInt(&ok);
        const qulonglong bits = rest.sliced(1, rest.size() - 2).toULongLong(&ok, base >= 2 && base <= 16 ? base : 0);
        if (!ok || base < 2 || base > 16) {
            return;
        }
        const bool negative = text[0] == QLatin1Char('-');
        value.radix = true;
        value.real = negative ? -static_cast<double>(bits) : static_cast<double>(bits);
        if (bits <= static_cast<qulonglong>(std::numeric_limits<std::int64_t>::max())) {
            value.kind = OdlValue::Kind::Integer;
            value.integer = negative ? -static_cast<std::int64_t>(bits) : static_cast<std::int64_t>(bits);
        } else {
            value.kind = OdlValue::Kind::Real;
        }
        return;
    }
    bool ok = false;
    const double real = text.toDouble(&ok);
    const bool numeric = rest.front() == QLatin1Char('.') || rest.front() == QLatin1Char('e') ||
                         rest.front() == QLatin1Char('E');
    if (ok && numeric && std::isfinite(real)) {
        value.kind = OdlValue::Kind::Real;
        value.real = real;
        return;
    }
    // 1997-07-04, 1998-034T12:00:00.000Z, 12:30:00
    if (!sign && digits > 0 && (rest.front() == QLatin1Char('-') || rest.front() == QLatin1Char(':'))) {
        value.kind = OdlValue::Kind::DateTime;
    }
}

}  // namespace

OdlLabel OdlParser::Parse(QByteArrayView text)
{
    OdlParser parser(text);
    parser.Run();
    return std::move(parser.m_label);
}

void OdlParser::Warn(int line, const QString& what)
{
    if (m_label.warnings.size() >= kMaxWarnings) {
        ++m_warningsLeftOut;
        return;
    }
    m_label.warnings << pds3text::AtLine().arg(line).arg(what);
}

void OdlParser::TakeSemicolon()
{
    if (m_lexer.Peek().kind == OdlToken::Kind::Semicolon) {
        m_lexer.Next();
    }
}

void OdlParser::Run()
{
    m_open.push_back(&m_label.root);
    m_label.root.firstLine = 1;
    // An SFDU label line (CCSD..., NJPL...) may come before the first
    // statement, with or without "= SFDU_LABEL".
    {
        const OdlToken& first = m_lexer.Peek();
        if (first.kind == OdlToken::Kind::Word &&
            (first.text.startsWith("CCSD") || first.text.startsWith("NJPL") || first.text.startsWith("ccsd"))) {
            m_lexer.SkipLineOf(first);
        }
    }
    while (true) {
        const OdlToken token = m_lexer.Next();
        if (token.kind == OdlToken::Kind::End) {
            break;
        }
        if (token.kind == OdlToken::Kind::Semicolon) {
            continue;
        }
        if (token.kind != OdlToken::Kind::Word) {
            Warn(token.line, pds3text::UnexpectedToken().arg(Decode(token.text)));
            m_lexer.SkipLineOf(token);
            continue;
        }
        if (!Statement(token)) {
            break;
        }
    }
    const int lastLine = m_label.endFound ? m_label.lines : m_lexer.Line();
    m_label.lines = lastLine;
    while (m_open.size() > 1) {
        OdlBlock* block = m_open.back();
        Warn(block->firstLine, pds3text::NotClosed().arg(block->kind, block->name));
        block->lastLine = lastLine;
        m_open.pop_back();
    }
    if (m_warningsLeftOut > 0) {
        m_label.warnings << pds3text::MoreSkipped().arg(m_warningsLeftOut);
    }
    m_label.root.lastLine = lastLine;
    if (!m_label.endFound) {
        m_label.endOffset = m_lexer.Peek().offset;
    }
}

bool OdlParser::NoValueFollows(const OdlToken& equals)
{
    const OdlToken& next = m_lexer.Peek();
    if (next.kind == OdlToken::Kind::End || next.kind == OdlToken::Kind::Semicolon) {
        return true;
    }
    if (next.kind != OdlToken::Kind::Word || next.line == equals.line) {
        return false;
    }
    const QString word = Decode(next.text);
    if (Is(word, "END") || Is(word, "END_OBJECT") || Is(word, "END_GROUP")) {
        return true;
    }
    return m_lexer.Peek(1).kind == OdlToken::Kind::Equals;
}

bool OdlParser::Statement(const OdlToken& keywordToken)
{
    QString keyword = Decode(keywordToken.text);
    if (Is(keyword, "END")) {
        m_label.endFound = true;
        m_label.endOffset = m_lexer.BlankLineEndAfter(keywordToken.offset + keywordToken.text.size());
        m_label.lines = keywordToken.line;
        return false;
    }
    if (Is(keyword, "END_OBJECT") || Is(keyword, "END_GROUP")) {
        QString name;
        const OdlToken& next = m_lexer.Peek();
        if (next.kind == OdlToken::Kind::Equals && next.line == keywordToken.line) {
            m_lexer.Next();
            const OdlToken nameToken = m_lexer.Peek();
            if (nameToken.line == keywordToken.line &&
                (nameToken.kind == OdlToken::Kind::Word || nameToken.kind == OdlToken::Kind::Text ||
                 nameToken.kind == OdlToken::Kind::Symbol)) {
                m_lexer.Next();
                name = Decode(nameToken.text);
            }
        }
        TakeSemicolon();
        CloseBlock(keywordToken, name);
        return true;
    }
    const OdlToken equals = m_lexer.Peek();
    if (equals.kind != OdlToken::Kind::Equals) {
        Warn(keywordToken.line, pds3text::NoEquals().arg(keyword));
        m_lexer.SkipLineOf(keywordToken);
        return true;
    }
    m_lexer.Next();
    if (NoValueFollows(equals)) {
        Warn(keywordToken.line, pds3text::NoValue().arg(keyword));
        TakeSemicolon();
        return true;
    }
    OdlValue value;
    if (!Value(value, 0)) {
        Warn(keywordToken.line, pds3text::BadValue().arg(keyword));
        // A list left open runs into the next statement: go on at the line
        // where the value broke off; else after the keyword's line.
        if (m_failed.kind == OdlToken::Kind::End) {
            m_lexer.SkipLineOf(m_failed);
        } else if (m_failed.line > keywordToken.line) {
            m_lexer.RestartAtLineOf(m_failed);
        } else {
            m_lexer.SkipLineOf(keywordToken);
        }
        return true;
    }
    TakeSemicolon();
    ++m_label.statementCount;
    if (m_label.firstKeyword.isEmpty()) {
        m_label.firstKeyword = keyword.toUpper();
        m_label.firstStatementLine = keywordToken.line;
    }
    const bool object = Is(keyword, "OBJECT") || Is(keyword, "BEGIN_OBJECT");
    const bool group = Is(keyword, "GROUP") || Is(keyword, "BEGIN_GROUP");
    if (object || group) {
        if (m_ignoredDepth > 0 || m_open.size() > kMaxBlockDepth) {
            Warn(keywordToken.line, pds3text::BlocksTooDeep().arg(keyword));
            ++m_ignoredDepth;
            return true;
        }
        OdlBlock block;
        block.kind = object ? QStringLiteral("OBJECT") : QStringLiteral("GROUP");
        block.name = value.ToString();
        block.firstLine = keywordToken.line;
        OdlBlock* parent = m_open.back();
        parent->children.push_back(std::move(block));
        m_open.push_back(&parent->children.back());
        return true;
    }
    OdlStatement statement;
    statement.line = keywordToken.line;
    statement.pointer = keyword.startsWith(QLatin1Char('^'));
    statement.keyword = statement.pointer ? keyword.mid(1) : keyword;
    statement.value = std::move(value);
    m_open.back()->statements.push_back(std::move(statement));
    return true;
}

void OdlParser::CloseBlock(const OdlToken& keyword, const QString& name)
{
    const QString word = Decode(keyword.text);
    if (m_ignoredDepth > 0) {
        --m_ignoredDepth;
        return;
    }
    if (m_open.size() <= 1) {
        Warn(keyword.line, pds3text::NothingOpen().arg(word));
        return;
    }
    OdlBlock* block = m_open.back();
    const bool closesObject = Is(word, "END_OBJECT");
    if ((block->kind == QLatin1String("OBJECT")) != closesObject) {
        Warn(keyword.line, pds3text::ClosesOther().arg(word, block->kind, block->name));
    } else if (!name.isEmpty() && name.compare(block->name, Qt::CaseInsensitive) != 0) {
        Warn(keyword.line, pds3text::ClosesOtherName().arg(word, name, block->kind, block->name));
    }
    block->lastLine = keyword.line;
    m_open.pop_back();
}

bool OdlParser::List(OdlValue& value, OdlToken::Kind close, int depth)
{
    if (m_lexer.Peek().kind == close) {
        m_lexer.Next();
        return true;
    }
    while (true) {
        OdlValue item;
        if (!Value(item, depth + 1)) {
            return false;
        }
        value.items.push_back(std::move(item));
        const OdlToken separator = m_lexer.Next();
        if (separator.kind == close) {
            return true;
        }
        if (separator.kind != OdlToken::Kind::Comma) {
            m_failed = separator;
            return false;
        }
    }
}

bool OdlParser::Value(OdlValue& value, int depth)
{
    const OdlToken token = m_lexer.Next();
    m_failed = token;
    if (depth > kMaxListDepth) {
        return false;
    }
    switch (token.kind) {
    case OdlToken::Kind::Open:
        value.kind = OdlValue::Kind::Sequence;
        if (!List(value, OdlToken::Kind::Close, depth)) {
            return false;
        }
        break;
    case OdlToken::Kind::OpenSet:
        value.kind = OdlValue::Kind::Set;
        if (!List(value, OdlToken::Kind::CloseSet, depth)) {
            return false;
        }
        break;
    case OdlToken::Kind::Text:
        if (token.unterminated) {
            return false;
        }
        value.kind = OdlValue::Kind::Text;
        value.text = JoinedText(token.text);
        break;
    case OdlToken::Kind::Symbol:
        if (token.unterminated) {
            return false;
        }
        value.kind = OdlValue::Kind::Symbol;
        value.text = Decode(token.text);
        break;
    case OdlToken::Kind::Word:
        value.kind = OdlValue::Kind::Identifier;
        value.text = Decode(token.text);
        Classify(value);
        break;
    default:
        return false;
    }
    const OdlToken& unit = m_lexer.Peek();
    if (unit.kind == OdlToken::Kind::Unit) {
        if (unit.unterminated) {
            return false;
        }
        value.unit = Decode(unit.text).trimmed();
        m_lexer.Next();
    }
    return true;
}

}  // namespace product
