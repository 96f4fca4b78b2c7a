#include "platform/gui/CDialog.h"

#include "platform/ModalRunner.h"
#include "platform/WinTypes.h"
#include "platform/gui/CDataExchange.h"
#include "platform/gui/CListBox.h"
#include "platform/gui/CListCtrl.h"
#include "platform/gui/CProgressCtrl.h"
#include "platform/gui/CTreeCtrl.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QWindow>

#include <cstdlib>

namespace {

// MulDiv as the dialog manager rounds it.
int Scale(int value, int base, int divisor)
{
    const long long product = static_cast<long long>(value) * base;
    return static_cast<int>(product >= 0 ? (product + divisor / 2) / divisor
                                         : -((-product + divisor / 2) / divisor));
}

bool IsLabel(const dlg::Control& c)
{
    return c.kind == dlg::Kind::Static && c.text && *c.text;
}

bool WantsLabelName(dlg::Kind kind)
{
    return kind == dlg::Kind::TreeView || kind == dlg::Kind::ListView || kind == dlg::Kind::ListBox ||
           kind == dlg::Kind::Edit;
}

// The label that names a control: the closest static text just above it
// (left edges close together) or just left of it on the same row.
const dlg::Control* NearbyLabel(const dlg::Template& t, const dlg::Control& control)
{
    const dlg::Control* best = nullptr;
    int bestDistance = 0;
    for (const dlg::Control& label : t.controls) {
        if (!IsLabel(label))
            continue;
        bool near = false;
        int distance = 0;
        const int gapAbove = control.y - (label.y + label.cy);
        const int gapLeft = control.x - (label.x + label.cx);
        const bool overlapsRow = label.y < control.y + control.cy && control.y < label.y + label.cy;
        if (gapAbove >= -3 && gapAbove <= 12 && std::abs(label.x - control.x) <= 8) {
            near = true;
            distance = gapAbove + std::abs(label.x - control.x);
        } else if (overlapsRow && gapLeft >= -3 && gapLeft <= 20) {
            near = true;
            distance = gapLeft;
        }
        if (near && (!best || distance < bestDistance)) {
            best = &label;
            bestDistance = distance;
        }
    }
    return best;
}

// Texts are measured in the dialog's font, whose letters may be wider than
// those the template was laid out for: a label or check box whose text
// would be cut off grows to fit it (to the right, or downwards when it
// wraps). Controls are never made smaller.
QRect FitText(const dlg::Control& c, QWidget* widget, QRect rect)
{
    if (c.kind == dlg::Kind::CheckBox || (c.kind == dlg::Kind::Static && (c.style & dlg::NoWrap))) {
        rect.setWidth(std::max(rect.width(), widget->sizeHint().width()));
    } else if (c.kind == dlg::Kind::Static) {
        if (widget->hasHeightForWidth())
            rect.setHeight(std::max(rect.height(), widget->heightForWidth(rect.width())));
    }
    return rect;
}

}  // namespace

CDialog::CDialog(const dlg::Template& dialogTemplate, QWidget* parent)
    : QDialog(parent), m_template(dialogTemplate)
{
    setWindowTitle(QString::fromUtf8(m_template.caption));
}

CDialog::~CDialog() = default;

QSize CDialog::BaseUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return QSize((letters / 26 + 1) / 2, metrics.height());
}

QRect CDialog::MapDialogRect(int x, int y, int cx, int cy) const
{
    if (m_baseUnits.isEmpty() || m_baseFont != font()) {
        m_baseFont = font();
        m_baseUnits = BaseUnits(m_baseFont);
    }
    const QSize base = m_baseUnits;
    return QRect(Scale(x, base.width(), 4), Scale(y, base.height(), 8), Scale(cx, base.width(), 4),
                 Scale(cy, base.height(), 8));
}

QPixmap CDialog::Picture(unsigned id, QSize size) const
{
    return m_template.pictures ? m_template.pictures(id, size, devicePixelRatioF()) : QPixmap();
}

