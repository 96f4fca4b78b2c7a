#pragma once
// What a double-click on a file of the browser's list does: a folder is
// entered, a program is run, and any other file is opened with a helper
// chosen by the label's content type or the file's extension. With no
// helper the user may pick a program, which then serves the extension for
// the rest of the run; a helper that cannot be started may be searched for
// on the drives, and a found program is written back and started again.

#include "helpers/CHelperEntry.h"

#include <QString>

class CBrowserDlg;
class CFileItem;

class COpenWithHelper {
public:
    // Works on the browser's helper list (which it may change) and system
    // viewer list; its dialogs and boxes are modal above the browser.
    explicit COpenWithHelper(CBrowserDlg& browser) : m_browser(browser) {}

    // Runs the whole flow for one listed file; every way ends here.
    void Open(const CFileItem& item);

    // The name from its last "." to the end, dot included; the whole name
    // when it has no ".".
    static QString ExtensionOf(const QString& name);
    // The helpers that may open a file, each once, in this order: for a
    // content type, the first helper of that content type (without regard
    // to case), or else the first helper of content type "*"; then every
    // helper of the extension; then the first system viewer of the
    // extension. An empty content type skips the first rule.
    static CHelperRefList CollectCandidates(const CHelperList& helpers, const CHelperList& systemViewers,
                                            const QString& contentType, const QString& extension);
    // Splits a helper's application text into the program's file name and
    // the arguments that follow it. A quoted program is taken from inside
    // its quotes, and the arguments are what follows the closing quote.
    // Otherwise the name starts after the last "\" and ends before the
    // first blank after it, and the arguments are the rest from that blank.
    // "/" also separates folders inside the name.
    static void SplitMissingHelper(const QString& application, QString& name, QString& arguments);

private:
    void RunProgram(const QString& path);
    CHelperEntry* Choose(const CHelperRefList& candidates);
    bool PickProgram(const QString& extension, QString& application);
    void Launch(const QString& typeName, const QString& application, const QString& note, const QString& path);
    void FindMissingHelper(const QString& typeName, const QString& application, const QString& error,
                           const QString& path);

    CBrowserDlg& m_browser;
};
