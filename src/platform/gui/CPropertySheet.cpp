#include "platform/gui/CPropertySheet.h"

#include "platform/WinTypes.h"
#include "platform/gui/CPropertyPage.h"

#include <QPushButton>
#include <QTabWidget>

#include <algorithm>

namespace {

// The controls of a page that Tab stops at, in the template's order.
std::vector<QWidget*> TabStops(const CDialog& page)
{
    std::vector<QWidget*> stops;
    for (const dlg::Control& c : page.Template().controls) {
        if (c.id == dlg::IDC_STATIC)
            continue;
        QWidget* control = page.GetDlgItem(c.id);
        if (control && (control->focusPolicy() & Qt::TabFocus))
            stops.push_back(control);
    }
    return stops;
}

}  // namespace

CPropertySheet::CPropertySheet(const dlg::Template& frame, const QString& caption, QWidget* parent, int iSelectPage)
    : CDialog(frame, parent), m_strCaption(caption), m_nStartPage(iSelectPage)
{
    setWindowTitle(m_strCaption);
}

// The pages usually are members of the derived sheet and are gone by now;
// they left the sheet's widgets when its last run ended.
CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::AddPage(CPropertyPage* page)
{
    if (!page || GetPageIndex(page) >= 0)
        return;
    page->SetHost(this);
    m_pages.push_back(page);
}

CPropertyPage* CPropertySheet::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<std::size_t>(index)] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const
{
    const auto it = std::find(m_pages.begin(), m_pages.end(), page);
    return it == m_pages.end() ? -1 : static_cast<int>(it - m_pages.begin());
}

bool CPropertySheet::SetActivePage(int index)
{
    if (index < 0 || index >= GetPageCount())
        return false;
    if (!m_pTabs) {
        m_nStartPage = index;
        return true;
    }
    m_pTabs->setCurrentIndex(index);
    return m_nActive == index;
}

int CPropertySheet::GetActiveIndex() const { return m_pTabs ? m_nActive : m_nStartPage; }

void CPropertySheet::SetTitle(const QString& caption)
{
    m_strCaption = caption;
    setWindowTitle(caption);
}

void CPropertySheet::PageChanged()
{
    const bool modified =
        std::any_of(m_pages.begin(), m_pages.end(), [](const CPropertyPage* page) { return page->IsModified(); });
    if (QWidget* apply = GetDlgItem(dlg::ID_APPLY_NOW))
        apply->setEnabled(modified);
}

bool CPropertySheet::OnInitDialog()
{
    CDialog::OnInitDialog();
    setWindowTitle(m_strCaption);

    QSize pageSize(0, 0);
    for (const CPropertyPage* page : m_pages) {
        const dlg::Template& t = page->Template();
        pageSize = pageSize.expandedTo(MapDialogRect(0, 0, t.cx, t.cy).size());
    }

    m_pTabs = new QTabWidget(this);
    for (CPropertyPage* page : m_pages) {
        page->BeginSheetRun();
        auto* pane = new QWidget;
        pane->setMinimumSize(pageSize);
        m_pTabs->addTab(pane, page->GetCaption());
        m_panes.push_back(pane);
    }
    LayoutSheet(pageSize);
    m_pTabs->show();
    PageChanged();

    m_nActive = -1;
    if (!m_pages.empty()) {
        const int start = std::clamp(m_nStartPage, 0, GetPageCount() - 1);
        m_pTabs->setCurrentIndex(start);
        ActivatePage(start);
    }
    connect(m_pTabs, &QTabWidget::currentChanged, this, &CPropertySheet::OnTabChanged);
    return true;
}

void CPropertySheet::LayoutSheet(const QSize& pageSize)
{
    const QRect margin = MapDialogRect(7, 7, 4, 7);  // outer margin, button gap, gap above the buttons
    const QSize tabsSize = m_pTabs->sizeHint().expandedTo(m_pTabs->minimumSizeHint()).expandedTo(pageSize);
    m_pTabs->setGeometry(margin.x(), margin.y(), tabsSize.width(), tabsSize.height());

    const QSize button = MapDialogRect(0, 0, 50, 14).size();
    const int buttonsY = m_pTabs->geometry().bottom() + 1 + margin.height();
    const int ids[] = {IDOK, IDCANCEL, dlg::ID_APPLY_NOW};
    const int count = static_cast<int>(std::size(ids));
    const int rowWidth = count * button.width() + (count - 1) * margin.width();
    int x = m_pTabs->geometry().right() + 1 - rowWidth;
    for (int id : ids) {
        if (QWidget* control = GetDlgItem(id))
            control->setGeometry(x, buttonsY, button.width(), button.height());
        x += button.width() + margin.width();
    }
    setFixedSize(m_pTabs->geometry().right() + 1 + margin.x(), buttonsY + button.height() + margin.y());
}

