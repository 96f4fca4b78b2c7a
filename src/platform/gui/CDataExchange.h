#pragma once
// Data exchange between a dialog's members and its controls.

#include "platform/gui/DialogItems.h"

#include <QString>

class QWidget;

class CDataExchange {
public:
    CDataExchange(DialogItems& dialog, bool bSaveAndValidate)
        : m_pDlgWnd(&dialog), m_bSaveAndValidate(bSaveAndValidate) {}
    DialogItems* m_pDlgWnd;
    bool m_bSaveAndValidate;  // true: controls -> members
    bool m_bFailed = false;
};

QWidget* DDX_ControlWidget(CDataExchange& dx, int id);

// Binds a control member to the control with this id.
template <class T>
void DDX_Control(CDataExchange& dx, int id, T*& control)
{
    control = qobject_cast<T*>(DDX_ControlWidget(dx, id));
}

// The text of an edit or static control.
void DDX_Text(CDataExchange& dx, int id, QString& value);
// The state of a check box (0 or 1).
void DDX_Check(CDataExchange& dx, int id, int& value);
