#pragma once
// What the open flow needs of the window it runs in: the session whose
// helper list it may change and whose system viewers it offers, and a way
// into a subfolder the window lists.

class BrowserSession;
class CFileItem;

class OpenContext {
public:
    virtual BrowserSession& Session() = 0;
    // Enters a folder of the current folder's list (its record as listed).
    virtual void OpenSubfolder(const CFileItem& folder) = 0;

protected:
    ~OpenContext() = default;
};
