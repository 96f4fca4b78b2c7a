#pragma once
// Every text the vellora-view command line prints, in one place. Messages
// are written whole with %1, %2, ... for their arguments (QString::arg).

namespace viewcli::text {

inline constexpr const char* kVersion = "vellora-view %1\n";

inline constexpr const char* kUsage =
    "Usage: vellora-view FILE\n"
    "       vellora-view --info [--json] FILE\n"
    "       vellora-view --export OUT.csv FILE [--object NAME]\n"
    "       vellora-view --export OUT.png FILE [--object NAME] [--band N]\n"
    "       vellora-view --thumbnail SIZE FILE OUT.png\n";

inline constexpr const char* kHelp =
    "Reads a PDS data product: FILE is a PDS3 label (detached, or at the start of\n"
    "its data file) or a PDS4 label (.xml, .lblx).\n"
    "\n"
    "  FILE alone      opens the viewer window on the product\n"
    "  --info          for each data object: its name, kind and dimensions, the\n"
    "                  statistics of every image band, the columns of every table\n"
    "  --json          with --info: one JSON document instead of text\n"
    "  --export OUT    OUT.csv: a table (or a 1-D array) as CSV;\n"
    "                  OUT.png: an image band, stretched between the 0.5th and\n"
    "                  99.5th percentiles of its valid samples\n"
    "  --object NAME   the data object to export (default: the first table or image)\n"
    "  --band N        the band of the image to export, from 1 (default 1)\n"
    "  --thumbnail SIZE FILE OUT.png\n"
    "                  the product's first image as a PNG of at most SIZE pixels\n"
    "                  on its longer side\n"
    "  --help          this text\n"
    "  --version       the program's version\n"
    "\n"
    "Exit status: 0 done, 1 the file or its data could not be read or written,\n"
    "2 bad usage.\n";

// Usage errors, each followed by the usage text.
inline constexpr const char* kUnknownOption = "vellora-view: unknown option %1\n";
inline constexpr const char* kMissingValue = "vellora-view: %1 needs a value\n";
inline constexpr const char* kNoAction = "vellora-view: give --info or --export\n";
inline constexpr const char* kBothActions = "vellora-view: give either --info or --export, not both\n";
inline constexpr const char* kNoFile = "vellora-view: no FILE given\n";
inline constexpr const char* kTwoFiles = "vellora-view: more than one FILE given (%1, %2)\n";
inline constexpr const char* kJsonWithoutInfo = "vellora-view: --json goes with --info\n";
inline constexpr const char* kObjectWithoutExport = "vellora-view: --object and --band go with --export\n";
inline constexpr const char* kBadBand = "vellora-view: --band needs a band number from 1, not %1\n";
inline constexpr const char* kBandWithCsv = "vellora-view: --band goes with a PNG export\n";
inline constexpr const char* kBadExtension = "vellora-view: %1: the export file must end in .csv or .png\n";

// Failures: one line naming the file and what is wrong.
inline constexpr const char* kFailure = "vellora-view: %1\n";
inline constexpr const char* kNoSuchObject = "%1: no data object named %2";
inline constexpr const char* kNoTable = "%1: no table to export";
inline constexpr const char* kNoImage = "%1: no image to export";
inline constexpr const char* kNotTable = "%1: %2 is neither a table nor a 1-D array";
inline constexpr const char* kNotImage = "%1: %2 is not an image (it has no lines and samples)";
inline constexpr const char* kNoBand = "%1: %2 has %3 bands, there is no band %4";
inline constexpr const char* kPngFailed = "%1: %2";

// The --info text.
inline constexpr const char* kInfoFile = "%1 (%2 label)\n";
inline constexpr const char* kUnnamed = "unnamed";
inline constexpr const char* kInfoImage = "%1: image %2 x %3 x %4 (lines x samples x bands), %5\n";
inline constexpr const char* kInfoArray = "%1: array, axes %2; %3\n";
inline constexpr const char* kInfoAxis = "%1 %2";
inline constexpr const char* kInfoBand = "  band %1: %2\n";
inline constexpr const char* kInfoArrayStats = "  %1\n";
inline constexpr const char* kInfoStats = "count %1, min %2, max %3, mean %4, stddev %5, special %6";
inline constexpr const char* kInfoComplexStats =
    "count %1, special %2; complex samples: of the real parts min %3, max %4, mean %5, stddev %6 "
    "(of the magnitudes: min %7, max %8, mean %9, stddev %10)";
inline constexpr const char* kInfoNoValues = "count 0, special %1";
inline constexpr const char* kInfoTable = "%1: table (%2), %3 rows, %4 columns, %5 values per row\n";
inline constexpr const char* kInfoColumn = "  %1: %2%3%4\n";
inline constexpr const char* kInfoUnit = ", unit %1";
inline constexpr const char* kInfoItems = ", %1 items";
inline constexpr const char* kInfoWarning = "warning: %1\n";

// Element types, as --info names them.
inline constexpr const char* kTypeSigned = "%1-bit signed integer";
inline constexpr const char* kTypeUnsigned = "%1-bit unsigned integer";
inline constexpr const char* kTypeIeee = "%1-bit IEEE real";
inline constexpr const char* kTypeVax = "%1-bit VAX real";
inline constexpr const char* kTypeVaxG = "64-bit VAX G real";
inline constexpr const char* kTypeIeeeComplex = "%1-bit IEEE complex";
inline constexpr const char* kTypeVaxComplex = "%1-bit VAX complex";
inline constexpr const char* kOrderMsb = ", MSB first";
inline constexpr const char* kOrderLsb = ", LSB first";

}  // namespace viewcli::text
