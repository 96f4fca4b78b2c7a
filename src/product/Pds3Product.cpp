#include "product/Pds3Product.h"

#include "product/OdlParser.h"
#include "product/Pds3Messages.h"
#include "product/Pds3Support.h"
#include "product/Pds3Table.h"
#include "product/Pds3Types.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace product {

namespace {

// The label is read in pieces: most labels fit the first one; an attached
// label's data after END is never read. Past the last size a label without
// END is taken as it is.
constexpr qint64 kFirstRead = 256 * 1024;
constexpr qint64 kMaxLabelBytes = 32 * 1024 * 1024;

struct Context {
    QString labelFile;
    QString folder;
    std::int64_t recordBytes = 0;
    QStringList& warnings;
};

struct Place {
    QString file;
    std::int64_t offset = 0;
};

bool IsImageSpecial(const QString& name)
{
    return name == QLatin1String("MISSING_CONSTANT") || name == QLatin1String("INVALID_CONSTANT") ||
           name == QLatin1String("NULL") || name == QLatin1String("CORE_NULL") ||
           name.startsWith(QLatin1String("CORE_LOW_")) || name.startsWith(QLatin1String("CORE_HIGH_"));
}

QString Upper(const QString& text) { return Pds3TypeKey(text); }

bool IsImage(const QString& upperName)
{
    return upperName == QLatin1String("IMAGE") || upperName.endsWith(QLatin1String("_IMAGE"));
}

bool IsQube(const QString& upperName)
{
    return upperName == QLatin1String("QUBE") || upperName.endsWith(QLatin1String("_QUBE"));
}

std::optional<Place> Resolve(const OdlStatement& pointer, const Context& context)
{
    const OdlValue& value = pointer.value;
    QString fileName;
    const OdlValue* position = nullptr;
    if (value.IsNumber()) {
        position = &value;
    } else if (value.kind == OdlValue::Kind::Sequence && !value.items.empty() && !value.items[0].IsList()) {
        fileName = value.items[0].text;
        if (value.items.size() > 1) {
            position = &value.items[1];
        }
    } else if (!value.IsList()) {
        fileName = value.text;
    } else {
        context.warnings << pds3text::UnknownPointer().arg(pointer.line).arg(pointer.keyword, value.ToString());
        return std::nullopt;
    }
    Place place;
    place.file = context.labelFile;
    if (!fileName.isEmpty()) {
        place.file = FindWithoutCase(context.folder, fileName);
        if (place.file.isEmpty()) {
            place.file = QFileInfo(context.folder + QLatin1Char('/') + fileName).absoluteFilePath();
            context.warnings << pds3text::DataFileMissing().arg(pointer.line).arg(fileName, pointer.keyword);
        }
    }
    if (!position) {
        return place;
    }
    const std::optional<std::int64_t> start = position->ToInteger();
    if (!start || *start < 1) {
        context.warnings << pds3text::BadPointerStart().arg(pointer.line).arg(pointer.keyword, position->ToString());
        return std::nullopt;
    }
    if (position->unit.compare(QLatin1String("BYTES"), Qt::CaseInsensitive) == 0) {
        place.offset = *start - 1;
        return place;
    }
    if (*start == 1) {
        return place;
    }
    const std::optional<std::int64_t> offset = Pds3MulAdd(*start - 1, context.recordBytes, 0);
    if (context.recordBytes <= 0 || !offset) {
        const QString message = context.recordBytes > 0 ? pds3text::RecordsOverflow() : pds3text::NoRecordBytes();
        context.warnings << message.arg(pointer.line).arg(pointer.keyword);
        return std::nullopt;
    }
    place.offset = *offset;
    return place;
}

// Whether the axes' extent (offset of the last element's end) stays within
// int64.
bool ExtentFits(const ArrayObject& array)
{
    std::optional<std::int64_t> end = Pds3MulAdd(1, array.offset, array.element.bytes);
    for (const Axis& axis : array.axes) {
        if (!end || axis.elements < 1) {
            return false;
        }
        end = Pds3MulAdd(axis.elements - 1, axis.strideBytes, *end);
    }
    return end.has_value();
}

void ReadScaling(const OdlBlock& block, QStringView factorKey, QStringView offsetKey, Scaling& scaling)
{
    if (const OdlValue* factor = block.Value(factorKey); factor && factor->ToReal()) {
        scaling.scalingFactor = *factor->ToReal();
    }
    if (const OdlValue* offset = block.Value(offsetKey); offset && offset->ToReal()) {
        scaling.valueOffset = *offset->ToReal();
    }
}

std::optional<ArrayObject> DescribeImage(const OdlBlock& block, const Place& place, Context& context)
{
    const QString what = block.name;
    QStringList& warnings = context.warnings;
    const auto lines = CountKeyword(block, u"LINES", 0, what, warnings);
    const auto samples = CountKeyword(block, u"LINE_SAMPLES", 0, what, warnings);
    const auto bands = CountKeyword(block, u"BANDS", 1, what, warnings);
    const auto bits = CountKeyword(block, u"SAMPLE_BITS", 8, what, warnings);
    const auto prefix = CountKeyword(block, u"LINE_PREFIX_BYTES", 0, what, warnings);
    const auto suffix = CountKeyword(block, u"LINE_SUFFIX_BYTES", 0, what, warnings);
    const auto fail = [&](const QString& why) {
        warnings << pds3text::ObjectLeftOut().arg(block.firstLine).arg(what, why);
        return std::nullopt;
    };
    if (!lines || !samples || !bands || !bits || !prefix || !suffix) {
        return fail(pds3text::BadSizeKeyword());
    }
    if (*lines < 1 || *samples < 1 || *bands < 1) {
        return fail(pds3text::EmptyImage().arg(*lines).arg(*samples).arg(*bands));
    }
    const QString type = TextOf(block, u"SAMPLE_TYPE");
    if (*bits % 8 != 0) {
        return fail(pds3text::BitsNotBytes().arg(*bits));
    }
    const std::optional<ElementType> element = Pds3BinaryType(type, *bits / 8);
    if (!element) {
        return fail(pds3text::UnknownSampleType().arg(type).arg(*bits));
    }
    ArrayObject array;
    array.name = block.name;
    array.kind = ArrayKind::Image;
    array.dataFile = place.file;
    array.element = *element;
    array.unit = TextOf(block, u"UNIT");
    ReadScaling(block, u"SCALING_FACTOR", u"OFFSET", array.scaling);
    array.specials = SpecialConstants(block, IsImageSpecial, &array.element);
    array.samplesLeftToRight = Upper(TextOf(block, u"SAMPLE_DISPLAY_DIRECTION")) != QLatin1String("LEFT");
    array.linesTopToBottom = Upper(TextOf(block, u"LINE_DISPLAY_DIRECTION")) != QLatin1String("UP");

    const std::int64_t b = element->bytes;
    const QString storage = Upper(TextOf(block, u"BAND_STORAGE_TYPE"));
    const Axis band{QStringLiteral("BAND"), *bands, 0};
    const Axis line{QStringLiteral("LINE"), *lines, 0};
    const Axis sample{QStringLiteral("SAMPLE"), *samples, 0};
    std::optional<std::int64_t> lineBytes;
    if (storage == QLatin1String("LINE_INTERLEAVED")) {
        // Each line record: prefix, the line of band 1, of band 2, ..., suffix.
        const auto data = Pds3MulAdd(*samples * 1, b, 0);
        lineBytes = data ? Pds3MulAdd(*data, *bands, *prefix + *suffix) : std::nullopt;
        if (lineBytes) {
            array.axes = {line, band, sample};
            array.axes[0].strideBytes = *lineBytes;
            array.axes[1].strideBytes = *data;
            array.axes[2].strideBytes = b;
        }
        array.lineAxis = 0;
        array.bandAxis = 1;
        array.sampleAxis = 2;
    } else if (storage == QLatin1String("SAMPLE_INTERLEAVED")) {
        const auto pixel = Pds3MulAdd(*bands, b, 0);
        lineBytes = pixel ? Pds3MulAdd(*samples, *pixel, *prefix + *suffix) : std::nullopt;
        if (lineBytes) {
            array.axes = {line, sample, band};
            array.axes[0].strideBytes = *lineBytes;
            array.axes[1].strideBytes = *pixel;
            array.axes[2].strideBytes = b;
        }
        array.lineAxis = 0;
        array.sampleAxis = 1;
        array.bandAxis = 2;
    } else {
        if (!storage.isEmpty() && storage != QLatin1String("BAND_SEQUENTIAL") && *bands > 1) {
            return fail(pds3text::UnknownStorage().arg(storage));
        }
        lineBytes = Pds3MulAdd(*samples, b, *prefix + *suffix);
        const auto bandBytes = lineBytes ? Pds3MulAdd(*lines, *lineBytes, 0) : std::nullopt;
        if (bandBytes) {
            array.axes = {band, line, sample};
            array.axes[0].strideBytes = *bandBytes;
            array.axes[1].strideBytes = *lineBytes;
            array.axes[2].strideBytes = b;
        } else {
            lineBytes.reset();
        }
        array.bandAxis = 0;
        array.lineAxis = 1;
        array.sampleAxis = 2;
    }
    array.offset = place.offset + *prefix;
    if (!lineBytes || !ExtentFits(array)) {
        return fail(pds3text::ImageOverflow().arg(*lines).arg(*samples).arg(*bands).arg(b));
    }
    return array;
}

std::optional<ArrayObject> DescribeQube(const OdlBlock& block, const Place& place, Context& context)
{
    const QString what = block.name;
    QStringList& warnings = context.warnings;
    const auto fail = [&](const QString& why) {
        warnings << pds3text::ObjectLeftOut().arg(block.firstLine).arg(what, why);
        return std::nullopt;
    };
    const OdlValue* names = block.Value(u"AXIS_NAME");
    const OdlValue* core = block.Value(u"CORE_ITEMS");
    if (!names || !core || !names->IsList() || !core->IsList() || names->items.size() != core->items.size() ||
        core->items.empty() || core->items.size() > 3) {
        return fail(pds3text::QubeAxes());
    }
    const std::size_t count = core->items.size();
    const OdlValue* suffixItems = block.Value(u"SUFFIX_ITEMS");
    const auto itemBytes = CountKeyword(block, u"CORE_ITEM_BYTES", 0, what, warnings);
    const auto suffixBytes = CountKeyword(block, u"SUFFIX_BYTES", 4, what, warnings);
    if (!itemBytes || !suffixBytes) {
        return fail(pds3text::QubeBytes());
    }
    const QString type = TextOf(block, u"CORE_ITEM_TYPE");
    const std::optional<ElementType> element = Pds3BinaryType(type, *itemBytes);
    if (!element) {
        return fail(pds3text::UnknownCoreType().arg(type).arg(*itemBytes));
    }
    // Axes fastest first as the label lists them; each axis may be followed
    // by suffix items (SUFFIX_BYTES each) that the core skips.
    std::vector<Axis> fastFirst;
    std::int64_t stride = element->bytes;
    std::int64_t suffixPlane = *suffixBytes;  // one suffix item at the first axis, a suffix row/plane above
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<std::int64_t> items = core->items[i].ToInteger();
        std::int64_t suffix = 0;
        if (suffixItems && suffixItems->IsList() && i < suffixItems->items.size()) {
            suffix = suffixItems->items[i].ToInteger().value_or(-1);
        }
        if (!items || *items < 1 || suffix < 0) {
            return fail(pds3text::QubeCounts().arg(core->ToString()));
        }
        fastFirst.push_back(Axis{Upper(names->items[i].ToString()), *items, stride});
        const auto coreBytes = Pds3MulAdd(*items, stride, 0);
        const auto plane = coreBytes ? Pds3MulAdd(suffix, suffixPlane, *coreBytes) : std::nullopt;
        const auto nextSuffixPlane = Pds3MulAdd(*items + suffix, suffixPlane, 0);
        if (!plane || !nextSuffixPlane) {
            return fail(pds3text::QubeOverflow().arg(core->ToString()));
        }
        stride = *plane;
        suffixPlane = *nextSuffixPlane;
    }
    ArrayObject array;
    array.name = block.name;
    array.kind = ArrayKind::Image;
    array.dataFile = place.file;
    array.offset = place.offset;
    array.element = *element;
    array.unit = TextOf(block, u"CORE_UNIT");
    ReadScaling(block, u"CORE_MULTIPLIER", u"CORE_BASE", array.scaling);
    array.specials = SpecialConstants(block, IsImageSpecial, &array.element);
    array.axes.assign(fastFirst.rbegin(), fastFirst.rend());
    const int last = static_cast<int>(array.axes.size()) - 1;
    for (int i = 0; i <= last; ++i) {
        const QString& name = array.axes[i].name;
        if (name == QLatin1String("LINE")) {
            array.lineAxis = i;
        } else if (name == QLatin1String("SAMPLE")) {
            array.sampleAxis = i;
        } else if (name == QLatin1String("BAND")) {
            array.bandAxis = i;
        }
    }
    if (array.sampleAxis < 0 || array.lineAxis < 0) {
        // Axes not named SAMPLE/LINE: the fastest is the sample, the next the line.
        array.sampleAxis = last;
        array.lineAxis = last >= 1 ? last - 1 : -1;
        array.bandAxis = last >= 2 ? 0 : -1;
    }
    if (!ExtentFits(array)) {
        return fail(pds3text::QubeOverflow().arg(core->ToString()));
    }
    return array;
}

