#include "open/gui/DialogPrompts.h"

#include "app/gui/CProgressDlg.h"
#include "open/gui/CFindHelperDlg.h"
#include "open/gui/CViewerChoiceDlg.h"
#include "platform/WinTypes.h"

DialogPrompts::DialogPrompts(QWidget* window) : m_window(window) {}

DialogPrompts::~DialogPrompts() = default;

CHelperEntry* DialogPrompts::ChooseViewer(const CHelperRefList& candidates)
{
    CViewerChoiceDlg choice(m_window);
    choice.SetViewerList(&candidates);
    if (choice.DoModal() != IDOK)
        return nullptr;
    return choice.GetSelectedViewer();
}

QString DialogPrompts::PickProgram(const QString& filter)
{
    FileDialogRequest request;
    request.filter = filter;
    request.parent = m_window;
    CModalRunner* runner = CModalRunner::Current();
    if (!runner || !runner->GetOpenFileName(request))
        return {};
    return request.chosenPath;
}

std::optional<QString> DialogPrompts::WhereToSearch(const QString& message)
{
    CFindHelperDlg find;
    find.m_strMessage = message;
    if (find.DoModal() != IDOK)
        return std::nullopt;
    return find.m_strStartPath;
}

int DialogPrompts::Message(const QString& text, MessageBoxKind kind)
{
    return AfxMessageBox(text, kind.buttons, kind.icon);
}

ProgressSink& DialogPrompts::ShowProgress()
{
    m_progress = std::make_unique<CProgressDlg>(0);
    m_progress->Create(m_window);
    return *m_progress;
}

void DialogPrompts::CloseProgress() { m_progress.reset(); }
