#include "platform/gui/CDataExchange.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

QWidget* DDX_ControlWidget(CDataExchange& dx, int id)
{
    QWidget* widget = dx.m_pDlgWnd->GetDlgItem(id);
    if (!widget)
        dx.m_bFailed = true;
    return widget;
}

void DDX_Text(CDataExchange& dx, int id, QString& value)
{
    if (dx.m_bSaveAndValidate)
        value = dx.m_pDlgWnd->GetDlgItemText(id);
    else
        dx.m_pDlgWnd->SetDlgItemText(id, value);
}

void DDX_Check(CDataExchange& dx, int id, int& value)
{
    auto* check = qobject_cast<QCheckBox*>(dx.m_pDlgWnd->GetDlgItem(id));
    if (!check) {
        dx.m_bFailed = true;
        return;
    }
    if (dx.m_bSaveAndValidate)
        value = check->isChecked() ? 1 : 0;
    else
        check->setChecked(value != 0);
}