LabelNode Node(const OdlBlock& block)
{
    LabelNode node;
    node.name = block.name;
    node.title = TextOf(block, u"NAME");
    node.firstLine = block.firstLine;
    node.lastLine = block.lastLine;
    for (const OdlBlock& child : block.children) {
        node.children.push_back(Node(child));
    }
    return node;
}

void ReadObjects(const OdlBlock& holder, LabelNode& holderNode, Context& context, Product& product)
{
    QHash<QString, int> seen;  // how many objects of each name came before
    for (std::size_t i = 0; i < holder.children.size(); ++i) {
        const OdlBlock& block = holder.children[i];
        if (block.kind != QLatin1String("OBJECT")) {
            continue;
        }
        const QString name = Upper(block.name);
        if (name == QLatin1String("FILE") || name.endsWith(QLatin1String("_FILE"))) {
            // An old-style FILE object (UNCOMPRESSED_FILE, ...) holds its own
            // pointers and records.
            Context inner{context.labelFile, context.folder, context.recordBytes, context.warnings};
            if (const auto bytes = CountKeyword(block, u"RECORD_BYTES", context.recordBytes, name, context.warnings)) {
                inner.recordBytes = *bytes;
            }
            ReadObjects(block, holderNode.children[i], inner, product);
            continue;
        }
        const bool image = IsImage(name);
        const bool qube = IsQube(name);
        const bool table = !image && !qube && Pds3Table::IsTable(block);
        if (!image && !qube && !table) {
            continue;
        }
        // The n-th object of a name goes with the n-th pointer of that name.
        const int occurrence = seen[name]++;
        const OdlStatement* pointer = nullptr;
        int found = 0;
        for (const OdlStatement& statement : holder.statements) {
            if (statement.pointer && Upper(statement.keyword) == name && found++ == occurrence) {
                pointer = &statement;
                break;
            }
        }
        if (!pointer) {
            context.warnings << pds3text::NoPointer().arg(block.firstLine).arg(name);
            continue;
        }
        const std::optional<Place> place = Resolve(*pointer, context);
        if (!place) {
            continue;
        }
        std::optional<DataObject> object;
        if (image) {
            if (auto array = DescribeImage(block, *place, context)) {
                object = std::move(*array);
            }
        } else if (qube) {
            if (auto array = DescribeQube(block, *place, context)) {
                object = std::move(*array);
            }
        } else {
            Pds3Table reader(context.folder, context.recordBytes, context.warnings);
            if (auto described = reader.Describe(block, place->file, place->offset)) {
                object = std::move(*described);
            }
        }
        if (object) {
            holderNode.children[i].dataObject = static_cast<int>(product.objects.size());
            product.objects.push_back(std::move(*object));
        }
    }
}

