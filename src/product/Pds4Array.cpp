#include "product/Pds4Array.h"

#include "product/Pds4DataType.h"
#include "product/Pds4Messages.h"
#include "product/Pds4Support.h"

#include <algorithm>
#include <array>
#include <limits>

namespace product {

namespace {

constexpr std::int64_t kMaxInt64 = std::numeric_limits<std::int64_t>::max();
constexpr int kMaxAxes = 16;

struct LabelAxis {
    Axis axis;
    std::int64_t sequence = 0;
};

bool NameIn(const QString& name, std::initializer_list<const char*> names)
{
    return std::any_of(names.begin(), names.end(), [&](const char* candidate) {
        return name.compare(QLatin1String(candidate), Qt::CaseInsensitive) == 0;
    });
}

bool IsLineName(const QString& name) { return NameIn(name, {"line", "lines", "row", "rows", "y"}); }
bool IsSampleName(const QString& name) { return NameIn(name, {"sample", "samples", "column", "columns", "x"}); }
bool IsBandName(const QString& name)
{
    return NameIn(name, {"band", "bands", "channel", "wavelength", "frequency", "energy", "time", "frame"});
}

// Which axes are the line, sample and band axes: named ones first (the
// display axes when given, then the usual names), then, for axes without
// such names, the fastest free axis is the sample axis and the next the line
// axis; a third axis is the band axis.
void AssignAxisRoles(ArrayObject& array, const QString& verticalAxis, const QString& horizontalAxis)
{
    const int count = static_cast<int>(array.axes.size());
    array.lineAxis = array.sampleAxis = array.bandAxis = -1;
    if (count < 2)
        return;
    auto taken = [&](int index) {
        return index == array.lineAxis || index == array.sampleAxis || index == array.bandAxis;
    };
    auto find = [&](auto matches) {
        for (int index = 0; index < count; ++index) {
            if (!taken(index) && matches(array.axes[index].name))
                return index;
        }
        return -1;
    };
    auto sameName = [](const QString& wanted) {
        return [wanted](const QString& name) {
            return !wanted.isEmpty() && name.compare(wanted, Qt::CaseInsensitive) == 0;
        };
    };
    array.lineAxis = find(sameName(verticalAxis));
    array.sampleAxis = find(sameName(horizontalAxis));
    if (array.lineAxis < 0)
        array.lineAxis = find(IsLineName);
    if (array.sampleAxis < 0)
        array.sampleAxis = find(IsSampleName);
    if (count >= 3)
        array.bandAxis = find(IsBandName);
    auto fastestFree = [&] {
        for (int index = count - 1; index >= 0; --index) {
            if (!taken(index))
                return index;
        }
        return -1;
    };
    if (array.sampleAxis < 0)
        array.sampleAxis = fastestFree();
    if (array.lineAxis < 0)
        array.lineAxis = fastestFree();
    if (count == 3 && array.bandAxis < 0)
        array.bandAxis = fastestFree();
}

ArrayKind KindOfClass(const QString& name)
{
    const bool picture = name.endsWith(QLatin1String("_Image")) || name.endsWith(QLatin1String("_Map")) ||
                         name.endsWith(QLatin1String("_Movie")) || name == QLatin1String("Array_3D_Spectrum");
    return picture ? ArrayKind::Image : ArrayKind::Array;
}

std::optional<std::vector<LabelAxis>> ReadAxes(const XmlElement& element, Pds4ObjectWarnings& warnings)
{
    std::vector<LabelAxis> axes;
    for (const XmlElement& child : element.children) {
        if (child.name != u"Axis_Array")
            continue;
        if (static_cast<int>(axes.size()) == kMaxAxes) {
            warnings.LeftOut(pds4text::BadCount().arg(QStringLiteral("axes"), QString::number(kMaxAxes + 1),
                                                      QStringLiteral("1"), QString::number(kMaxAxes)));
            return std::nullopt;
        }
        LabelAxis axis;
        axis.axis.name = child.ChildText(u"axis_name");
        const std::optional<std::int64_t> elements = RequiredCount(child, u"elements", 1, kMaxInt64, warnings);
        if (!elements)
            return std::nullopt;
        axis.axis.elements = *elements;
        const std::optional<std::int64_t> sequence = ParseLabelInteger(child.ChildText(u"sequence_number"));
        axis.sequence = sequence ? *sequence : static_cast<std::int64_t>(axes.size()) + 1;
        axes.push_back(axis);
    }
    if (axes.empty()) {
        warnings.LeftOut(pds4text::NoAxes());
        return std::nullopt;
    }
    const QString declared = element.ChildText(u"axes");
    if (!declared.isEmpty() && ParseLabelInteger(declared) != static_cast<std::int64_t>(axes.size()))
        warnings.Note(pds4text::AxesCountDiffers().arg(declared, QString::number(axes.size())));

    // sequence_number 1 is the slowest axis when the last index is fastest
    // (the only order PDS4 allows); a label saying otherwise is taken at its word.
    const QString order = element.ChildText(u"axis_index_order");
    const bool firstFastest = order.compare(QLatin1String("First Index Fastest"), Qt::CaseInsensitive) == 0;
    if (!order.isEmpty() && !firstFastest &&
        order.compare(QLatin1String("Last Index Fastest"), Qt::CaseInsensitive) != 0)
        warnings.Note(pds4text::UnknownAxisOrder().arg(order));
    std::stable_sort(axes.begin(), axes.end(),
                     [](const LabelAxis& a, const LabelAxis& b) { return a.sequence < b.sequence; });
    if (firstFastest)
        std::reverse(axes.begin(), axes.end());
    return axes;
}

// Byte strides, slowest axis first, and the end of the array; false when a
// size does not fit in 64 bits.
bool ComputeStrides(ArrayObject& array)
{
    std::int64_t stride = array.element.bytes;
    for (auto axis = array.axes.rbegin(); axis != array.axes.rend(); ++axis) {
        axis->strideBytes = stride;
        const std::optional<std::int64_t> next = CheckedMultiply(stride, axis->elements);
        if (!next)
            return false;
        stride = *next;
    }
    return CheckedAdd(array.offset, stride).has_value();
}

void ApplyOwnDisplay(ArrayObject& array, const XmlElement& element)
{
    // Display_2D_Image of early PDS4 labels: line_display_direction Down or
    // Up (the first line at the top or at the bottom), sample_display_direction
    // Right or Left.
    const XmlElement* display = element.Child(u"Display_2D_Image");
    if (!display)
        return;
    const QString lines = display->ChildText(u"line_display_direction");
    const QString samples = display->ChildText(u"sample_display_direction");
    if (lines.compare(QLatin1String("Up"), Qt::CaseInsensitive) == 0)
        array.linesTopToBottom = false;
    if (samples.compare(QLatin1String("Left"), Qt::CaseInsensitive) == 0)
        array.samplesLeftToRight = false;
}

}  // namespace

bool IsPds4ArrayClass(const QString& name)
{
    return name == QLatin1String("Array") || name.startsWith(QLatin1String("Array_"));
}

std::optional<ArrayObject> ReadPds4Array(const XmlElement& element, const QString& dataFile, QStringList& warnings)
{
    ArrayObject array;
    array.name = Pds4Title(element);
    array.pds4Class = element.name;
    array.kind = KindOfClass(element.name);
    array.dataFile = dataFile;
    Pds4ObjectWarnings report(element, array.name, warnings);

    const std::optional<std::int64_t> offset = RequiredCount(element, u"offset", 0, kMaxInt64, report);
    if (!offset)
        return std::nullopt;
    array.offset = *offset;

    const XmlElement* elementArray = element.Child(u"Element_Array");
    const QString typeName = elementArray ? elementArray->ChildText(u"data_type") : QString();
    if (typeName.isEmpty()) {
        report.LeftOut(pds4text::MissingValue().arg(QStringLiteral("Element_Array/data_type")));
        return std::nullopt;
    }
    const std::optional<Pds4DataType> type = LookUpPds4DataType(typeName);
    if (!type) {
        report.LeftOut(pds4text::UnknownDataType().arg(typeName));
        return std::nullopt;
    }
    if (!type->IsBinaryNumber()) {
        report.LeftOut(pds4text::NotAnArrayType().arg(typeName));
        return std::nullopt;
    }
    array.element = type->element;
    const std::optional<Scaling> scaling = ReadScaling(*elementArray, report);
    if (!scaling)
        return std::nullopt;
    array.scaling = *scaling;
    array.unit = elementArray->ChildText(u"unit");

    std::optional<std::vector<LabelAxis>> axes = ReadAxes(element, report);
    if (!axes)
        return std::nullopt;
    for (const LabelAxis& axis : *axes)
        array.axes.push_back(axis.axis);
    if (!ComputeStrides(array)) {
        report.LeftOut(pds4text::ArrayTooLarge());
        return std::nullopt;
    }
    array.specials = ReadSpecialConstants(element, report);
    AssignAxisRoles(array, QString(), QString());
    ApplyOwnDisplay(array, element);
    return array;
}

void ApplyDisplayDirection(ArrayObject& array, const Pds4DisplayDirection& display)
{
    AssignAxisRoles(array, display.verticalAxis, display.horizontalAxis);
    array.samplesLeftToRight = display.leftToRight;
    array.linesTopToBottom = display.topToBottom;
}

}  // namespace product
