#include "options/COptionsGeneral.h"

#include "platform/gui/CDataExchange.h"
#include "res/gui/OptionsGeneralTemplate.h"

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
