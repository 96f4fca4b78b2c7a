#include "open/COpenWithHelper.h"

#include "app/CProgressDlg.h"
#include "label/LabelReader.h"
#include "open/CFindHelperDlg.h"
#include "open/CViewerChoiceDlg.h"
#include "open/HelperCandidates.h"
#include "open/LaunchHelper.h"
#include "open/OpenContext.h"
#include "open/SearchForFile.h"
#include "platform/ModalRunner.h"
#include "platform/Process.h"
#include "platform/WinTypes.h"
#include "res/StringTable.h"
#include "session/BrowserSession.h"
#include "volume/CFileItem.h"

void COpenWithHelper::Open(const CFileItem& item)
{
    if (item.m_nType == CFileItem::Folder) {
        m_context.OpenSubfolder(item);
        return;
    }
    // The path shown in messages, and the one that names the very entry
    // on disk (they differ in case only).
    const QString path = item.m_strPath;
    const QString file = item.DiskPath();
    const QString extension = ExtensionOf(item.m_strName);
    if (item.m_nType == CFileItem::Program) {
        RunProgram(file);
        return;
    }
    QString contentType;
    if (item.m_nType == CFileItem::Label) {
        contentType = GetLabelContentType(file, path);
        if (contentType.isEmpty()) {
            AfxMessageBox(res::Text(res::TextId::NoContentTypeForFile, path), MessageButtons::Ok);
            return;
        }
    }

    const CHelperRefList candidates =
        CollectCandidates(m_context.Session().m_helperList, m_context.Session().m_systemViewerList, contentType,
                          extension);
    QString application;
    QString note;
    if (candidates.empty()) {
        if (!PickProgram(extension, application))
            return;
    } else {
        const CHelperEntry* chosen = candidates.size() == 1 ? candidates.front() : Choose(candidates);
        if (!chosen)
            return;
        application = chosen->m_strApplication;
        note = chosen->m_strMessage;
    }
    Launch(contentType.isEmpty() ? extension : contentType, application, note, file);
}

void COpenWithHelper::RunProgram(const QString& path)
{
    // The path alone makes the command line; quoted, so that a folder or
    // file name with a blank still names the one program.
    if (platform::WinExec(u'"' + path + u'"', SW_SHOW) < 32)
        AfxMessageBox(res::Text(res::TextId::UnableToRunApplication), MessageButtons::Ok);
}

CHelperEntry* COpenWithHelper::Choose(const CHelperRefList& candidates)
{
    CViewerChoiceDlg choice(m_context.Window());
    choice.SetViewerList(&candidates);
    if (choice.DoModal() != IDOK)
        return nullptr;
    return choice.GetSelectedViewer();
}

bool COpenWithHelper::PickProgram(const QString& extension, QString& application)
{
    if (AfxMessageBox(res::Text(res::TextId::NoHelperDefined, extension), MessageButtons::YesNo) != IDYES)
        return false;
    FileDialogRequest request;
    request.filter = res::Text(res::TextId::ExecutablesFilter);
    request.parent = m_context.Window();
    CModalRunner* runner = CModalRunner::Current();
    if (!runner || !runner->GetOpenFileName(request) || request.chosenPath.isEmpty())
        return false;
    application = u'"' + request.chosenPath + u'"';
    // The picked program serves this extension from now on.
    m_context.Session().m_helperList.push_back(
        std::make_unique<CHelperEntry>(extension, application, extension, extension, extension, QString()));
    return true;
}

void COpenWithHelper::Launch(const QString& typeName, const QString& application, const QString& note,
                             const QString& path)
{
    if (!note.isEmpty())
        AfxMessageBox(QString(note).replace(u'|', u'\n'), MessageButtons::Ok);
    if (application.isEmpty())
        return;
    const QString error = LaunchHelper(typeName, application, path);
    if (!error.isEmpty())
        FindMissingHelper(typeName, application, error, path);
}

void COpenWithHelper::FindMissingHelper(const QString& typeName, const QString& application, const QString& error,
                                        const QString& path)
{
    QString name;
    QString arguments;
    SplitMissingHelper(application, name, arguments);

    CFindHelperDlg find;
    find.m_strMessage = res::Text(res::TextId::MissingHelper, error, name);
    if (find.DoModal() != IDOK)
        return;

    // The progress window stays up, the browser disabled, until the flow
    // has ended with its last box.
    CProgressDlg progress(0);
    progress.Create(m_context.Window());
    QString found;
    if (!SearchForFile(find.m_strStartPath, name, found, &progress)) {
        AfxMessageBox(res::Text(res::TextId::DidNotFindHelper, name, find.m_strStartPath, typeName),
                      MessageButtons::Ok);
        return;
    }

    // A found path with a blank goes in quotes, so that it names the
    // program as a whole when it is started.
    const QString program = found.contains(u' ') ? u'"' + found + u'"' : found;
    if (CHelperEntry* owner = HelperOfContentType(m_context.Session().m_helperList, typeName))
        owner->m_strApplication = program;
    const QString again = LaunchHelper(typeName, program + arguments, path);
    if (!again.isEmpty())
        AfxMessageBox(res::Text(res::TextId::OnceAgainUnable, again), MessageButtons::Ok);
}
