#pragma once
// Every message of the PDS4 label reader, once. A message is written whole
// with %1, %2, ... for its arguments (QString::arg fills them in order).

#include <QString>

namespace product::pds4text {

// Errors: the file is not a PDS4 label at all.
inline QString CannotOpen() { return QStringLiteral("%1: cannot be read: %2"); }
inline QString TooLarge()
{
    return QStringLiteral("%1: a label of %2 bytes is larger than the %3 bytes a PDS4 label may have");
}
inline QString NotXml() { return QStringLiteral("%1: not a PDS4 label (not XML: %2 at line %3)"); }
inline QString NotProduct() { return QStringLiteral("%1: not a PDS4 label (its root element is %2, not Product_*)"); }

// Warnings about the label as a whole.
inline QString XmlBroken() { return QStringLiteral("line %1: the XML is broken here (%2); what follows is not read"); }
inline QString TooDeep() { return QStringLiteral("elements nested deeper than %1 levels are not read"); }
inline QString NoFileName()
{
    return QStringLiteral("line %1: %2 names no file (File/file_name); its data objects are left out");
}

// Warnings about one object: "line N: CLASS 'NAME': what is wrong; left out".
inline QString ObjectLeftOut() { return QStringLiteral("line %1: %2 '%3': %4; left out"); }
inline QString ObjectNote() { return QStringLiteral("line %1: %2 '%3': %4"); }

// What is wrong with an object (the %4 of ObjectLeftOut/ObjectNote).
inline QString MissingValue() { return QStringLiteral("%1 is missing"); }
inline QString BadNumber() { return QStringLiteral("%1 = \"%2\" is not a number"); }
inline QString BadCount() { return QStringLiteral("%1 = \"%2\" is not a whole number from %3 to %4"); }
inline QString UnknownDataType() { return QStringLiteral("data_type \"%1\" is not a PDS4 data type"); }
inline QString NotAnArrayType() { return QStringLiteral("data_type \"%1\" is not a type of array elements"); }
inline QString NoAxes() { return QStringLiteral("it has no Axis_Array"); }
inline QString AxesCountDiffers()
{
    return QStringLiteral("axes = %1 but %2 Axis_Array are given; the Axis_Array are used");
}
inline QString UnknownAxisOrder()
{
    return QStringLiteral("axis_index_order \"%1\" is not known; Last Index Fastest is used");
}
inline QString ArrayTooLarge() { return QStringLiteral("its size in bytes does not fit in 64 bits"); }
inline QString UnknownDelimiter() { return QStringLiteral("field_delimiter \"%1\" is not known"); }
inline QString FieldOutsideRecord()
{
    return QStringLiteral("field '%1' (bytes %2 to %3) lies outside the record of %4 bytes");
}
inline QString FieldLengthDiffers()
{
    return QStringLiteral("field '%1' is %2 bytes long but its type %3 has %4; %4 are read");
}
inline QString TooManyFields() { return QStringLiteral("its records hold more than %1 values"); }
inline QString GroupLengthUneven() { return QStringLiteral("group_length %1 is not a multiple of repetitions %2"); }
inline QString BitsOutsideField()
{
    return QStringLiteral("bit field '%1' (bits %2 to %3) lies outside its field of %4 bits");
}
inline QString BitStringTooLong()
{
    return QStringLiteral(
        "field '%1' is a bit string of %2 bytes, longer than the 8 that can be read as a number; the field is left "
        "out");
}
inline QString UnknownFieldType()
{
    return QStringLiteral("field '%1': data_type \"%2\" is not a PDS4 data type; its values are read as text");
}
inline QString NoDelimiter() { return QStringLiteral("field_delimiter is missing; Comma is used"); }
inline QString BadSpecialConstant()
{
    return QStringLiteral("special constant %1 = \"%2\" is not a number and is not used");
}
inline QString UnknownDisplayDirection()
{
    return QStringLiteral("display direction \"%1\" is not known and is not used");
}

}  // namespace product::pds4text
