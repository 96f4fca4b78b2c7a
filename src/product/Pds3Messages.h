#pragma once
// Every message of the PDS3 label reader and the ODL parser, once. A
// message is written whole with %1, %2, ... for its arguments
// (QString::arg fills them in order).

#include <QString>

namespace product::pds3text {

// Errors: the file is not a PDS3 label at all.
inline QString CannotOpen() { return QStringLiteral("%1: cannot be opened: %2"); }
inline QString IsVicar() { return QStringLiteral("%1: starts with a VICAR label, not a PDS3 label"); }
inline QString IsXml() { return QStringLiteral("%1: an XML file, not a PDS3 label"); }
inline QString NoLabel() { return QStringLiteral("%1: no PDS3 label (no KEYWORD = value statements at its start)"); }

// The ODL parser: "line N: what is wrong".
inline QString AtLine() { return QStringLiteral("line %1: %2"); }
inline QString UnexpectedToken() { return QStringLiteral("unexpected '%1' where a keyword should be"); }
inline QString NotClosed() { return QStringLiteral("%1 %2 is not closed"); }
inline QString MoreSkipped() { return QStringLiteral("%1 more lines skipped"); }
inline QString NoEquals() { return QStringLiteral("'%1' is not followed by '='; line skipped"); }
inline QString NoValue() { return QStringLiteral("'%1' has no value; line skipped"); }
inline QString BadValue() { return QStringLiteral("the value of '%1' cannot be read; line skipped"); }
inline QString BlocksTooDeep() { return QStringLiteral("blocks nest too deep; %1 read into its parent"); }
inline QString NothingOpen() { return QStringLiteral("%1 without an open block; line skipped"); }
inline QString ClosesOther() { return QStringLiteral("%1 closes %2 %3"); }
inline QString ClosesOtherName() { return QStringLiteral("%1 = %2 closes %3 %4"); }
inline QString NoEnd() { return QStringLiteral("the label has no END line; read to the end of its text"); }

// Pointers and keywords.
inline QString UnknownPointer() { return QStringLiteral("line %1: ^%2 = %3 is not a pointer this reader knows"); }
inline QString DataFileMissing() { return QStringLiteral("line %1: the data file %2 of ^%3 is not beside the label"); }
inline QString BadPointerStart()
{
    return QStringLiteral("line %1: ^%2 points at %3, not at a record or byte from 1 on");
}
inline QString NoRecordBytes() { return QStringLiteral("line %1: ^%2 counts records, but RECORD_BYTES is missing"); }
inline QString RecordsOverflow()
{
    return QStringLiteral("line %1: ^%2 counts records, but RECORD_BYTES is too large");
}
inline QString NoPointer() { return QStringLiteral("line %1: %2 has no pointer ^%2; left out"); }
inline QString BadCount() { return QStringLiteral("line %1: %2 of %3 is not a whole number >= 0: %4"); }
inline QString TheLabel() { return QStringLiteral("the label"); }

// Images and qubes: "line N: OBJECT: what is wrong; left out".
inline QString ObjectLeftOut() { return QStringLiteral("line %1: %2: %3; left out"); }
inline QString BadSizeKeyword() { return QStringLiteral("a size keyword cannot be read"); }
inline QString EmptyImage() { return QStringLiteral("LINES, LINE_SAMPLES and BANDS must be at least 1 (%1, %2, %3)"); }
inline QString BitsNotBytes() { return QStringLiteral("SAMPLE_BITS = %1 is not whole bytes"); }
inline QString UnknownSampleType() { return QStringLiteral("SAMPLE_TYPE = %1 of %2 bits cannot be read"); }
inline QString UnknownStorage() { return QStringLiteral("BAND_STORAGE_TYPE = %1 is not known"); }
inline QString ImageOverflow() { return QStringLiteral("%1 x %2 x %3 samples of %4 bytes overflow any file"); }
inline QString QubeAxes() { return QStringLiteral("AXIS_NAME and CORE_ITEMS must be lists of 1 to 3 axes alike"); }
inline QString QubeBytes() { return QStringLiteral("CORE_ITEM_BYTES or SUFFIX_BYTES cannot be read"); }
inline QString UnknownCoreType() { return QStringLiteral("CORE_ITEM_TYPE = %1 of %2 bytes cannot be read"); }
inline QString QubeCounts() { return QStringLiteral("CORE_ITEMS %1 or SUFFIX_ITEMS is not a count"); }
inline QString QubeOverflow() { return QStringLiteral("CORE_ITEMS %1 overflow any file"); }

// Tables: "line N: TABLE: what is wrong".
inline QString TableNote() { return QStringLiteral("line %1: %2: %3"); }
inline QString StructureMissing()
{
    return QStringLiteral("structure file %1 not found beside the label or in a LABEL folder");
}
inline QString StructureWarning() { return QStringLiteral("%1, %2"); }
inline QString ContainersTooDeep() { return QStringLiteral("containers nest too deep; left out"); }
inline QString BadContainer()
{
    return QStringLiteral("CONTAINER without a usable START_BYTE, BYTES or REPETITIONS; left out");
}
inline QString RepetitionPastRow()
{
    return QStringLiteral("CONTAINER repetition %1 of %2 starts past the row; the rest left out");
}
inline QString RepetitionDoesNotFit()
{
    return QStringLiteral("CONTAINER repetition %1 of %2 does not fit; the rest left out");
}
inline QString TooManyFields() { return QStringLiteral("more than %1 fields; the rest left out"); }
inline QString ColumnName() { return QStringLiteral("column %1"); }
inline QString BitColumnName() { return QStringLiteral("bit column %1"); }
inline QString BadColumnPlace() { return QStringLiteral("%1 has no usable START_BYTE, BYTES or ITEMS; left out"); }
inline QString BadItems() { return QStringLiteral("%1 has no usable ITEM_BYTES or ITEM_OFFSET; left out"); }
inline QString PastRow() { return QStringLiteral("%1 reaches past the row's %2 bytes; left out"); }
inline QString UnknownDataType() { return QStringLiteral("%1: DATA_TYPE %2 of %3 bytes cannot be read; left out"); }
inline QString BadBitColumn() { return QStringLiteral("%1 has no usable START_BIT, BITS or ITEMS; left out"); }
inline QString PastBits() { return QStringLiteral("%1 reaches past its column's %2 bits; left out"); }
inline QString NoRows() { return QStringLiteral("no usable ROWS; table left out"); }
inline QString NoRowBytes() { return QStringLiteral("no usable ROW_BYTES; table left out"); }
inline QString RowsOverflow() { return QStringLiteral("%1 rows of %2 bytes overflow; table left out"); }
inline QString NoColumns() { return QStringLiteral("no column can be read; table left out"); }

}  // namespace product::pds3text
