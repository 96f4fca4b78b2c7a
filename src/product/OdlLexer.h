#pragma once
// Splits ODL label text into tokens: bare words (keywords, identifiers,
// numbers, dates), quoted text, 'symbols', <units> and the punctuation
// = , ( ) { } ;. Comments (/* ... */ and # to the line's end) are skipped.
// Lines end in CR LF, LF or CR; each token knows the line it starts on.

#include <QByteArrayView>

#include <cstdint>

namespace product {

struct OdlToken {
    enum class Kind { End, Word, Text, Symbol, Unit, Equals, Comma, Open, Close, OpenSet, CloseSet, Semicolon };

    Kind kind = Kind::End;
    QByteArrayView text;  // Word/Symbol/Unit: inside any quotes or brackets; Text: raw, lines and all
    int line = 0;
    std::int64_t offset = 0;    // of the token's first byte
    bool unterminated = false;  // Text, Symbol or Unit without its closing mark
};

class OdlLexer {
public:
    explicit OdlLexer(QByteArrayView text) : m_text(text) {}

    OdlToken Next();
    // The token after the next one, without consuming anything; ahead = 0
    // is the next token.
    const OdlToken& Peek(int ahead = 0);

    // Drops lookahead and goes on at the start of the line after the one
    // that holds `token`'s first byte.
    void SkipLineOf(const OdlToken& token);
    // Drops lookahead and goes on at the start of the line that holds
    // `token`'s first byte.
    void RestartAtLineOf(const OdlToken& token);
    // After blanks from `offset` and the line end that follows them; when
    // something else follows the blanks (an attached label's data on END's
    // line), right after the blanks.
    std::int64_t BlankLineEndAfter(std::int64_t offset) const;
    int Line() const { return m_line; }

private:
    OdlToken Scan();
    void SkipBlanksAndComments();
    // Steps over one line end at m_pos (CR LF, LF or CR) and counts it.
    bool TakeLineEnd();
    OdlToken Quoted(OdlToken token, char close, bool multiline);

    QByteArrayView m_text;
    std::int64_t m_pos = 0;
    int m_line = 1;
    OdlToken m_ahead[2];
    int m_aheadCount = 0;
};

}  // namespace product
