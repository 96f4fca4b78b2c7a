#include "options/COptionsGeneral.h"

#include "platform/gui/CDataExchange.h"
#include "res/gui/OptionsGeneralTemplate.h"

#include <QWidget>

#include <algorithm>

COptionsGeneral::COptionsGeneral() : CPropertyPage(res::kOptionsGeneralTemplate) {}

COptionsGeneral::~COptionsGeneral() = default;

void COptionsGeneral::DoDataExchange(CDataExchange& dx)
{
    CPropertyPage::DoDataExchange(dx);
    // Any text is a mask, the empty one included.
    DDX_Text(dx, res::IDC_FILE_MASK, m_strFileMask);
    DDX_Check(dx, res::IDC_TRANSLATE, m_bTranslate);
    DDX_Check(dx, res::IDC_SHOW_FULL_PATH, m_bShowFullPath);
}

bool COptionsGeneral::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    // The two check boxes carry their box on the right. A text that needed
    // more room than the template gave it widened its box to the right;
    // the other one follows so that the boxes stay one above the other.
    QWidget* translate = GetDlgItem(res::IDC_TRANSLATE);
    QWidget* fullPath = GetDlgItem(res::IDC_SHOW_FULL_PATH);
    if (translate && fullPath) {
        const int right = std::max(translate->geometry().right(), fullPath->geometry().right());
        for (QWidget* box : {translate, fullPath}) {
            QRect r = box->geometry();
            r.setRight(right);
            box->setGeometry(r);
        }
    }
    return true;
}
