#pragma once
// The General page of the Options sheet: the file mask, the "Translate"
// setting (shown, not changeable) and the "Show Full Path" setting. The
// browser window sets and reads the three members; the page's only work is
// its data exchange.

#include "platform/gui/CPropertyPage.h"

#include <QString>

class COptionsGeneral : public CPropertyPage {
    Q_OBJECT
public:
    Q_INVOKABLE COptionsGeneral();
    ~COptionsGeneral() override;

    QString m_strFileMask;
    int m_bTranslate = 0;
    int m_bShowFullPath = 0;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
};