void CPropertySheet::ActivatePage(int index)
{
    CPropertyPage* page = GetPage(index);
    if (!page)
        return;
    if (!page->IsWindowCreated()) {
        QWidget* pane = m_panes[static_cast<std::size_t>(index)];
        page->setParent(pane, Qt::Widget);
        // An explicit position keeps the dialog from centring itself when
        // it is shown.
        page->move(0, 0);
        page->BuildDialog();
        page->show();
        OrderFocus(page);
    }
    m_nActive = index;
    page->OnSetActive();
    // The page's first control that takes the focus gets it, as in a
    // Windows sheet.
    for (QWidget* control : TabStops(*page)) {
        if (control->isEnabled() && !control->isHidden()) {
            control->setFocus(Qt::TabFocusReason);
            break;
        }
    }
}

void CPropertySheet::OrderFocus(CPropertyPage* page)
{
    // Tab moves from the tabs through the page's controls to the buttons.
    QWidget* previous = m_pTabs;
    for (QWidget* control : TabStops(*page)) {
        QWidget::setTabOrder(previous, control);
        previous = control;
    }
    for (int id : {IDOK, IDCANCEL, dlg::ID_APPLY_NOW}) {
        if (QWidget* button = GetDlgItem(id)) {
            QWidget::setTabOrder(previous, button);
            previous = button;
        }
    }
}

void CPropertySheet::OnTabChanged(int index)
{
    if (index == m_nActive)
        return;
    CPropertyPage* leaving = GetPage(m_nActive);
    if (leaving && leaving->IsWindowCreated() && !leaving->OnKillActive()) {
        // Back to the page that refused; the tab change this signals is to
        // the active page, which the check above ignores.
        m_pTabs->setCurrentIndex(m_nActive);
        return;
    }
    ActivatePage(index);
}

bool CPropertySheet::ApplyPages(bool bClosing)
{
    CPropertyPage* active = GetActivePage();
    if (active && active->IsWindowCreated() && !active->OnKillActive())
        return false;
    for (int i = 0; i < GetPageCount(); ++i) {
        if (GetPage(i)->IsWindowCreated())
            GetPage(i)->OnOK();
    }
    for (CPropertyPage* page : m_pages)
        page->ClearModified();
    PageChanged();
    // A sheet that stays open shows the active page's members again.
    if (!bClosing && active && active->IsWindowCreated())
        active->OnSetActive();
    return true;
}

void CPropertySheet::OnOK()
{
    if (!m_pTabs || ApplyPages(true))
        EndDialog(IDOK);
}

void CPropertySheet::OnCancel()
{
    for (CPropertyPage* page : m_pages) {
        if (page->IsWindowCreated())
            page->OnCancel();
    }
    EndDialog(IDCANCEL);
}

bool CPropertySheet::OnCommand(int id)
{
    if (id == dlg::ID_APPLY_NOW) {
        if (m_pTabs)
            ApplyPages(false);
        return true;
    }
    return CDialog::OnCommand(id);
}

void CPropertySheet::OnDestroy()
{
    if (m_pTabs)
        disconnect(m_pTabs, nullptr, this, nullptr);
    // The pages' controls go, and the pages leave the sheet's widgets: they
    // belong to whoever added them, not to the tab control.
    for (CPropertyPage* page : m_pages) {
        if (page->IsWindowCreated())
            page->DestroyWindow();
        if (page->parentWidget()) {
            page->hide();
            page->setParent(nullptr);
        }
    }
    delete m_pTabs;
    m_pTabs = nullptr;
    m_panes.clear();
    m_nActive = -1;
    CDialog::OnDestroy();
}
