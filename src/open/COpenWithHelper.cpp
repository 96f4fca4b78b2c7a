#include "open/COpenWithHelper.h"

#include "app/CProgressDlg.h"
#include "browser/CBrowserDlg.h"
#include "browser/CFileItem.h"
#include "label/LabelReader.h"
#include "open/CFindHelperDlg.h"
#include "open/CViewerChoiceDlg.h"
#include "open/LaunchHelper.h"
#include "platform/ModalRunner.h"
#include "platform/Process.h"
#include "platform/WinTypes.h"
#include "res/StringTable.h"

#include <algorithm>

namespace {

bool SameText(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) == 0; }

}  // namespace

QString COpenWithHelper::ExtensionOf(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.mid(dot);
}

CHelperRefList COpenWithHelper::CollectCandidates(const CHelperList& helpers, const CHelperList& systemViewers,
                                                  const QString& contentType, const QString& extension)
{
    CHelperRefList candidates;
    if (!contentType.isEmpty()) {
        auto byType = std::find_if(helpers.begin(), helpers.end(),
                                   [&](const auto& entry) { return SameText(entry->m_strContentType, contentType); });
        if (byType == helpers.end()) {
            byType = std::find_if(helpers.begin(), helpers.end(),
                                  [](const auto& entry) { return entry->m_strContentType == u'*'; });
        }
        if (byType != helpers.end())
            candidates.push_back(byType->get());
    }
    for (const auto& entry : helpers) {
        if (SameText(entry->m_strExtension, extension) &&
            std::find(candidates.begin(), candidates.end(), entry.get()) == candidates.end())
            candidates.push_back(entry.get());
    }
    const auto viewer = std::find_if(systemViewers.begin(), systemViewers.end(),
                                     [&](const auto& entry) { return SameText(entry->m_strExtension, extension); });
    if (viewer != systemViewers.end())
        candidates.push_back(viewer->get());
    return candidates;
}

void COpenWithHelper::SplitMissingHelper(const QString& application, QString& name, QString& arguments)
{
    QString program;
    arguments.clear();
    if (application.startsWith(u'"')) {
        const qsizetype close = application.indexOf(u'"', 1);
        program = close < 0 ? application.mid(1) : application.mid(1, close - 1);
        if (close >= 0)
            arguments = application.mid(close + 1);
    } else {
        program = application.mid(application.lastIndexOf(u'\\') + 1);
        const qsizetype blank = program.indexOf(u' ');
        if (blank >= 0) {
            arguments = program.mid(blank);
            program.truncate(blank);
        }
    }
    const qsizetype cut = std::max(program.lastIndexOf(u'\\'), program.lastIndexOf(u'/'));
    name = program.mid(cut + 1);
}

void COpenWithHelper::Open(const CFileItem& item)
{
    if (item.m_nType == CFileItem::Folder) {
        m_browser.OpenSubfolder(item);
        return;
    }
    const QString path = item.m_strPath;
    const QString extension = ExtensionOf(item.m_strName);
    if (item.m_nType == CFileItem::Program) {
        RunProgram(path);
        return;
    }
    QString contentType;
    if (item.m_nType == CFileItem::Label) {
        contentType = GetLabelContentType(path);
        if (contentType.isEmpty()) {
            AfxMessageBox(res::Text(res::TextId::NoContentTypeForFile, path), MessageButtons::Ok);
            return;
        }
    }

    const CHelperRefList candidates =
        CollectCandidates(m_browser.m_helperList, m_browser.m_systemViewerList, contentType, extension);
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
    Launch(contentType.isEmpty() ? extension : contentType, application, note, path);
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
    CViewerChoiceDlg choice(&m_browser);
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
    request.parent = &m_browser;
    CModalRunner* runner = CModalRunner::Current();
    if (!runner || !runner->GetOpenFileName(request) || request.chosenPath.isEmpty())
        return false;
    application = u'"' + request.chosenPath + u'"';
    // The picked program serves this extension from now on.
    m_browser.m_helperList.push_back(
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
    progress.Create(&m_browser);
    QString found;
    if (!m_browser.SearchForFile(find.m_strStartPath, name, found, &progress)) {
        AfxMessageBox(res::Text(res::TextId::DidNotFindHelper, name, find.m_strStartPath, typeName),
                      MessageButtons::Ok);
        return;
    }

    // A found path with a blank goes in quotes, so that it names the
    // program as a whole when it is started.
    const QString program = found.contains(u' ') ? u'"' + found + u'"' : found;
    const auto owner = std::find_if(m_browser.m_helperList.begin(), m_browser.m_helperList.end(),
                                    [&](const auto& entry) { return SameText(entry->m_strContentType, typeName); });
    if (owner != m_browser.m_helperList.end())
        (*owner)->m_strApplication = program;
    const QString again = LaunchHelper(typeName, program + arguments, path);
    if (!again.isEmpty())
        AfxMessageBox(res::Text(res::TextId::OnceAgainUnable, again), MessageButtons::Ok);
}
