#pragma once
// The label's text in a fixed-width font, coloured by LabelHighlighter;
// PDS4 labels indented by depth. ShowLines marks and scrolls to the lines
// of one object of the structure tree.

#include "product/Product.h"

#include <QPlainTextEdit>

namespace viewer {

class LabelHighlighter;

class LabelView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LabelView(QWidget* parent = nullptr);

    void SetLabel(const QString& text, product::LabelFlavour flavour);
    // Marks lines first..last (from 1) and brings the first into view;
    // 0, 0 marks none.
    void ShowLines(int first, int last);
    int markedFirst() const { return m_first; }
    int markedLast() const { return m_last; }
    LabelHighlighter* highlighter() const { return m_highlighter; }

private:
    LabelHighlighter* m_highlighter = nullptr;
    int m_first = 0;
    int m_last = 0;
};

}  // namespace viewer
