#pragma once
// What the open flow needs of the window it runs in: the session whose
// helper list it may change and whose system viewers it offers, a way into
// a subfolder the window lists, and the window its dialogs, boxes and
// progress window are modal above.

class BrowserSession;
class CFileItem;
class QWidget;

class OpenContext {
public:
    virtual BrowserSession& Session() = 0;
    // Enters a folder of the current folder's list (its record as listed).
    virtual void OpenSubfolder(const CFileItem& folder) = 0;
    virtual QWidget* Window() = 0;

protected:
    ~OpenContext() = default;
};
