#include "viewer/LabelView.h"

#include "viewer/LabelHighlighter.h"
#include "viewer/ViewerTexts.h"

#include <QFontDatabase>
#include <QTextBlock>

namespace viewer {

LabelView::LabelView(QWidget* parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setAccessibleName(QString::fromUtf8(text::kLabelViewName));
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void LabelView::SetLabel(const QString& text, product::LabelFlavour flavour)
{
    delete m_highlighter;
    m_highlighter = nullptr;
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (flavour == product::LabelFlavour::Pds4)
        shown = IndentXml(shown);
    setPlainText(shown);
    const bool dark = palette().color(QPalette::Base).lightness() < 128;
    m_highlighter = new LabelHighlighter(document(), flavour, dark);
    m_highlighter->rehighlight();  // now, not when the event loop next runs
    m_first = m_last = 0;
}

void LabelView::ShowLines(int first, int last)
{
    m_first = first;
    m_last = last;
    QList<QTextEdit::ExtraSelection> selections;
    if (first > 0) {
        const QTextBlock from = document()->findBlockByNumber(first - 1);
        const QTextBlock to = document()->findBlockByNumber(std::max(first, last) - 1);
        if (from.isValid()) {
            QTextEdit::ExtraSelection selection;
            selection.cursor = QTextCursor(from);
            // Through the last line's end, so the mark spans its whole width.
            const int end = to.isValid() ? to.position() + to.length() : from.position();
            selection.cursor.setPosition(std::min(end, document()->characterCount() - 1), QTextCursor::KeepAnchor);
            // The selection colour, faint: reads on light and dark windows.
            QColor mark = palette().color(QPalette::Highlight);
            mark.setAlpha(56);
            selection.format.setBackground(mark);
            selection.format.setProperty(QTextFormat::FullWidthSelection, true);
            selections.append(selection);
            // Scroll so the object's first line is at the top.
            QTextCursor cursor(document()->lastBlock());
            setTextCursor(cursor);
            ensureCursorVisible();
            setTextCursor(QTextCursor(from));
            ensureCursorVisible();
        }
    }
    setExtraSelections(selections);
}

}  // namespace viewer
