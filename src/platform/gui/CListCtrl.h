#pragma once
// A list view in the manner of the Windows list control: one set of items
// with subitem texts and an image index, shown in one of four view styles
// (icon, report, small icon, list) that all share the same model and
// selection, so switching views keeps items, order and selection. The items
// stand in the order the owner inserts them; what an item stands for is
// the owner's, kept by its index.

#include <QIcon>
#include <QWidget>

#include <memory>

class QAbstractItemView;
class QListView;
class QTreeView;
class QStackedLayout;
class QItemSelectionModel;
class CListModel;

class CListCtrl : public QWidget {
    Q_OBJECT
public:
    // The two lowest bits of the window style: the view.
    static constexpr unsigned LVS_ICON = 0;
    static constexpr unsigned LVS_REPORT = 1;
    static constexpr unsigned LVS_SMALLICON = 2;
    static constexpr unsigned LVS_LIST = 3;
    static constexpr unsigned LVS_TYPEMASK = 3;

    explicit CListCtrl(QWidget* parent = nullptr);
    ~CListCtrl() override;

    unsigned GetStyle() const { return m_style; }
    // Replaces the view bits of the style (the rest of the word is kept).
    void ModifyStyle(unsigned remove, unsigned add);

    void SetImageList(const QList<QIcon>& images);

    int InsertColumn(int index, const QString& heading, Qt::Alignment alignment, int width);
    bool DeleteColumn(int index);
    int GetColumnCount() const;

    // Inserts an item at index (past the last: at the end); returns its
    // index.
    int InsertItem(int index, const QString& text, int image);
    bool SetItemText(int item, int subItem, const QString& text);
    QString GetItemText(int item, int subItem) const;
    int GetItemImage(int item) const;
    int GetItemCount() const;
    bool DeleteAllItems();

    // Selection, shared by all views.
    void SetItemSelected(int item, bool selected);
    bool IsItemSelected(int item) const;

    // The view currently shown (for tests that click in it).
    QAbstractItemView* ActiveView() const;

signals:
    // LVN_ITEMCHANGED: the selection or focus state of an item changed.
    void itemChanged(int item, int subItem);
    // NM_DBLCLK: a double-click anywhere in the list, on an item or not.
    void dblClk();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyView();
    void OnSelectionChanged(const class QItemSelection& selected, const class QItemSelection& deselected);

    std::unique_ptr<CListModel> m_model;
    QItemSelectionModel* m_selection = nullptr;
    QListView* m_listView = nullptr;
    QTreeView* m_reportView = nullptr;
    QStackedLayout* m_stack = nullptr;
    unsigned m_style = LVS_SMALLICON;
    bool m_inDoubleClick = false;
};
