#include "product/OdlLexer.h"

namespace product {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v' || c == '\0'; }

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

// Characters that end a bare word.
bool EndsWord(char c)
{
    switch (c) {
    case '=':
    case ',':
    case '(':
    case ')':
    case '{':
    case '}':
    case '<':
    case '>':
    case '"':
    case '\'':
    case ';':
        return true;
    default:
        return IsBlank(c) || IsLineEnd(c);
    }
}

}  // namespace

bool OdlLexer::TakeLineEnd()
{
    if (m_pos >= m_text.size()) {
        return false;
    }
    const char c = m_text[m_pos];
    if (c == '\r') {
        ++m_pos;
        if (m_pos < m_text.size() && m_text[m_pos] == '\n') {
            ++m_pos;
        }
    } else if (c == '\n') {
        ++m_pos;
    } else {
        return false;
    }
    ++m_line;
    return true;
}

void OdlLexer::SkipBlanksAndComments()
{
    const std::int64_t size = m_text.size();
    while (m_pos < size) {
        const char c = m_text[m_pos];
        if (IsBlank(c)) {
            ++m_pos;
        } else if (IsLineEnd(c)) {
            TakeLineEnd();
        } else if (c == '/' && m_pos + 1 < size && m_text[m_pos + 1] == '*') {
            // A comment ends at */; one left open ends with its line, so a
            // missing */ costs one line and not the rest of the label.
            m_pos += 2;
            while (m_pos < size && !IsLineEnd(m_text[m_pos])) {
                if (m_text[m_pos] == '*' && m_pos + 1 < size && m_text[m_pos + 1] == '/') {
                    m_pos += 2;
                    break;
                }
                ++m_pos;
            }
        } else if (c == '#') {
            // PVL's comment to the end of the line; radix numbers never
            // start with '#'.
            while (m_pos < size && !IsLineEnd(m_text[m_pos])) {
                ++m_pos;
            }
        } else {
            return;
        }
    }
}

OdlToken OdlLexer::Quoted(OdlToken token, char close, bool multiline)
{
    const std::int64_t size = m_text.size();
    const std::int64_t start = ++m_pos;
    while (m_pos < size && m_text[m_pos] != close) {
        if (IsLineEnd(m_text[m_pos])) {
            if (!multiline) {
                break;
            }
            TakeLineEnd();
        } else {
            ++m_pos;
        }
    }
    token.text = m_text.sliced(start, m_pos - start);
    if (m_pos < size && m_text[m_pos] == close) {
        ++m_pos;
    } else {
        token.unterminated = true;
    }
    return token;
}

OdlToken OdlLexer::Scan()
{
    SkipBlanksAndComments();
    OdlToken token;
    token.line = m_line;
    token.offset = m_pos;
    if (m_pos >= m_text.size()) {
        return token;
    }
    const char c = m_text[m_pos];
    auto single = [&](OdlToken::Kind kind) {
        token.kind = kind;
        token.text = m_text.sliced(m_pos, 1);
        ++m_pos;
        return token;
    };
    switch (c) {
    case '=':
        return single(OdlToken::Kind::Equals);
    case ',':
        return single(OdlToken::Kind::Comma);
    case '(':
        return single(OdlToken::Kind::Open);
    case ')':
        return single(OdlToken::Kind::Close);
    case '{':
        return single(OdlToken::Kind::OpenSet);
    case '}':
        return single(OdlToken::Kind::CloseSet);
    case ';':
        return single(OdlToken::Kind::Semicolon);
    case '"':
        token.kind = OdlToken::Kind::Text;
        return Quoted(token, '"', true);
    case '\'':
        token.kind = OdlToken::Kind::Symbol;
        return Quoted(token, '\'', false);
    case '<':
        token.kind = OdlToken::Kind::Unit;
        return Quoted(token, '>', false);
    default:
        break;
    }
    // A bare word; a stray '>' is taken as one.
    const std::int64_t start = m_pos;
    ++m_pos;
    while (m_pos < m_text.size()) {
        const char d = m_text[m_pos];
        if (EndsWord(d) || (d == '/' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '*')) {
            break;
        }
        ++m_pos;
    }
    token.kind = OdlToken::Kind::Word;
    token.text = m_text.sliced(start, m_pos - start);
    return token;
}

OdlToken OdlLexer::Next()
{
    if (m_aheadCount > 0) {
        const OdlToken token = m_ahead[0];
        m_ahead[0] = m_ahead[1];
        --m_aheadCount;
        return token;
    }
    return Scan();
}

const OdlToken& OdlLexer::Peek(int ahead)
{
    ahead = ahead > 0 ? 1 : 0;
    while (m_aheadCount <= ahead) {
        m_ahead[m_aheadCount] = Scan();
        ++m_aheadCount;
    }
    return m_ahead[ahead];
}

std::int64_t OdlLexer::BlankLineEndAfter(std::int64_t offset) const
{
    std::int64_t pos = offset;
    while (pos < m_text.size() && (m_text[pos] == ' ' || m_text[pos] == '\t')) {
        ++pos;
    }
    if (pos < m_text.size() && m_text[pos] == '\r') {
        ++pos;
        if (pos < m_text.size() && m_text[pos] == '\n') {
            ++pos;
        }
    } else if (pos < m_text.size() && m_text[pos] == '\n') {
        ++pos;
    }
    return pos;
}

void OdlLexer::RestartAtLineOf(const OdlToken& token)
{
    m_aheadCount = 0;
    m_pos = token.offset;
    m_line = token.line;
    while (m_pos > 0 && !IsLineEnd(m_text[m_pos - 1])) {
        --m_pos;
    }
}

void OdlLexer::SkipLineOf(const OdlToken& token)
{
    m_aheadCount = 0;
    m_pos = token.offset;
    m_line = token.line;
    while (m_pos < m_text.size() && !IsLineEnd(m_text[m_pos])) {
        ++m_pos;
    }
    TakeLineEnd();
}

}  // namespace product
