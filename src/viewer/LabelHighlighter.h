#pragma once
// Colours a label's text: for PDS3 (ODL) keywords, values, quoted text,
// units and /* comments */, with OBJECT/GROUP lines in bold; for PDS4
// (XML) element names, attributes, values and <!-- comments -->. The
// colours follow the palette, so they read on light and dark windows.

#include "product/Product.h"

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace viewer {

class LabelHighlighter : public QSyntaxHighlighter {
public:
    LabelHighlighter(QTextDocument* document, product::LabelFlavour flavour, bool darkBackground);

    // The format given to a kind of text, for tests and the help page.
    enum class Part { Keyword, Value, Text, Comment, Structure };
    const QTextCharFormat& FormatOf(Part part) const;

protected:
    void highlightBlock(const QString& text) override;

private:
    void HighlightOdl(const QString& text);
    void HighlightXml(const QString& text);
    void ColourComments(const QString& text, const QString& open, const QString& close);

    product::LabelFlavour m_flavour;
    QTextCharFormat m_keyword;
    QTextCharFormat m_value;
    QTextCharFormat m_text;
    QTextCharFormat m_comment;
    QTextCharFormat m_structure;
};

// A PDS4 label's text with every line indented by its element depth (two
// spaces a level); the lines stay the same lines, so line numbers hold.
QString IndentXml(const QString& text);

}  // namespace viewer