QWidget* CDialog::CreateControl(const dlg::Control& c)
{
    using dlg::Kind;
    const QString text = QString::fromUtf8(c.text);
    const QRect rect = MapDialogRect(c.x, c.y, c.cx, c.cy);
    switch (c.kind) {
    case Kind::PushButton:
    case Kind::DefPushButton: {
        auto* button = new QPushButton(this);
        if (c.style & dlg::BitmapButton) {
            const int side = std::max(8, std::min(rect.width() - 6, rect.height() - 4));
            const QSize iconSize(side, side);
            button->setIcon(QIcon(Picture(c.image, iconSize)));
            button->setIconSize(iconSize);
            button->setAccessibleName(text);
        } else {
            button->setText(text);
        }
        if (c.kind == Kind::DefPushButton) {
            button->setDefault(true);
            m_pDefaultButton = button;
        }
        const int id = c.id;
        connect(button, &QPushButton::clicked, this, [this, id] { OnCommand(id); });
        return button;
    }
    case Kind::Static: {
        auto* label = new QLabel(text, this);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(!(c.style & dlg::NoWrap));
        label->setAlignment(((c.style & dlg::Center) ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        if (c.style & dlg::Sunken)
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return label;
    }
    case Kind::Picture: {
        auto* picture = new QLabel(this);
        picture->setAlignment(Qt::AlignCenter);
        if (c.style & dlg::Sunken)
            picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        const int frame = picture->frameWidth() * 2;
        picture->setPixmap(Picture(c.image, rect.size() - QSize(frame, frame)));
        return picture;
    }
    case Kind::Edit: {
        auto* edit = new QLineEdit(text, this);
        edit->setReadOnly(c.style & dlg::ReadOnly);
        return edit;
    }
    case Kind::CheckBox: {
        auto* check = new QCheckBox(text, this);
        if (c.style & dlg::LeftText)
            check->setLayoutDirection(Qt::RightToLeft);
        return check;
    }
    case Kind::ListBox: {
        auto* list = new CListBox(c.style & dlg::Sorted, c.style & dlg::MultiSel, this);
        list->setHorizontalScrollBarPolicy((c.style & dlg::HScroll) ? Qt::ScrollBarAsNeeded
                                                                     : Qt::ScrollBarAlwaysOff);
        return list;
    }
    case Kind::ProgressBar:
        return new CProgressCtrl(this);
    case Kind::TreeView:
        return new CTreeCtrl(this);
    case Kind::ListView:
        return new CListCtrl(this);
    }
    return nullptr;
}

void CDialog::ApplyWindowStyle()
{
    const unsigned style = m_template.style;
    if (style & dlg::Child) {
        setWindowFlags(Qt::Widget);
        return;
    }
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (style & dlg::SystemMenu)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (style & dlg::MinMaxBox)
        flags |= Qt::WindowMinMaxButtonsHint;
    setWindowFlags(flags);
}

bool CDialog::BuildDialog()
{
    if (m_bCreated)
        return false;
    m_nModalResult = -1;
    m_pDefaultButton = nullptr;
    ApplyWindowStyle();
    setWindowTitle(QString::fromUtf8(m_template.caption));
    for (const dlg::Control& c : m_template.controls) {
        QWidget* widget = CreateControl(c);
        if (!widget)
            continue;
        widget->setGeometry(FitText(c, widget, MapDialogRect(c.x, c.y, c.cx, c.cy)));
        widget->setEnabled(!(c.style & dlg::Disabled));
        widget->setVisible(!(c.style & dlg::Hidden));
        // Earlier controls of a template lie above later ones where they
        // overlap, as in a Windows dialog.
        widget->lower();
        if (c.id != dlg::IDC_STATIC)
            m_items.insert(c.id, widget);
        m_controls.emplace_back(widget);
    }
    NameViewsFromLabels();

    const QSize size = MapDialogRect(0, 0, m_template.cx, m_template.cy).size();
    if (m_template.style & (dlg::Resizable | dlg::Child)) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(size);
    } else {
        setFixedSize(size);
    }
    // The window gets its first size before it is initialised, as a
    // Windows dialog does; size handlers see it while not yet ready.
    QResizeEvent sized(size, QSize());
    QCoreApplication::sendEvent(this, &sized);
    setAttribute(Qt::WA_PendingResizeEvent, false);

    m_bCreated = true;
    OnInitDialog();
    return true;
}

void CDialog::NameViewsFromLabels()
{
    for (std::size_t i = 0; i < m_template.controls.size() && i < m_controls.size(); ++i) {
        const dlg::Control& c = m_template.controls[i];
        QWidget* widget = m_controls[i];
        if (!widget || !WantsLabelName(c.kind) || !widget->accessibleName().isEmpty())
            continue;
        if (const dlg::Control* label = NearbyLabel(m_template, c))
            widget->setAccessibleName(QString::fromUtf8(label->text).remove(u'&'));
    }
}

void CDialog::Teardown()
{
    OnDestroy();
    hide();
    m_items.clear();
    m_pDefaultButton = nullptr;
    for (QPointer<QWidget>& control : m_controls)
        delete control.data();
    m_controls.clear();
    m_bCreated = false;
}

int CDialog::DoModal()
{
    if (!BuildDialog())
        return -1;
    CModalRunner* runner = CModalRunner::Current();
    const int result = runner ? runner->RunDialog(*this) : IDCANCEL;
    Teardown();
    return result;
}

bool CDialog::Create(QWidget* parent)
{
    // Not a child of the parent's widget tree: disabling the parent (the
    // progress dialog does) must not disable this window too.
    QWidget* owner = parent ? parent->window() : nullptr;
    if (!BuildDialog())
        return false;
    if (owner) {
        if (!windowHandle())
            create();
        if (windowHandle() && owner->windowHandle())
            windowHandle()->setTransientParent(owner->windowHandle());
        move(owner->geometry().center() - rect().center());
    }
    if (m_template.style & dlg::Visible)
        show();
    return true;
}

bool CDialog::DestroyWindow()
{
    if (!m_bCreated)
        return false;
    Teardown();
    return true;
}

void CDialog::EndDialog(int result)
{
    m_nModalResult = result;
    QDialog::done(result);
}

QWidget* CDialog::GetDlgItem(int id) const { return m_items.value(id, nullptr); }

void CDialog::SetDlgItemText(int id, const QString& text)
{
    QWidget* item = GetDlgItem(id);
    if (auto* label = qobject_cast<QLabel*>(item))
        label->setText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(item)) {
        edit->setText(text);
        edit->setCursorPosition(0);  // a long text shows from its beginning
    } else if (auto* button = qobject_cast<QAbstractButton*>(item))
        button->setText(text);
}

