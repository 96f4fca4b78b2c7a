#include "product/Pds4Product.h"

#include "product/Pds4Array.h"
#include "product/Pds4Messages.h"
#include "product/Pds4Support.h"
#include "product/Pds4Table.h"
#include "product/XmlElement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <map>

namespace product {

namespace {

// PDS4 labels are a few kilobytes to a few megabytes; anything far larger is
// not one and is not read into memory.
constexpr qint64 kMaxLabelBytes = 64 * 1024 * 1024;

bool IsFileArea(const QString& name)
{
    return name == QLatin1String("File_Area_Observational") ||
           name == QLatin1String("File_Area_Observational_Supplemental") ||
           name == QLatin1String("File_Area_Ancillary") || name == QLatin1String("File_Area_Browse") ||
           name == QLatin1String("File_Area_Inventory");
}

// The data file a file area names, beside the label; when no file has
// exactly that name, one whose name differs only in case. The folder is
// listed once, when a name is first not found.
class DataFileFinder {
public:
    explicit DataFileFinder(const QString& labelDir) : m_dir(labelDir) {}

    QString PathOf(const QString& fileName)
    {
        const QString exact = m_dir.absoluteFilePath(fileName);
        if (QFileInfo::exists(exact) || fileName.contains(QLatin1Char('/')))
            return exact;
        if (!m_listed) {
            m_entries = m_dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
            m_listed = true;
        }
        for (const QString& entry : m_entries) {
            if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
                return m_dir.absoluteFilePath(entry);
        }
        return exact;
    }

private:
    QDir m_dir;
    QStringList m_entries;
    bool m_listed = false;
};

std::optional<bool> DirectionIs(const QString& value, const char* usual, const char* reversed, QStringList& warnings)
{
    if (value.isEmpty())
        return std::nullopt;
    // "Top to Bottom", "Top_to_Bottom", "top to bottom": one meaning.
    QString words = value;
    words.replace(QLatin1Char('_'), QLatin1Char(' '));
    words = words.simplified();
    if (words.compare(QLatin1String(usual), Qt::CaseInsensitive) == 0)
        return true;
    if (words.compare(QLatin1String(reversed), Qt::CaseInsensitive) == 0)
        return false;
    warnings.append(pds4text::UnknownDisplayDirection().arg(value));
    return std::nullopt;
}

void CollectDisplaySettings(const XmlElement& element, std::vector<Pds4DisplayDirection>& found, QStringList& warnings)
{
    if (element.name == u"Display_Settings") {
        const XmlElement* direction = element.Child(u"Display_Direction");
        if (!direction)
            return;
        Pds4DisplayDirection display;
        if (const XmlElement* reference = element.Child(u"Local_Internal_Reference"))
            display.reference = reference->ChildText(u"local_identifier_reference");
        display.horizontalAxis = direction->ChildText(u"horizontal_display_axis");
        display.verticalAxis = direction->ChildText(u"vertical_display_axis");
        display.leftToRight = DirectionIs(direction->ChildText(u"horizontal_display_direction"), "Left to Right",
                                          "Right to Left", warnings)
                                  .value_or(true);
        display.topToBottom = DirectionIs(direction->ChildText(u"vertical_display_direction"), "Top to Bottom",
                                          "Bottom to Top", warnings)
                                  .value_or(true);
        found.push_back(display);
        return;
    }
    for (const XmlElement& child : element.children)
        CollectDisplaySettings(child, found, warnings);
}

// Reads the data objects of the file areas; `objectOf` maps each described
// label element to its index in the product's objects.
class FileAreaReader {
public:
    FileAreaReader(Product& product, const QString& labelDir) : m_product(product), m_files(labelDir) {}

    void Walk(const XmlElement& element)
    {
        if (IsFileArea(element.name)) {
            ReadFileArea(element);
            return;
        }
        for (const XmlElement& child : element.children)
            Walk(child);
    }

