#pragma once
// Every question the open flow asks the user, and the progress it shows
// while it searches for a missing helper. The flow makes each text; the
// one answering only shows it and returns what the user chose. The browser
// window answers with its dialogs and boxes, tests from a script.

#include "helpers/CHelperEntry.h"
#include "platform/ModalRunner.h"

#include <QString>

#include <optional>

class ProgressSink;

class OpenPrompts {
public:
    // Which of several helpers opens the file; null when none was chosen.
    virtual CHelperEntry* ChooseViewer(const CHelperRefList& candidates) = 0;
    // A program picked in the open-file dialog showing filter; empty when
    // none was.
    virtual QString PickProgram(const QString& filter) = 0;
    // Where to search for a missing helper, asked with message: a drive
    // path ("D:/Software"; empty for the current drive's root); nothing when
    // the user declined the search.
    virtual std::optional<QString> WhereToSearch(const QString& message) = 0;
    // A message box; returns the button pressed (IDOK, IDCANCEL, IDYES, IDNO).
    virtual int Message(const QString& text, MessageBoxKind kind) = 0;
    // Shows the progress the search reports to; it stays up, with the
    // window behind it disabled, until CloseProgress.
    virtual ProgressSink& ShowProgress() = 0;
    virtual void CloseProgress() = 0;

protected:
    ~OpenPrompts() = default;
};
