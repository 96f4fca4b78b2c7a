#pragma once
// The string table: every text of the program, whole, by id. A text with
// arguments holds the markers %1, %2, %3; Text fills them all in one pass,
// so an argument that itself holds "%1" or "%2" is taken as it stands.
// Every text in src/res/ is a UTF-8 literal, made a QString by Decode.

#include <QString>

namespace res {

enum class TextId {
    // Application shell.
    AppName,
    RegistryCompany,
    ContentsFile,     // %1 drive letter: the volume description file in the drive's root
    NoContentsFile,
    NotPdsCompliant,
    ExploringDrive,   // %1 drive letter
    ContentsCut,      // after the lines shown of an overlong description file

    // Also loaded by number (LoadString, the IDS_ ids below).
    AboutBox,         // the About entry of the window menu
    PropertySheetCaption,
    Scanning,         // the progress window's caption

    // Browser window: tool tips and accessible names of the picture
    // buttons, the help page, the folder tree and the file list.
    UpDirTip,
    ListViewTip,
    DetailsViewTip,
    HelpPageName,     // the help page's file name
    HelpPageMissing,
    ScanningForDrives,
    ItemHasNoChildren,
    FolderTooDeep,     // status line: a folder's path is longer than the system takes
    ColumnFileName,
    ColumnContentType,
    ColumnSize,
    FolderContentType,

    // Helper records.
    InvalidHelperCall,
    SystemViewerName,  // %1 extension

    // Label reader.
    UnableToOpenFile,  // %1 label path

    // Helper launch.
    UnableToStartHelper,  // %1 type name, %2 reason
    ReasonFileNotFound,
    ReasonAccessDenied,
    ReasonSystemError,    // %1 error number

    // Opening a file, the Find Helper dialog and the search.
    UnableToRunApplication,
    NoContentTypeForFile,  // %1 label path
    NoHelperDefined,       // %1 extension
    ExecutablesFilter,     // open-file dialog filters, Windows form
    MissingHelper,         // %1 launch error, %2 program file name
    DidNotFindHelper,      // %1 program file name, %2 start folder, %3 type name
    OnceAgainUnable,       // %1 launch error
    PreparingFindHelper,
    TestingForDrive,       // %1 drive name
    ScanningFolder,        // %1 folder

    // Options sheet pages and the New Helper dialog.
    DefaultHelpersQuestion,
    HelperNoMemory,
    HelperIncomplete,      // %1 field name
    HelperFieldName,
    HelperFieldContentType,
    HelperFieldApplication,
    HelperFieldDescription,
    HelperProgramFilter,   // open-file dialog filters, Windows form

    // The command line, printed before any window exists.
    CommandLineUsage,
    CommandLineVersion,
    UnknownOption,       // %1 the argument
    OneFolderOnly,       // %1 the second folder
    NoSuchFolder,        // %1 the folder
    NotAFolder,          // %1 the argument
    CannotEnterFolder,   // %1 the folder, %2 the system's reason
    ChooseVolumeTitle,   // the folder dialog of --choose

    Count  // not a text: the number of ids
};

// A text of src/res/ (UTF-8) as a QString.
QString Decode(const char* text);

// The text of an id, its markers filled with the arguments.
QString Text(TextId id);
QString Text(TextId id, const QString& a1);
QString Text(TextId id, const QString& a1, const QString& a2);
QString Text(TextId id, const QString& a1, const QString& a2, const QString& a3);

// String ids the program loads by number.
inline constexpr unsigned IDS_ABOUTBOX = 101;         // TextId::AboutBox
inline constexpr unsigned IDS_PROPSHT_CAPTION = 106;  // TextId::PropertySheetCaption
inline constexpr unsigned IDS_SCANNING = 110;         // TextId::Scanning

// The text of a string id; empty for an id the table does not hold.
QString LoadString(unsigned id);

}  // namespace res
