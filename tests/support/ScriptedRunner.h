#pragma once
// A modal runner for tests: every modal the code under test opens must have
// been expected, in order. A message box or dialog nobody expected fails the
// test at once and is answered with Cancel (or No).

#include "platform/ModalRunner.h"

#include <QString>
#include <deque>
#include <functional>
#include <ostream>

class ScriptedRunner : public CModalRunner {
public:
    struct Box {
        QString text;
        QString caption;
        MessageBoxKind kind;
    };
    using DialogHandler = std::function<int(CDialog&)>;
    using FileHandler = std::function<bool(FileDialogRequest&)>;
    using FolderHandler = std::function<bool(FolderDialogRequest&)>;

    ScriptedRunner();   // installs itself
    ~ScriptedRunner() override;  // restores the previous runner; fails on unused expectations

    // Expects a message box; answers it with result.
    ScriptedRunner& ExpectBox(int result = 1);
    // Expects a dialog; the handler may act on it and returns its result.
    ScriptedRunner& ExpectDialog(DialogHandler handler);
    // Expects the open-file dialog.
    ScriptedRunner& ExpectFileDialog(FileHandler handler);
    // Expects the folder dialog.
    ScriptedRunner& ExpectFolderDialog(FolderHandler handler);

    // Every message box shown so far, in order.
    const std::vector<Box>& Boxes() const { return m_boxes; }
    int DialogCount() const { return m_dialogs; }

    int RunDialog(CDialog& dialog) override;
    int MessageBox(const QString& text, const QString& caption, MessageBoxKind kind) override;
    bool GetOpenFileName(FileDialogRequest& request) override;
    bool GetExistingDirectory(FolderDialogRequest& request) override;

private:
    enum class Kind { Box, Dialog, File, Folder };
    struct Step {
        Kind kind;
        int result = 0;
        DialogHandler dialog;
        FileHandler file;
        FolderHandler folder;
    };
    std::deque<Step> m_steps;
    std::vector<Box> m_boxes;
    int m_dialogs = 0;
    CModalRunner* m_previous = nullptr;
};

// Lets GoogleTest print a box kind readably in failure messages.
inline void PrintTo(const MessageBoxKind& kind, std::ostream* out)
{
    *out << "{buttons " << static_cast<int>(kind.buttons) << ", icon " << static_cast<int>(kind.icon) << '}';
}
