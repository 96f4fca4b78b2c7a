#pragma once
// The modal runner of the running program: dialogs run their own event
// loop, message boxes and the open-file and folder dialogs are Qt's (the
// desktop's own where the platform offers them).

#include "platform/ModalRunner.h"

class GuiModalRunner : public CModalRunner {
public:
    int RunDialog(CDialog& dialog) override;
    int MessageBox(const QString& text, const QString& caption, MessageBoxKind kind) override;
    bool GetOpenFileName(FileDialogRequest& request) override;
    bool GetExistingDirectory(FolderDialogRequest& request) override;

    // "Text|*.txt|All Files (*.*)|*.*||" -> "Text (*.txt);;All Files (*)".
    // A trailing parenthesised pattern list in a description is replaced by
    // the real patterns; "*.*" becomes "*", which on Linux also matches
    // names without a dot.
    static QString ConvertFilter(const QString& windowsFilter);
};
