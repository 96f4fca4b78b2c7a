#pragma once
// The Options sheet: the General, Helpers and Registry pages, in that tab
// order, opening on Helpers. The browser window hands the pages their data
// before the run and takes the General page's settings back after OK.

#include "options/COptionsGeneral.h"
#include "options/COptionsHelpers.h"
#include "options/COptionsRegistry.h"
#include "platform/gui/CPropertySheet.h"

class COptions : public CPropertySheet {
    Q_OBJECT
public:
    explicit COptions(QWidget* parent = nullptr);
    ~COptions() override;

    COptionsHelpers m_pageHelpers;
    COptionsRegistry m_pageRegistry;
    COptionsGeneral m_pageGeneral;
};
