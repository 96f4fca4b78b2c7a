#include "product/Pds4ObjectWarnings.h"

#include "product/Pds4Messages.h"

namespace product {

Pds4ObjectWarnings::Pds4ObjectWarnings(const XmlElement& element, const QString& name, QStringList& warnings)
    : m_element(element), m_name(name), m_warnings(warnings)
{
}

void Pds4ObjectWarnings::LeftOut(const QString& what)
{
    m_warnings.append(
        pds4text::ObjectLeftOut().arg(QString::number(m_element.firstLine), m_element.name, m_name, what));
}

void Pds4ObjectWarnings::Note(const QString& what)
{
    m_warnings.append(pds4text::ObjectNote().arg(QString::number(m_element.firstLine), m_element.name, m_name, what));
}

}  // namespace product
