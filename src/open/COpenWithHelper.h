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
class OpenPrompts;

class COpenWithHelper {
public:
    // Works on the context's helper list (which it may change) and system
    // viewer list; every question goes to prompts.
    COpenWithHelper(OpenContext& context, OpenPrompts& prompts) : m_context(context), m_prompts(prompts) {}

    // Runs the whole flow for one listed file; every way ends here.
    void Open(const CFileItem& item);

private:
    void RunProgram(const QString& path);
    bool PickProgram(const QString& extension, QString& application);
    void Launch(const QString& typeName, const QString& application, const QString& note, const QString& path);
    void FindMissingHelper(const QString& typeName, const QString& application, const QString& error,
                           const QString& path);

    OpenContext& m_context;
    OpenPrompts& m_prompts;
};
