#pragma once
// Parses the Object Description Language of PDS3 labels: statements
// KEYWORD = value and ^POINTER = value, OBJECT/GROUP blocks (END_OBJECT and
// END_GROUP with or without the name; PVL's BEGIN_ forms too), scalars,
// sequences (also 2-D), sets, units, radix numbers, dates and times, quoted
// text over several lines, comments, an SFDU line before the first
// statement, ';' after a statement. The label ends at END: whatever follows
// (an attached label's data) is never looked at.
//
// A line that is not a statement (no '=', no value, an unclosed list) is
// reported with its line number in OdlLabel::warnings and skipped; the rest
// is still read.

#include "product/OdlLabel.h"
#include "product/OdlLexer.h"

#include <QByteArrayView>

namespace product {

class OdlParser {
public:
    static OdlLabel Parse(QByteArrayView text);

private:
    explicit OdlParser(QByteArrayView text) : m_lexer(text) {}

    void Run();
    // One statement starting with `keyword`; false when the label ended.
    bool Statement(const OdlToken& keyword);
    bool Value(OdlValue& value, int depth);
    bool List(OdlValue& value, OdlToken::Kind close, int depth);
    void CloseBlock(const OdlToken& keyword, const QString& name);
    void Warn(int line, const QString& what);
    // Takes a ';' that ends a statement.
    void TakeSemicolon();
    // Whether the token after '=' starts the next statement rather than
    // being this statement's value (KEY = with nothing after it).
    bool NoValueFollows(const OdlToken& equals);

    OdlLexer m_lexer;
    OdlLabel m_label;
    std::vector<OdlBlock*> m_open;  // the open blocks, innermost last; the root first
    int m_ignoredDepth = 0;         // blocks opened past the nesting limit
    int m_warningsLeftOut = 0;
    OdlToken m_failed;  // where the last value that could not be read broke off
};

}  // namespace product
