#include "res/StringTable.h"

namespace res {

namespace {

// Every id has its case, and there is no default: the compiler reports an
// id without a text.
const char* Utf8Text(TextId id)
{
    switch (id) {
    case TextId::AppName:
        return "Vellora";
    case TextId::RegistryCompany:
        return "Morvath";
    case TextId::ContentsFile:
        return "%1:/AAREADME.TXT";
    case TextId::NoContentsFile:
        return "*** No contents description file present ***";
    case TextId::NotPdsCompliant:
        return "Volume is not PDS compliant and may not contain PDS labeled data.";
    case TextId::ContentsCut:
        return "*** The rest of the file is not shown: it is longer than 100,000 lines or 4 MB ***";
    case TextId::FolderTooDeep:
        return "A folder lies deeper than the longest path the system allows: its subfolders are not shown.";
    case TextId::ExploringDrive:
        return "If you continue you will be exploring drive %1:";

    case TextId::AboutBox:
        return "&About Vellora...";
    case TextId::PropertySheetCaption:
        return "Property Sheet";
    case TextId::Scanning:
        return "Scanning system";

    case TextId::UpDirTip:
        return "Up one folder";
    case TextId::ListViewTip:
        return "List view";
    case TextId::DetailsViewTip:
        return "Details view";
    case TextId::HelpPageName:
        return "vellora.html";
    case TextId::HelpPageMissing:
        return "The help page vellora.html could not be found.";
    case TextId::ScanningForDrives:
        return "Scanning system for drives.";
    case TextId::ItemHasNoChildren:
        return "Irregular error. Item has no children.";
    case TextId::ColumnFileName:
        return "File name";
    case TextId::ColumnContentType:
        return "ContentType";
    case TextId::ColumnSize:
        return "Size";
    case TextId::FolderContentType:
        return "Folder";

    case TextId::InvalidHelperCall:
        return "Invalid call to CHelperEntry()";
    case TextId::SystemViewerName:
        return "System viewer for: %1";

    case TextId::UnableToOpenFile:
        return "Unable to open file: %1";

    case TextId::UnableToStartHelper:
        return "Unable to start helper for \"%1\" type content.\nReason: %2";
    case TextId::ReasonFileNotFound:
        return "File not found.";
    case TextId::ReasonAccessDenied:
        return "Access denied.";
    case TextId::ReasonSystemError:
        return "System error #%1 occured.";

    case TextId::UnableToRunApplication:
        return "Unable to run application.";
    case TextId::NoContentTypeForFile:
        return "Unable to determine PDS content type\nfor file: %1\nFile may not be a PDS label.";
    case TextId::NoHelperDefined:
        return "No helper application defined for files of the type: %1\n"
               "Would you like to pick an application to view the file with?";
    case TextId::ExecutablesFilter:
        return "Executables (*.exe, *.com, *.bat)|*.exe;*.com;*.bat|All Files (*.*)|*.*||";
    case TextId::MissingHelper:
        return "%1\n\nThe name of the missing helper is: %2";
    case TextId::DidNotFindHelper:
        return "Did not find helper '%1'\nAlong path: %2\nContent type: %3\n\nUnable to do anything else.";
    case TextId::OnceAgainUnable:
        return "Once again unable to run the helper application.\nReason: %1";
    case TextId::PreparingFindHelper:
        return "Helper application not found. Preparing dialog.\nScanning system for drives.";
    case TextId::TestingForDrive:
        return "Testing for drive %1";
    case TextId::ScanningFolder:
        return "Scanning: %1";

    case TextId::DefaultHelpersQuestion:
        return "This will delete all current entries and\nreplace them with the default list of helpers.";
    case TextId::HelperNoMemory:
        return "Unable to obtain enough memory to\ncomplete the task.";
    case TextId::HelperIncomplete:
        return "A Helper entry must have a \"%1\" defined\nin order to be complete.";
    case TextId::HelperFieldName:
        return "Name";
    case TextId::HelperFieldContentType:
        return "Content Type";
    case TextId::HelperFieldApplication:
        return "Application";
    case TextId::HelperFieldDescription:
        return "Description";
    case TextId::HelperProgramFilter:
        return "Executable files (*.exe, *.com, *.bat)|*.exe;*.com;*.bat|All files (*.*)|*.*||";

    case TextId::CommandLineUsage:
        return "Usage: vellora [FOLDER]\n"
               "       vellora --choose [FOLDER]\n"
               "       vellora -- FOLDER\n"
               "       vellora --help | --version\n"
               "Browses the PDS volume in FOLDER, or in the current folder when no folder is given.\n"
               "\n"
               "  --choose   without a FOLDER, first asks for the volume's folder in the desktop's folder dialog\n"
               "  --         ends the options: the next argument is the FOLDER, even one beginning with \"-\"\n"
               "  --help     prints this text\n"
               "  --version  prints the version\n";
    case TextId::CommandLineVersion:
        return "vellora 1.0\n";
    case TextId::UnknownOption:
        return "vellora: \"%1\" is not an option; \"vellora --help\" shows the usage.";
    case TextId::OneFolderOnly:
        return "vellora: only one folder can be given, so \"%1\" is one too many.";
    case TextId::NoSuchFolder:
        return "vellora: the folder \"%1\" does not exist.";
    case TextId::NotAFolder:
        return "vellora: \"%1\" is not a folder.";
    case TextId::CannotEnterFolder:
        return "vellora: the folder \"%1\" cannot be opened: %2.";
    case TextId::ChooseVolumeTitle:
        return "Vellora - Choose the Folder of a PDS Volume";
    case TextId::Count:
        break;
    }
    return "";
}

}  // namespace

QString Decode(const char* text) { return QString::fromUtf8(text); }

QString Text(TextId id) { return Decode(Utf8Text(id)); }

QString Text(TextId id, const QString& a1) { return Text(id).arg(a1); }

QString Text(TextId id, const QString& a1, const QString& a2) { return Text(id).arg(a1, a2); }

QString Text(TextId id, const QString& a1, const QString& a2, const QString& a3)
{
    return Text(id).arg(a1, a2, a3);
}

QString LoadString(unsigned id)
{
    switch (id) {
    case IDS_ABOUTBOX:
        return Text(TextId::AboutBox);
    case IDS_PROPSHT_CAPTION:
        return Text(TextId::PropertySheetCaption);
    case IDS_SCANNING:
        return Text(TextId::Scanning);
    default:
        return {};
    }
}

}  // namespace res
