#include "product/XmlElement.h"

#include <QXmlStreamReader>

#include <limits>

namespace product {

const XmlElement* XmlElement::Child(QStringView childName) const
{
    for (const XmlElement& child : children) {
        if (child.name == childName)
            return &child;
    }
    return nullptr;
}

QString XmlElement::ChildText(QStringView childName) const
{
    const XmlElement* child = Child(childName);
    return child ? child->text : QString();
}

namespace {

int LineOf(const QXmlStreamReader& reader)
{
    return static_cast<int>(qMin<qint64>(reader.lineNumber(), std::numeric_limits<int>::max()));
}

}  // namespace

XmlDocument ParseXml(const QByteArray& bytes)
{
    XmlDocument doc;
    QXmlStreamReader reader(bytes);
    // The open elements from the root down; pointers stay valid because an
    // element's children vector only grows while that child is the last one.
    std::vector<XmlElement*> open;
    int skippedDepth = 0;  // nesting below the depth limit, not kept

    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (skippedDepth > 0 || static_cast<int>(open.size()) >= kMaxXmlDepth) {
                ++skippedDepth;
                doc.depthCut = true;
                continue;
            }
            XmlElement element;
            element.name = reader.name().toString();
            element.firstLine = LineOf(reader);
            if (open.empty()) {
                if (doc.root)
                    break;  // a second root element: the parser reports it
                doc.root = std::make_unique<XmlElement>(std::move(element));
                open.push_back(doc.root.get());
            } else {
                open.back()->children.push_back(std::move(element));
                open.push_back(&open.back()->children.back());
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (skippedDepth > 0) {
                --skippedDepth;
                continue;
            }
            if (open.empty())
                continue;
            XmlElement* element = open.back();
            element->lastLine = LineOf(reader);
            element->text = element->text.trimmed();
            open.pop_back();
        } else if (token == QXmlStreamReader::Characters) {
            if (skippedDepth == 0 && !open.empty() && !reader.isWhitespace())
                open.back()->text += reader.text();
        }
    }
    if (reader.hasError()) {
        doc.error = reader.errorString();
        doc.errorLine = LineOf(reader);
        // Elements left open by a broken document end where the text stopped.
        for (XmlElement* element : open) {
            element->lastLine = doc.errorLine;
            element->text = element->text.trimmed();
        }
    }
    return doc;
}

}  // namespace product
