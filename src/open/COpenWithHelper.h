#pragma once
// What a double-click on a file of the browser's list does: a folder is
// entered, a program is run, and any other file is opened with a helper
// chosen by the label's content type or the file's extension. With no
// helper the user may pick a program, which then serves the extension for
// the rest of the run; a helper that cannot be started may be searched for
// on the drives, and a found program is written back and started again.

#include "helpers/CHelperEntry.h"

#include <QString>

class CFileItem;
class OpenContext;

class COpenWithHelper {
public:
    // Works on the context's helper list (which it may change) and system
    // viewer list; its dialogs and boxes are modal above the context's
    // window.
    explicit COpenWithHelper(OpenContext& context) : m_context(context) {}

    // Runs the whole flow for one listed file; every way ends here.
    void Open(const CFileItem& item);

private:
    void RunProgram(const QString& path);
    CHelperEntry* Choose(const CHelperRefList& candidates);
    bool PickProgram(const QString& extension, QString& application);
    void Launch(const QString& typeName, const QString& application, const QString& note, const QString& path);
    void FindMissingHelper(const QString& typeName, const QString& application, const QString& error,
                           const QString& path);

    OpenContext& m_context;
};
