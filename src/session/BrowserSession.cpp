#include "session/BrowserSession.h"

#include "helpers/HelperSettings.h"

BrowserSession::BrowserSession() : m_strFileMask(QString::fromLatin1(helpers::kDefaultFileMask)) {}

void BrowserSession::Load(const QString& programDir)
{
    m_strProgramDir = programDir;
    LoadBrowserSettings(programDir, m_defaultHelperList, m_helperList, m_systemViewerList, m_strFileMask,
                        m_bTranslate, m_bShowFullPath);
}

void BrowserSession::Save()
{
    SaveBrowserSettings(m_strFileMask, m_bTranslate, m_bShowFullPath, m_systemViewerList, m_helperList,
                        m_defaultHelperList);
}
