#pragma once
// Every modal run of the program (dialogs, message boxes, the open-file and
// folder dialogs) goes through the one modal runner. The program installs a runner
// that shows the real thing; tests install one that checks what is asked and
// answers it.

#include "platform/Installed.h"

#include <QString>
#include <QStringList>

class CDialog;
class QWidget;

// The buttons and the icon of a message box.
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageIcon { None, Exclamation };
struct MessageBoxKind {
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    bool operator==(const MessageBoxKind&) const = default;
};

// What the open-file dialog is asked to show.
struct FileDialogRequest {
    QString filter;      // Windows form: "Text|*.txt|All Files (*.*)|*.*||"
    QString title;       // empty: the platform's default
    QWidget* parent = nullptr;
    QString chosenPath;  // out: the chosen file's full host path
};

// What the folder dialog is asked to show.
struct FolderDialogRequest {
    QString title;
    QString startFolder;  // a host path; the dialog opens there
    QWidget* parent = nullptr;
    QString chosenPath;   // out: the chosen folder's full host path
};

// The installed runner (Current) is never null once the program or a test
// set one.
class CModalRunner : public Installed<CModalRunner> {
public:
    virtual ~CModalRunner() = default;
    // Runs an initialised dialog modally and returns its result.
    virtual int RunDialog(CDialog& dialog) = 0;
    // Shows a message box and returns IDOK, IDCANCEL, IDYES or IDNO.
    virtual int MessageBox(const QString& text, const QString& caption, MessageBoxKind kind) = 0;
    // Runs the open-file dialog; true on OK with request.chosenPath set.
    virtual bool GetOpenFileName(FileDialogRequest& request) = 0;
    // Runs the desktop's folder dialog; true on OK with request.chosenPath
    // set.
    virtual bool GetExistingDirectory(FolderDialogRequest& request) = 0;
};

// A message box through the modal runner; the caption is the application
// name ("Vellora").
int AfxMessageBox(const QString& text, MessageButtons buttons = MessageButtons::Ok,
                  MessageIcon icon = MessageIcon::None);
