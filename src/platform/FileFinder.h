#pragma once
// Folder listing in the manner of FindFirstFile/FindNextFile: one folder and
// one wildcard mask, given together as a pattern such as "D:/Data\*" or
// "D:/Data\*.lbl" (the folder is everything before the last "/" or "\").
// "*" matches any run, "?" any one character, without regard to case; "*.*"
// also matches names without a dot. "." and ".." are never returned.

#include <QString>
#include <cstdint>
#include <memory>

struct FindEntry {
    QString name;              // as on disk
    std::uint32_t attributes;  // 0x10 plain folder, 0x410 link to a folder, 0x20 / 0x21 file
    std::int64_t size;         // bytes; 0 for folders
};

class FileFinder {
public:
    FileFinder();
    ~FileFinder();
    FileFinder(const FileFinder&) = delete;
    FileFinder& operator=(const FileFinder&) = delete;

    // Starts a listing; true when at least one entry matches (it is then
    // Entry()). False when the folder cannot be read or nothing matches.
    bool FindFirst(const QString& pattern);
    // Starts a listing of the folder that parent's current entry names,
    // opened relative to parent's open listing: no path translation, no
    // limit on the length of the path, and never through a link (the entry
    // must still be a plain folder when it is opened). mask as in
    // FindFirst. False when the folder cannot be opened or nothing matches.
    bool FindFirstIn(const FileFinder& parent, const QString& mask);
    // Moves to the next matching entry; false at the end.
    bool FindNext();
    const FindEntry& Entry() const { return m_entry; }
    void Close();
    // Whether the last FindFirst failed because the folder's path is
    // longer than the system takes.
    bool PathTooLong() const { return m_bPathTooLong; }

    // With details off, listings started afterwards give files (anything
    // but folders and links) the attribute word 0x20 and size 0 without
    // reading their status: for walks that only tell folders from files.
    void SetDetails(bool details) { m_bDetails = details; }

    // Wildcard match of the finder's rules, exposed for reuse.
    static bool MatchMask(const QString& mask, const QString& name);

private:
    bool Advance();
    bool StartListing(int folderFd);
    struct Dir;
    std::unique_ptr<Dir> m_dir;
    QString m_mask;
    FindEntry m_entry{};
    const char* m_rawName = nullptr;  // the current entry's name on disk, valid until the next step
    bool m_bDetails = true;
    bool m_bPathTooLong = false;
};