    const std::map<const XmlElement*, int>& ObjectOf() const { return m_objectOf; }
    const std::map<int, const XmlElement*>& ElementOf() const { return m_elementOf; }

private:
    void ReadFileArea(const XmlElement& area)
    {
        const XmlElement* file = area.Child(u"File");
        const QString fileName = file ? file->ChildText(u"file_name") : QString();
        bool hasObjects = false;
        for (const XmlElement& child : area.children)
            hasObjects = hasObjects || IsPds4ArrayClass(child.name) || IsPds4TableClass(child.name);
        if (fileName.isEmpty()) {
            if (hasObjects)
                m_product.warnings.append(pds4text::NoFileName().arg(QString::number(area.firstLine), area.name));
            return;
        }
        const QString dataFile = m_files.PathOf(fileName);
        for (const XmlElement& child : area.children) {
            std::optional<DataObject> object;
            if (IsPds4ArrayClass(child.name)) {
                if (std::optional<ArrayObject> array = ReadPds4Array(child, dataFile, m_product.warnings))
                    object = std::move(*array);
            } else if (IsPds4TableClass(child.name)) {
                if (std::optional<TableObject> table = ReadPds4Table(child, dataFile, m_product.warnings))
                    object = std::move(*table);
            }
            if (!object)
                continue;
            const int index = static_cast<int>(m_product.objects.size());
            m_objectOf[&child] = index;
            m_elementOf[index] = &child;
            m_product.objects.push_back(std::move(*object));
        }
    }

    Product& m_product;
    DataFileFinder m_files;
    std::map<const XmlElement*, int> m_objectOf;
    std::map<int, const XmlElement*> m_elementOf;
};

void ApplyDisplaySettings(Product& product, const std::map<int, const XmlElement*>& elementOf,
                          const std::vector<Pds4DisplayDirection>& displays)
{
    for (const Pds4DisplayDirection& display : displays) {
        for (auto& [index, element] : elementOf) {
            auto* array = std::get_if<ArrayObject>(&product.objects[index]);
            if (!array)
                continue;
            const bool named = display.reference.isEmpty() ||
                               element->ChildText(u"local_identifier") == display.reference ||
                               element->ChildText(u"name") == display.reference;
            if (named)
                ApplyDisplayDirection(*array, display);
        }
    }
}

LabelNode StructureOf(const XmlElement& element, const std::map<const XmlElement*, int>& objectOf)
{
    LabelNode node;
    node.name = element.name;
    node.title = Pds4Title(element);
    node.firstLine = element.firstLine;
    node.lastLine = element.lastLine;
    const auto object = objectOf.find(&element);
    node.dataObject = object == objectOf.end() ? -1 : object->second;
    for (const XmlElement& child : element.children) {
        if (!child.children.empty())
            node.children.push_back(StructureOf(child, objectOf));
    }
    return node;
}

}  // namespace

Product ReadPds4Product(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error{pds4text::CannotOpen().arg(path, file.errorString())};
    if (file.size() > kMaxLabelBytes) {
        throw Error{pds4text::TooLarge().arg(path, QString::number(file.size()), QString::number(kMaxLabelBytes))};
    }
    return ReadPds4Product(path, file.read(kMaxLabelBytes + 1));
}

Product ReadPds4Product(const QString& path, const QByteArray& bytes)
{
    if (bytes.size() > kMaxLabelBytes)
        throw Error{pds4text::TooLarge().arg(path, QString::number(bytes.size()), QString::number(kMaxLabelBytes))};
    const XmlDocument doc = ParseXml(bytes);
    if (!doc.root)
        throw Error{pds4text::NotXml().arg(path, doc.error, QString::number(doc.errorLine))};
    if (!doc.root->name.startsWith(QLatin1String("Product_")))
        throw Error{pds4text::NotProduct().arg(path, doc.root->name)};

    Product product;
    product.labelFile = QFileInfo(path).absoluteFilePath();
    product.flavour = LabelFlavour::Pds4;
    product.labelText = QString::fromUtf8(bytes);
    if (!doc.error.isEmpty())
        product.warnings.append(pds4text::XmlBroken().arg(QString::number(doc.errorLine), doc.error));
    if (doc.depthCut)
        product.warnings.append(pds4text::TooDeep().arg(kMaxXmlDepth));

    FileAreaReader reader(product, QFileInfo(path).absolutePath());
    reader.Walk(*doc.root);

    std::vector<Pds4DisplayDirection> displays;
    CollectDisplaySettings(*doc.root, displays, product.warnings);
    ApplyDisplaySettings(product, reader.ElementOf(), displays);

    product.structure = StructureOf(*doc.root, reader.ObjectOf());
    product.structure.firstLine = 1;
    product.structure.lastLine = static_cast<int>(bytes.count('\n')) + (bytes.endsWith('\n') ? 0 : 1);
    return product;
}

}  // namespace product
