#pragma once
// The model of a PDS data product, shared by the PDS3 and the PDS4 label
// readers (which fill it) and by the data readers, the command line and the
// viewer (which use it). A label reader only describes where and how the
// data lie; nothing here holds decoded data. Everything is plain values, so
// a product can be copied to a worker thread.
//
// Layout conventions, the same for both label flavours:
// - every byte position is absolute in its data file, counted from 0;
// - an array's axes are listed slowest first, each with its byte stride, so
//   band storage orders, line prefix and suffix bytes and qube suffix planes
//   are all just strides and a start offset;
// - a table's fields are flattened: a column with ITEMS, a CONTAINER with
//   REPETITIONS and a PDS4 group field become one field per stored value,
//   named NAME_1 ... NAME_n, in the order of their bytes; `columns` keeps
//   the logical columns for reports.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace product {

// How one stored binary value is encoded.
enum class Encoding {
    SignedInt,    // two's complement
    UnsignedInt,
    IeeeReal,     // IEEE 754 single (4) or double (8)
    VaxReal,      // VAX F (4), D or G (8; see vaxG)
    IeeeComplex,  // real then imaginary part, each bytes / 2
    VaxComplex,
};

enum class ByteOrder { Big, Little };

struct ElementType {
    Encoding encoding = Encoding::UnsignedInt;
    int bytes = 1;                       // of the whole element (both parts of a complex)
    ByteOrder order = ByteOrder::Big;
    bool vaxG = false;                   // an 8-byte VaxReal in G rather than D format

    bool IsComplex() const { return encoding == Encoding::IeeeComplex || encoding == Encoding::VaxComplex; }
    bool IsInteger() const { return encoding == Encoding::SignedInt || encoding == Encoding::UnsignedInt; }
};

// A named value that marks a sample or a field value as not a measurement.
// Names as the label gives them: "MISSING_CONSTANT", "CORE_NULL",
// "missing_constant", "saturated_constant", ...
struct SpecialConstant {
    QString name;
    double value = 0;
};

// The scaled value is stored * scalingFactor + valueOffset.
struct Scaling {
    double scalingFactor = 1;
    double valueOffset = 0;
    bool IsIdentity() const { return scalingFactor == 1 && valueOffset == 0; }
};

struct Axis {
    QString name;            // "LINE", "SAMPLE", "BAND", "Line", "Time", "axis", ...
    std::int64_t elements = 0;
    std::int64_t strideBytes = 0;  // from one element on this axis to the next
};

enum class ArrayKind { Image, Array };

// An image (PDS3 IMAGE, *_IMAGE, the core of a QUBE; PDS4 Array_2D_Image,
// Array_3D_Image, ...) or any other n-dimensional array.
struct ArrayObject {
    QString name;                 // PDS3 object name (NAME is an alias), PDS4 name or local_identifier; may be empty
    QString pds4Class;            // "Array_2D_Image", ...; empty for PDS3
    ArrayKind kind = ArrayKind::Image;
    QString dataFile;             // absolute path of the file that holds the data
    std::int64_t offset = 0;      // byte of the first element (after any line prefix)
    std::vector<Axis> axes;       // slowest first
    ElementType element;
    Scaling scaling;
    std::vector<SpecialConstant> specials;
    QString unit;

    // Which axes are the line, sample and band axes of an image; -1 when the
    // array has none. For a 2-D array without names, line = 0 and sample = 1.
    int lineAxis = -1;
    int sampleAxis = -1;
    int bandAxis = -1;

    // Display direction: the first sample is drawn at the left and the first
    // line at the top unless the label says otherwise.
    bool samplesLeftToRight = true;
    bool linesTopToBottom = true;

    std::int64_t Lines() const { return lineAxis >= 0 ? axes[lineAxis].elements : 1; }
    std::int64_t Samples() const { return sampleAxis >= 0 ? axes[sampleAxis].elements : 1; }
    std::int64_t Bands() const { return bandAxis >= 0 ? axes[bandAxis].elements : 1; }
};

