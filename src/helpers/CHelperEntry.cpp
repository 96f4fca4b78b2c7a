#include "helpers/CHelperEntry.h"

#include "res/StringTable.h"

CHelperEntry::CHelperEntry(const QString& contentType, const QString& application,
                           const QString& description, const QString& extension,
                           const QString& name, const QString& message)
    : m_strContentType(contentType),
      m_strApplication(application),
      m_strDescription(description),
      m_strExtension(extension),
      m_strName(name),
      m_strMessage(message)
{
}

CHelperEntry::CHelperEntry(const CHelperEntry* source)
{
    if (!source) {
        const QString invalid = res::Text(res::TextId::InvalidHelperCall);
        m_strContentType = m_strApplication = m_strDescription = invalid;
        m_strExtension = m_strName = m_strMessage = invalid;
        return;
    }
    m_strContentType = source->m_strContentType;
    m_strApplication = source->m_strApplication;
    m_strDescription = source->m_strDescription;
    m_strExtension = source->m_strExtension;
    m_strName = source->m_strName;
    m_strMessage = source->m_strMessage;
}
