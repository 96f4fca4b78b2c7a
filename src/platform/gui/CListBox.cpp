#include "platform/gui/CListBox.h"

namespace {
constexpr int kDataRole = Qt::UserRole;
}

CListBox::CListBox(bool sorted, bool multiSelection, QWidget* parent)
    : QListWidget(parent), m_bSorted(sorted), m_bMulti(multiSelection)
{
    setSelectionMode(multiSelection ? QAbstractItemView::ExtendedSelection
                                    : QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemSelectionChanged, this, &CListBox::selChange);
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { emit dblClk(); });
}

int CListBox::AddString(const QString& text)
{
    int index = count();
    if (m_bSorted) {
        // After every line that sorts before or equal to the new one.
        int low = 0;
        int high = count();
        while (low < high) {
            const int mid = (low + high) / 2;
            if (QString::compare(item(mid)->text(), text, Qt::CaseInsensitive) <= 0)
                low = mid + 1;
            else
                high = mid;
        }
        index = low;
    }
    insertItem(index, text);  // its item data reads as 0
    return index;
}

int CListBox::DeleteString(int index)
{
    if (index < 0 || index >= count())
        return LB_ERR;
    delete takeItem(index);
    return count();
}

void CListBox::ResetContent() { clear(); }

QString CListBox::GetText(int index) const
{
    const QListWidgetItem* line = item(index);
    return line ? line->text() : QString();
}

int CListBox::FindStringExact(int start, const QString& text) const
{
    const int n = count();
    for (int i = 0; i < n; ++i) {
        const int index = (start + 1 + i) % n;
        if (QString::compare(item(index)->text(), text, Qt::CaseInsensitive) == 0)
            return index;
    }
    return LB_ERR;
}

int CListBox::SetItemDataPtr(int index, void* data)
{
    QListWidgetItem* line = item(index);
    if (!line)
        return LB_ERR;
    line->setData(kDataRole, QVariant::fromValue(reinterpret_cast<quintptr>(data)));
    return 0;
}

void* CListBox::GetItemDataPtr(int index) const
{
    const QListWidgetItem* line = item(index);
    return reinterpret_cast<void*>(line ? line->data(kDataRole).value<quintptr>() : static_cast<quintptr>(-1));
}

int CListBox::GetCurSel() const
{
    if (m_bMulti)
        return currentRow();
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? LB_ERR : row(selected.front());
}

int CListBox::SetCurSel(int index)
{
    if (m_bMulti)
        return LB_ERR;
    if (index < 0 || index >= count()) {
        clearSelection();
        return LB_ERR;
    }
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(index));
    return index;
}

int CListBox::GetSel(int index) const
{
    const QListWidgetItem* line = item(index);
    if (!line)
        return LB_ERR;
    return line->isSelected() ? 1 : 0;
}

int CListBox::SetSel(int index, bool select)
{
    if (!m_bMulti)
        return LB_ERR;
    if (index == -1) {
        for (int i = 0; i < count(); ++i)
            item(i)->setSelected(select);
        return 0;
    }
    QListWidgetItem* line = item(index);
    if (!line)
        return LB_ERR;
    line->setSelected(select);
    // Selecting one line also moves the caret there, as the Windows
    // control does; deselecting leaves the caret where it is.
    if (select)
        setCurrentRow(index, QItemSelectionModel::NoUpdate);
    return 0;
}

int CListBox::GetSelCount() const
{
    if (!m_bMulti)
        return LB_ERR;
    return static_cast<int>(selectedItems().size());
}

std::vector<int> CListBox::GetSelItems() const
{
    std::vector<int> rows;
    for (int i = 0; i < count(); ++i) {
        if (item(i)->isSelected())
            rows.push_back(i);
    }
    return rows;
}

int CListBox::SetCaretIndex(int index)
{
    if (index < 0 || index >= count())
        return LB_ERR;
    setCurrentRow(index, QItemSelectionModel::NoUpdate);
    return 0;
}
