#pragma once
// Drive letters on Linux. C: is "/", D: is the folder the program was
// started in (the volume), E: onwards are other mounted media. Paths in the
// program keep the drive form ("D:/Data/Img001.lbl", "D:\SOFTWARE\x.exe",
// bare "D:"); ToHostPath is the one translation to host paths.
//
// The table stands for the operating system's drives, so the program has
// exactly one in use: the one installed with Install (by main, or by a
// test), reached through Current and the platform:: short forms below.

#include "platform/Installed.h"
#include "platform/NameCache.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class DriveTable : public Installed<DriveTable> {
public:
    static constexpr int kDriveCount = 26;  // 1 = A ... 26 = Z

    // C: = "/", D: = startDir (unless it is "/"), E: ... = mount points
    // under /media, /run/media and /mnt in mount-table order.
    void InitFromStartDir(const QString& startDir);

    void Clear();
    // hostFolder must be an absolute host path; an empty one removes it.
    void SetDrive(int drive, const QString& hostFolder);
    // Host folder of a drive (1..26), empty when there is no such drive.
    QString Folder(int drive) const;

    // The drive whose folder is the longest prefix of the current
    // directory; 0 when none is.
    int GetDrive() const;
    // Makes a drive's root the current directory: 0 on success, -1 when the
    // drive does not exist or its folder cannot be entered.
    int ChDrive(int drive) const;
    // Changes the current directory to a drive path, bare drive name or host
    // path; "\" or "/" alone is the root of the current drive. 0 or -1.
    int ChDir(const QString& path) const;

    // Drive path -> host path. "D:" and "D:\" give the drive's folder; each
    // further component is matched against the folder's entries without
    // regard to case (an exact match wins); components that match nothing
    // are kept as written. "/" and "\" both separate. A path without a drive
    // letter that starts with "/" is a host path already; any other path
    // without a drive letter is relative to the current drive's root when it
    // starts with "\", else relative to the current directory.
    // Returns an empty string for a drive letter that has no drive.
    QString ToHostPath(const QString& path) const;

private:
    int DriveOfHostPath(const QString& hostPath) const;
    int EnterHostFolder(const QString& hostFolder) const;

    std::array<QString, kDriveCount + 1> m_folders;  // index 0 unused
    // The current directory each drive had when the program last left it.
    mutable std::array<QString, kDriveCount + 1> m_currentDirs;
    mutable NameCache m_names;

    // Translations of deep folder paths, so that reading a tree level by
    // level translates each new level from its parent's result instead of
    // matching every component again (which grows with the depth at every
    // level). An entry names the components it matched without regard to
    // case; it is used only while the host folder exists and each of those
    // still matches the same entry (see NameCache), so it never gives
    // another result than matching anew would.
    struct Folded {
        QString hostDir;
        QString component;
        QString onDisk;
    };
    struct Resolved {
        QString host;
        std::vector<Folded> folded;
    };
    bool StillValid(const Resolved& resolved) const;
    static constexpr int kMinCachedDepth = 4;
    static constexpr qsizetype kMaxResolved = 4096;
    mutable QHash<QString, Resolved> m_resolved;
};

// Short forms over the installed drive table (the C runtime's
// _getdrive/_chdrive/_chdir and the file system's own path handling).
namespace platform {
int GetDrive();
int ChDrive(int drive);
int ChDir(const QString& path);
QString HostPath(const QString& path);
// Letter for a drive number: 4 -> 'D'; 0 gives the character of code 64.
inline QChar DriveLetter(int drive) { return QChar(char16_t(drive + 64)); }
// Mount points of removable and other media (under /media, /run/media and
// /mnt), in mount-table order.
QStringList MediaMountPoints();
}  // namespace platform
