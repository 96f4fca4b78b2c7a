#include "open/COpenWithHelper.h"

#include "label/LabelReader.h"
#include "open/HelperCandidates.h"
#include "open/LaunchHelper.h"
#include "open/OpenContext.h"
#include "open/OpenPrompts.h"
#include "open/SearchForFile.h"
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
        const std::optional<QString> read = ReadLabelContentType(file);
        if (!read)
            m_prompts.Message(res::Text(res::TextId::UnableToOpenFile, path), {MessageButtons::Ok});
        contentType = read.value_or(QString());
        if (contentType.isEmpty()) {
            m_prompts.Message(res::Text(res::TextId::NoContentTypeForFile, path), {MessageButtons::Ok});
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
        const CHelperEntry* chosen = candidates.size() == 1 ? candidates.front() : m_prompts.ChooseViewer(candidates);
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
        m_prompts.Message(res::Text(res::TextId::UnableToRunApplication), {MessageButtons::Ok});
}

bool COpenWithHelper::PickProgram(const QString& extension, QString& application)
{
    if (m_prompts.Message(res::Text(res::TextId::NoHelperDefined, extension), {MessageButtons::YesNo}) != IDYES)
        return false;
    const QString chosen = m_prompts.PickProgram(res::Text(res::TextId::ExecutablesFilter));
    if (chosen.isEmpty())
        return false;
    application = u'"' + chosen + u'"';
    // The picked program serves this extension from now on.
    m_context.Session().m_helperList.push_back(
        std::make_unique<CHelperEntry>(extension, application, extension, extension, extension, QString()));
    return true;
}

void COpenWithHelper::Launch(const QString& typeName, const QString& application, const QString& note,
                             const QString& path)
{
    if (!note.isEmpty())
        m_prompts.Message(QString(note).replace(u'|', u'\n'), {MessageButtons::Ok});
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

    const std::optional<QString> start = m_prompts.WhereToSearch(res::Text(res::TextId::MissingHelper, error, name));
    if (!start)
        return;

    // The progress stays up, the window behind it disabled, until the flow
    // has ended with its last box.
    ProgressSink& progress = m_prompts.ShowProgress();
    QString found;
    if (SearchForFile(*start, name, found, &progress)) {
        // A found path with a blank goes in quotes, so that it names the
        // program as a whole when it is started.
        const QString program = found.contains(u' ') ? u'"' + found + u'"' : found;
        if (CHelperEntry* owner = HelperOfContentType(m_context.Session().m_helperList, typeName))
            owner->m_strApplication = program;
        const QString again = LaunchHelper(typeName, program + arguments, path);
        if (!again.isEmpty())
            m_prompts.Message(res::Text(res::TextId::OnceAgainUnable, again), {MessageButtons::Ok});
    } else {
        m_prompts.Message(res::Text(res::TextId::DidNotFindHelper, name, *start, typeName), {MessageButtons::Ok});
    }
    m_prompts.CloseProgress();
}