QString CDialog::GetDlgItemText(int id) const
{
    QWidget* item = GetDlgItem(id);
    if (auto* label = qobject_cast<QLabel*>(item))
        return label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(item))
        return edit->text();
    if (auto* button = qobject_cast<QAbstractButton*>(item))
        return button->text();
    return {};
}

bool CDialog::UpdateData(bool bSaveAndValidate)
{
    CDataExchange dx(*this, bSaveAndValidate);
    DoDataExchange(dx);
    return !dx.m_bFailed;
}

void CDialog::DoDataExchange(CDataExchange&) {}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::OnOK()
{
    if (!UpdateData(true))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CDialog::OnCommand(int id)
{
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

void CDialog::accept() { OnOK(); }

void CDialog::reject() { OnCancel(); }

void CDialog::ClickButton(QAbstractButton* button)
{
    if (button->isEnabled())
        button->click();
}

void CDialog::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            // A focused push button is the default for the moment; else the
            // dialog's default button, else IDOK.
            auto* focused = qobject_cast<QPushButton*>(focusWidget());
            if (focused && focused->window() == this && focused->isVisible())
                ClickButton(focused);
            else if (m_pDefaultButton)
                ClickButton(m_pDefaultButton);
            else
                OnCommand(IDOK);
            event->accept();
            return;
        }
        case Qt::Key_Escape:
            OnCommand(IDCANCEL);
            event->accept();
            return;
        default:
            break;
        }
    }
    QDialog::keyPressEvent(event);
}