QString DecodeLabel(QByteArrayView bytes)
{
    return bytes.isValidUtf8() ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
}

}  // namespace

Product ReadPds3Product(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error{pds3text::CannotOpen().arg(path, file.errorString())};
    }
    const qint64 size = file.size();
    QByteArray bytes = file.read(std::min(size, kFirstRead));
    if (bytes.startsWith("LBLSIZE=")) {
        throw Error{pds3text::IsVicar().arg(path)};
    }
    if (bytes.trimmed().startsWith('<')) {
        throw Error{pds3text::IsXml().arg(path)};
    }
    OdlLabel label = OdlParser::Parse(bytes);
    if (!label.endFound && size > bytes.size()) {
        bytes += file.read(std::min(size, kMaxLabelBytes) - bytes.size());
        label = OdlParser::Parse(bytes);
    }
    const bool brokenStart = !label.warnings.isEmpty() && label.firstStatementLine > 0 &&
                             label.warnings.first().section(QLatin1Char(':'), 0, 0).mid(5).toInt() <
                                 label.firstStatementLine;
    if (label.statementCount == 0 || brokenStart) {
        throw Error{pds3text::NoLabel().arg(path)};
    }

    Product product;
    product.labelFile = QFileInfo(path).absoluteFilePath();
    product.flavour = LabelFlavour::Pds3;
    product.labelText = DecodeLabel(QByteArrayView(bytes).first(label.endOffset));
    product.warnings = label.warnings;
    if (!label.endFound) {
        product.warnings << pds3text::NoEnd();
    }
    product.structure = Node(label.root);
    product.structure.name = QFileInfo(path).fileName();

    Context context{product.labelFile, QFileInfo(product.labelFile).absolutePath(), 0, product.warnings};
    if (const auto recordBytes = CountKeyword(label.root, u"RECORD_BYTES", 0, pds3text::TheLabel(), product.warnings)) {
        context.recordBytes = *recordBytes;
    }
    ReadObjects(label.root, product.structure, context, product);
    return product;
}

}  // namespace product