// How a table field's bytes are to be read.
enum class FieldKind {
    Binary,       // `element` gives the encoding
    BitField,     // bits of a binary field: startBit/bits, signed or not
    AsciiReal,    // text holding a number (also a PDS3 ASCII table's binary-typed columns)
    AsciiInteger,
    AsciiUnsigned,
    AsciiNumericBase,  // base 2, 8 or 16 digits (`base`)
    AsciiBoolean,
    AsciiText,    // character data, kept as text
    AsciiDateTime,
};

struct Field {
    QString name;                 // flattened name, NAME_1 ... for repeated values
    QString column;               // the logical column's name
    QString unit;
    QString format;               // PDS3 FORMAT or PDS4 field_format; may be empty
    QString dataType;             // the type as the label names it ("MSB_INTEGER", "IEEE754LSBDouble")
    FieldKind kind = FieldKind::AsciiText;
    ElementType element;          // for Binary and the container of a BitField
    int base = 10;                // AsciiNumericBase
    std::int64_t startByte = 0;   // within the record (fixed-width tables)
    std::int64_t bytes = 0;
    int startBit = 0;             // BitField: first bit within the field's bytes, 0 = most significant
    int bits = 0;
    bool bitsSigned = false;
    int delimitedIndex = -1;      // delimited tables: position among the record's values
    Scaling scaling;
    std::vector<SpecialConstant> specials;
};

// A logical column as the label states it.
struct Column {
    QString name;
    QString dataType;
    QString unit;
    int items = 1;                // stored values of this column in one record
};

enum class TableFormat { Binary, Character, Delimited };

// Every PDS3 object with COLUMN children (TABLE, SERIES, TIME_SERIES,
// SPECTRUM, INDEX_TABLE, *_TABLE, SPREADSHEET), PDS4 Table_Character,
// Table_Binary, Table_Delimited.
struct TableObject {
    QString name;
    QString objectType;           // "TABLE", "SERIES", "Table_Binary", ...
    TableFormat format = TableFormat::Character;
    QString dataFile;
    std::int64_t offset = 0;      // byte of the first record
    std::int64_t rows = 0;
    std::int64_t recordBytes = 0; // fixed-width: bytes from one record to the next (prefix and suffix included)
    std::int64_t rowPrefixBytes = 0;  // fields' startByte counts after the prefix
    QChar delimiter = QLatin1Char(',');  // delimited tables
    QChar quote = QLatin1Char('"');
    std::vector<Column> columns;
    std::vector<Field> fields;

    // SERIES and friends: the sampling parameter, when the label names one.
    QString samplingParameterName;
    QString samplingParameterUnit;
    std::optional<double> samplingParameterInterval;
    std::optional<double> minimumSamplingParameter;
};

using DataObject = std::variant<ArrayObject, TableObject>;

// One node of the label's structure: an ODL OBJECT or GROUP, or a PDS4
// element that holds others. Lines count from 1 in the label's text.
struct LabelNode {
    QString name;                 // "IMAGE", "Table_Binary", ...
    QString title;                // NAME / local_identifier when there is one
    int firstLine = 0;
    int lastLine = 0;
    int dataObject = -1;          // index into Product::objects, -1 for none
    std::vector<LabelNode> children;
};

enum class LabelFlavour { Pds3, Pds4 };

struct Product {
    QString labelFile;            // absolute path of the file holding the label
    LabelFlavour flavour = LabelFlavour::Pds3;
    QString labelText;            // the label's text (PDS3: up to and including END)
    LabelNode structure;          // the root stands for the whole label
    std::vector<DataObject> objects;  // data objects in label order
    QStringList warnings;         // lines skipped, objects that could not be described, ...
};

// What a label reader or a data reader reports when it cannot go on: one
// line naming the file and what is wrong (which keyword, which sizes).
struct Error {
    QString message;
};

}  // namespace product
