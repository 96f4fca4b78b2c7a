#pragma once
// Every text the viewer window and its thumbnailer show, in one place.
// Messages are written whole with %1, %2, ... for their arguments
// (QString::arg).

namespace viewer::text {

// The window.
inline constexpr const char* kWindowTitle = "%1 \u2014 Vellora Viewer";
inline constexpr const char* kEmptyTitle = "Vellora Viewer";
inline constexpr const char* kMenuFile = "&File";
inline constexpr const char* kMenuView = "&View";
inline constexpr const char* kMenuHelp = "&Help";
inline constexpr const char* kActionOpen = "&Open\u2026";
inline constexpr const char* kActionExport = "&Export\u2026";
inline constexpr const char* kActionQuit = "&Quit";
inline constexpr const char* kActionZoomIn = "Zoom &In";
inline constexpr const char* kActionZoomOut = "Zoom &Out";
inline constexpr const char* kActionFit = "&Fit to Window";
inline constexpr const char* kActionActualSize = "&Actual Size";
inline constexpr const char* kActionHelp = "Vellora Viewer &Help";
inline constexpr const char* kOpenCaption = "Open a PDS Product";
inline constexpr const char* kOpenFilter =
    "PDS labels and products (*.lbl *.LBL *.xml *.XML *.lblx *.img *.IMG *.qub *.QUB "
    "*.cub *.CUB *.dat *.DAT *.tab *.TAB);;All files (*)";
inline constexpr const char* kExportPngCaption = "Export the View as PNG";
inline constexpr const char* kExportPngFilter = "PNG pictures (*.png)";
inline constexpr const char* kNoHelp = "The help page vellora.html could not be found or opened.";
inline constexpr const char* kExportFailed = "%1 could not be written: %2";

// The structure tree and the tabs.
inline constexpr const char* kStructureName = "Product structure";
inline constexpr const char* kColumnObject = "Object";
inline constexpr const char* kColumnKind = "Kind";
inline constexpr const char* kColumnSize = "Size";
inline constexpr const char* kKindImage = "image";
inline constexpr const char* kKindArray = "array";
inline constexpr const char* kKindTable = "table";
inline constexpr const char* kSizeImage = "%1 \u00d7 %2 \u00d7 %3";
inline constexpr const char* kSizeAxes = "%1";
inline constexpr const char* kSizeTable = "%1 rows \u00d7 %2 columns";
inline constexpr const char* kTitledNode = "%1 (%2)";
inline constexpr const char* kTabData = "Data";
inline constexpr const char* kTabLabel = "Label";
inline constexpr const char* kTabTable = "Rows";
inline constexpr const char* kTabPlot = "Plot";
inline constexpr const char* kLabelViewName = "Label text";

// Failures shown in place of the data view.
inline constexpr const char* kNotProduct = "%1 is not a PDS product that Vellora Viewer can read.\n\n%2";
inline constexpr const char* kNoData = "This label describes no data object that Vellora Viewer can show.";
inline constexpr const char* kNoObjectView = "%1 has no view: it is an array of %2 axes without lines and samples.";
inline constexpr const char* kCannotRead = "The data of %1 cannot be read.\n\n%2";
inline constexpr const char* kReading = "Reading %1\u2026";
inline constexpr const char* kProblem = "Warning: %1";

// The image view's controls.
inline constexpr const char* kBand = "Band:";
inline constexpr const char* kBandItem = "Band %1";
inline constexpr const char* kRgb = "RGB";
inline constexpr const char* kRed = "R:";
inline constexpr const char* kGreen = "G:";
inline constexpr const char* kBlue = "B:";
inline constexpr const char* kStretch = "Stretch:";
inline constexpr const char* kStretchPercentile = "0.5\u201399.5 %";
inline constexpr const char* kStretchMinMax = "Minimum\u2013maximum";
inline constexpr const char* kStretchManual = "Typed limits";
inline constexpr const char* kLow = "Low:";
inline constexpr const char* kHigh = "High:";
inline constexpr const char* kColours = "Colours:";
inline constexpr const char* kMapGray = "Gray";
inline constexpr const char* kMapViridis = "Viridis";
inline constexpr const char* kMapMagma = "Magma";
inline constexpr const char* kMapCividis = "Cividis";
inline constexpr const char* kInvert = "Invert";
inline constexpr const char* kHistogramName = "Histogram of the band: drag the limits";
inline constexpr const char* kCanvasName = "Image";

// The status bar under the mouse.
inline constexpr const char* kPixelValue = "Line %1, sample %2: stored %3, scaled %4";
inline constexpr const char* kPixelValueUnit = "Line %1, sample %2: stored %3, scaled %4 %5";
inline constexpr const char* kPixelSpecial = "Line %1, sample %2: %3 (stored %4)";
inline constexpr const char* kPixelMissing = "Line %1, sample %2: no value (beyond the end of the file)";
inline constexpr const char* kPixelRgb = "Line %1, sample %2: R %3, G %4, B %5 (stored)";
inline constexpr const char* kZoom = "%1 %";

// The thumbnailer.
inline constexpr const char* kThumbnailUsage = "Usage: vellora-view --thumbnail SIZE IN OUT\n";
inline constexpr const char* kThumbnailBadSize =
    "vellora-view: --thumbnail needs a size in pixels from 1 to 4096, not %1\n";
inline constexpr const char* kThumbnailFailure = "vellora-view: %1\n";
inline constexpr const char* kThumbnailNoImage = "%1: no image to show";
inline constexpr const char* kThumbnailWrite = "%1: %2";

}  // namespace viewer::text
