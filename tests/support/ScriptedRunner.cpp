#include "support/ScriptedRunner.h"

#include "platform/WinTypes.h"

#include <gtest/gtest.h>

ScriptedRunner::ScriptedRunner() { m_previous = CModalRunner::Install(this); }

ScriptedRunner::~ScriptedRunner()
{
    CModalRunner::Install(m_previous);
    EXPECT_TRUE(m_steps.empty()) << m_steps.size() << " expected modal(s) never shown";
}

ScriptedRunner& ScriptedRunner::ExpectBox(int result)
{
    m_steps.push_back({Kind::Box, result, {}, {}, {}});
    return *this;
}

ScriptedRunner& ScriptedRunner::ExpectDialog(DialogHandler handler)
{
    m_steps.push_back({Kind::Dialog, 0, std::move(handler), {}, {}});
    return *this;
}

ScriptedRunner& ScriptedRunner::ExpectFileDialog(FileHandler handler)
{
    m_steps.push_back({Kind::File, 0, {}, std::move(handler), {}});
    return *this;
}

ScriptedRunner& ScriptedRunner::ExpectFolderDialog(FolderHandler handler)
{
    m_steps.push_back({Kind::Folder, 0, {}, {}, std::move(handler)});
    return *this;
}

int ScriptedRunner::RunDialog(CDialog& dialog)
{
    ++m_dialogs;
    if (m_steps.empty() || m_steps.front().kind != Kind::Dialog) {
        ADD_FAILURE() << "unexpected dialog";
        return IDCANCEL;
    }
    Step step = std::move(m_steps.front());
    m_steps.pop_front();
    return step.dialog(dialog);
}

int ScriptedRunner::MessageBox(const QString& text, const QString& caption, MessageBoxKind kind)
{
    m_boxes.push_back({text, caption, kind});
    if (m_steps.empty() || m_steps.front().kind != Kind::Box) {
        ADD_FAILURE() << "unexpected message box: " << text.toStdString();
        return kind.buttons == MessageButtons::YesNo ? IDNO : IDCANCEL;
    }
    const int result = m_steps.front().result;
    m_steps.pop_front();
    return result;
}

bool ScriptedRunner::GetOpenFileName(FileDialogRequest& request)
{
    if (m_steps.empty() || m_steps.front().kind != Kind::File) {
        ADD_FAILURE() << "unexpected open-file dialog";
        return false;
    }
    Step step = std::move(m_steps.front());
    m_steps.pop_front();
    return step.file(request);
}

bool ScriptedRunner::GetExistingDirectory(FolderDialogRequest& request)
{
    if (m_steps.empty() || m_steps.front().kind != Kind::Folder) {
        ADD_FAILURE() << "unexpected folder dialog";
        return false;
    }
    Step step = std::move(m_steps.front());
    m_steps.pop_front();
    return step.folder(request);
}
