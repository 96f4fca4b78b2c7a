#pragma once
// The warnings a label reader gives about one object of a PDS4 label.

#include "product/XmlElement.h"

#include <QStringList>

namespace product {

// Collects the warnings about one object of the label, each naming its line,
// class and name.
class Pds4ObjectWarnings {
public:
    Pds4ObjectWarnings(const XmlElement& element, const QString& name, QStringList& warnings);

    // The object cannot be described: it is left out.
    void LeftOut(const QString& what);
    // Something is odd but the object is still described.
    void Note(const QString& what);

private:
    const XmlElement& m_element;
    QString m_name;
    QStringList& m_warnings;
};

}  // namespace product
