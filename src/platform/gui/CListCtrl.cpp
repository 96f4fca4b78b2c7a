#include "platform/gui/CListCtrl.h"

#include "platform/gui/CListModel.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QListView>
#include <QMouseEvent>
#include <QStackedLayout>
#include <QTreeView>

CListCtrl::CListCtrl(QWidget* parent) : QWidget(parent), m_model(std::make_unique<CListModel>())
{
    m_listView = new QListView(this);
    m_reportView = new QTreeView(this);
    m_listView->setModel(m_model.get());
    m_reportView->setModel(m_model.get());
    m_selection = new QItemSelectionModel(m_model.get(), this);
    m_listView->setSelectionModel(m_selection);
    m_reportView->setSelectionModel(m_selection);

    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(m_listView), static_cast<QAbstractItemView*>(m_reportView)}) {
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setIconSize(QSize(16, 16));
        view->viewport()->installEventFilter(this);
    }
    // Items differ in width: uniform sizes would give every item the width
    // of the one Qt measures (the last) and cut longer names short.
    m_listView->setUniformItemSizes(false);
    m_listView->setResizeMode(QListView::Adjust);
    m_listView->setLayoutMode(QListView::Batched);
    m_listView->setBatchSize(500);
    m_reportView->setRootIsDecorated(false);
    m_reportView->setItemsExpandable(false);
    m_reportView->setUniformRowHeights(true);
    m_reportView->setAllColumnsShowFocus(true);
    m_reportView->header()->setSectionsMovable(false);
    m_reportView->header()->setStretchLastSection(false);

    m_stack = new QStackedLayout(this);
    m_stack->setContentsMargins(0, 0, 0, 0);
    m_stack->addWidget(m_listView);
    m_stack->addWidget(m_reportView);
    setFocusProxy(m_listView);

    connect(m_selection, &QItemSelectionModel::selectionChanged, this, &CListCtrl::OnSelectionChanged);
    connect(m_selection, &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                if (previous.isValid())
                    emit itemChanged(previous.row(), 0);
                if (current.isValid())
                    emit itemChanged(current.row(), 0);
            });
    ApplyView();
}

CListCtrl::~CListCtrl()
{
    // The views must let go of the model before it goes.
    m_listView->setModel(nullptr);
    m_reportView->setModel(nullptr);
}

void CListCtrl::ModifyStyle(unsigned remove, unsigned add)
{
    m_style = (m_style & ~remove) | add;
    ApplyView();
}

void CListCtrl::ApplyView()
{
    const unsigned view = m_style & LVS_TYPEMASK;
    const bool hadFocus = ActiveView() && ActiveView()->hasFocus();
    if (view == LVS_REPORT) {
        m_stack->setCurrentWidget(m_reportView);
        setFocusProxy(m_reportView);
    } else {
        m_listView->setViewMode(view == LVS_ICON ? QListView::IconMode : QListView::ListMode);
        // Small icons run in rows from the left; the list runs in columns.
        m_listView->setFlow(view == LVS_LIST ? QListView::TopToBottom : QListView::LeftToRight);
        m_listView->setWrapping(true);
        m_listView->setIconSize(view == LVS_ICON ? QSize(32, 32) : QSize(16, 16));
        m_listView->setGridSize(view == LVS_SMALLICON ? QSize(120, 20) : QSize());
        m_listView->setMovement(QListView::Static);
        m_stack->setCurrentWidget(m_listView);
        setFocusProxy(m_listView);
    }
    if (const QModelIndex current = m_selection->currentIndex(); current.isValid())
        ActiveView()->scrollTo(current);
    if (hadFocus)
        ActiveView()->setFocus();
}

QAbstractItemView* CListCtrl::ActiveView() const
{
    if (!m_stack)
        return nullptr;
    return static_cast<QAbstractItemView*>(m_stack->currentWidget());
}

void CListCtrl::SetImageList(const QList<QIcon>& images) { m_model->SetImages(images); }

int CListCtrl::InsertColumn(int index, const QString& heading, Qt::Alignment alignment, int width)
{
    const int position = m_model->InsertColumn(index, {heading, alignment, width});
    m_reportView->header()->resizeSection(position, width);
    return position;
}

bool CListCtrl::DeleteColumn(int index) { return m_model->RemoveColumn(index); }

int CListCtrl::GetColumnCount() const { return static_cast<int>(m_model->Columns().size()); }

int CListCtrl::InsertItem(int index, const QString& text, int image) { return m_model->Insert(index, text, image); }

bool CListCtrl::SetItemText(int item, int subItem, const QString& text)
{
    return m_model->SetText(item, subItem, text);
}

QString CListCtrl::GetItemText(int item, int subItem) const { return m_model->Text(item, subItem); }

int CListCtrl::GetItemImage(int item) const
{
    const CListModel::Row* row = m_model->At(item);
    return row ? row->image : -1;
}

int CListCtrl::GetItemCount() const { return m_model->rowCount(); }

bool CListCtrl::DeleteAllItems()
{
    const QSignalBlocker blocker(m_selection);
    m_model->Clear();
    return true;
}

void CListCtrl::SetItemSelected(int item, bool selected)
{
    if (!m_model->At(item))
        return;
    m_selection->select(m_model->index(item, 0), (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                                                     QItemSelectionModel::Rows);
}

bool CListCtrl::IsItemSelected(int item) const
{
    return m_model->At(item) && m_selection->isRowSelected(item, {});
}

void CListCtrl::OnSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    // One notification per item whose state changed, the items that lost
    // the selection first: after a click, the latest one is the item
    // clicked; after a click on empty space, the item it deselected.
    for (const QItemSelection* changed : {&deselected, &selected}) {
        for (const QModelIndex& index : changed->indexes()) {
            if (index.column() == 0)
                emit itemChanged(index.row(), 0);
        }
    }
}

bool CListCtrl::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick && !m_inDoubleClick && ActiveView() &&
        watched == ActiveView()->viewport()) {
        // Qt reports double-clicks on items only; the list reports them
        // anywhere, once the view has handled the click itself.
        m_inDoubleClick = true;
        QCoreApplication::sendEvent(watched, event);
        m_inDoubleClick = false;
        emit dblClk();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
