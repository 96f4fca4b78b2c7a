#pragma once
// A list box with the behaviour of the Windows control: sorted insertion
// (case-insensitive, like LB_ADDSTRING on a sorted list box), a pointer-sized
// item data per line, the current selection and, for extended-selection
// boxes, the selected lines and the caret line.

#include <QListWidget>
#include <vector>

class CListBox : public QListWidget {
    Q_OBJECT
public:
    static constexpr int LB_ERR = -1;

    explicit CListBox(bool sorted, bool multiSelection, QWidget* parent = nullptr);

    bool IsSorted() const { return m_bSorted; }
    bool IsMultiSelection() const { return m_bMulti; }

    // Appends a line, or inserts it at its sorted place; returns its index.
    int AddString(const QString& text);
    // Removes a line; returns the remaining count or LB_ERR.
    int DeleteString(int index);
    void ResetContent();
    int GetCount() const { return count(); }
    QString GetText(int index) const;
    // The first line, from start + 1 on, whose text equals text without
    // regard to case; LB_ERR when none.
    int FindStringExact(int start, const QString& text) const;

    int SetItemDataPtr(int index, void* data);
    void* GetItemDataPtr(int index) const;

    // Single selection: the selected line or LB_ERR. Extended selection:
    // the caret line.
    int GetCurSel() const;
    // Single selection: selects a line (-1 clears). Extended selection:
    // LB_ERR, as with the Windows control.
    int SetCurSel(int index);

    // Extended selection.
    int GetSel(int index) const;  // > 0 when selected
    // Selects or deselects a line (index -1: every line); selecting one
    // line moves the caret to it.
    int SetSel(int index, bool select = true);
    int GetSelCount() const;
    std::vector<int> GetSelItems() const;  // ascending
    int GetCaretIndex() const { return currentRow(); }
    int SetCaretIndex(int index);

signals:
    // LBN_SELCHANGE: the user changed the selection.
    void selChange();
    // LBN_DBLCLK: a line was double-clicked.
    void dblClk();

private:
    bool m_bSorted;
    bool m_bMulti;
};
