#include "options/COptions.h"

#include "res/StringTable.h"
#include "res/gui/PropertySheetTemplate.h"

COptions::COptions(QWidget* parent)
    : CPropertySheet(res::kPropertySheetTemplate, res::LoadString(res::IDS_PROPSHT_CAPTION), parent, 0)
{
    // The tab order is the order of adding, not the order of the members.
    AddPage(&m_pageGeneral);
    AddPage(&m_pageHelpers);
    AddPage(&m_pageRegistry);
    SetActivePage(1);
}

COptions::~COptions() = default;
