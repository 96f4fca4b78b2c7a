#pragma once
// A small element tree of an XML document, read with QXmlStreamReader. PDS4
// labels are kept whole in memory (they are small); the tree keeps each
// element's local name (the namespace prefix dropped, so `disp:Display_Direction`
// and `Display_Direction` are the same), its text and its lines.

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <memory>
#include <vector>

namespace product {

struct XmlElement {
    QString name;       // local name, without a namespace prefix
    QString text;       // the element's own character data, trimmed
    int firstLine = 0;  // line of the start tag, from 1
    int lastLine = 0;   // line of the end tag
    std::vector<XmlElement> children;

    // The first child with that local name, or nullptr.
    const XmlElement* Child(QStringView childName) const;
    // The trimmed text of the first child with that name; empty without one.
    QString ChildText(QStringView childName) const;
};

struct XmlDocument {
    std::unique_ptr<XmlElement> root;  // null when no element was read
    QString error;                     // the parser's complaint, empty when the whole text was read
    int errorLine = 0;
    bool depthCut = false;  // elements nested deeper than kMaxXmlDepth were skipped
};

// Elements nested deeper than this are skipped, so a hostile document cannot
// exhaust the stack of the code that walks the tree.
inline constexpr int kMaxXmlDepth = 64;

// Reads `bytes` as far as they are well-formed XML.
XmlDocument ParseXml(const QByteArray& bytes);

}  // namespace product
