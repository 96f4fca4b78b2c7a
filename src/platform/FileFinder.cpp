#include "platform/FileFinder.h"

#include "platform/DriveTable.h"
#include "platform/FileStatus.h"
#include "platform/HostNames.h"
#include "platform/WinTypes.h"

#include <algorithm>
#include <cerrno>

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

struct FileFinder::Dir {
    DIR* handle = nullptr;
    ~Dir()
    {
        if (handle)
            closedir(handle);
    }
};

namespace {

// Attribute word and size of one entry of an open folder. A plain folder is
// exactly 0x10; a link to a folder also carries 0x400, so nothing that
// tests for a plain folder ever descends through a link.
void Describe(int dirFd, const char* name, FindEntry& entry)
{
    struct stat st {};
    entry.attributes = FILE_ATTRIBUTE_ARCHIVE;
    entry.size = 0;
    if (fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return;
    std::uint32_t link = 0;
    if (S_ISLNK(st.st_mode)) {
        link = FILE_ATTRIBUTE_REPARSE_POINT;
        entry.attributes |= link;  // a link whose target is gone is a file
        if (fstatat(dirFd, name, &st, 0) != 0)
            return;
    }
    const FileStatus status = platform::StatusOf(st);
    entry.attributes = status.attributes | link;
    entry.size = status.size;
}

// The same from the kind the listing gives (d_type), where that settles
// it: a plain folder is exactly 0x10 without asking further; without
// details, any other entry that is not a link is just a file (0x20, size 0).
// Links, and file systems that give no kind, are described in full.
void DescribeListed(int dirFd, const dirent& listed, bool details, FindEntry& entry)
{
    switch (listed.d_type) {
    case DT_DIR:
        entry.attributes = FILE_ATTRIBUTE_DIRECTORY;
        entry.size = 0;
        return;
    case DT_REG:
    case DT_FIFO:
    case DT_CHR:
    case DT_BLK:
    case DT_SOCK:
        if (!details) {
            entry.attributes = FILE_ATTRIBUTE_ARCHIVE;
            entry.size = 0;
            return;
        }
        break;
    default:
        break;
    }
    Describe(dirFd, listed.d_name, entry);
}

bool MatchFrom(const QString& mask, qsizetype m, const QString& name, qsizetype n)
{
    // Iterative wildcard match with one backtrack point for the last "*".
    qsizetype starMask = -1;
    qsizetype starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == u'*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() &&
                   (mask[m] == u'?' || mask[m].toCaseFolded() == name[n].toCaseFolded())) {
            ++m;
            ++n;
        } else if (starMask >= 0) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == u'*')
        ++m;
    return m == mask.size();
}

// Opens the plain folder name inside the open folder parentFd. A search
// keeps one listing open per level of a deep tree; when the soft limit on
// open files is reached it is raised to the hard limit (the low soft
// default only protects programs that use select()) and the open retried.
int OpenSubfolder(int parentFd, const char* name)
{
    constexpr int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    int fd = openat(parentFd, name, flags);
    if (fd < 0 && errno == EMFILE) {
        struct rlimit limit {};
        if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
            limit.rlim_cur = limit.rlim_max;
            if (setrlimit(RLIMIT_NOFILE, &limit) == 0)
                fd = openat(parentFd, name, flags);
        }
    }
    return fd;
}

}  // namespace

FileFinder::FileFinder() = default;
FileFinder::~FileFinder() = default;

bool FileFinder::MatchMask(const QString& mask, const QString& name)
{
    if (MatchFrom(mask, 0, name, 0))
        return true;
    // "*.*" and other masks ending in ".*" also take names without a dot.
    if (mask.endsWith(QLatin1String(".*")) && !name.contains(u'.'))
        return MatchFrom(mask.chopped(2), 0, name, 0);
    return false;
}

bool FileFinder::FindFirst(const QString& pattern)
{
    Close();
    m_bPathTooLong = false;
    const qsizetype cut = std::max(pattern.lastIndexOf(u'/'), pattern.lastIndexOf(u'\\'));
    QString folder;
    if (cut > 0)
        folder = pattern.left(cut);
    else if (cut == 0)
        folder = pattern.left(1);  // "\*": the root of the current drive
    m_mask = pattern.mid(cut + 1);
    if (m_mask.isEmpty())
        return false;

    QString host = folder.isEmpty() ? QStringLiteral(".") : platform::HostPath(folder);
    if (host.isEmpty())
        return false;
    const int fd = open(platform::ToHostName(host).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        m_bPathTooLong = errno == ENAMETOOLONG;
        return false;
    }
    return StartListing(fd);
}

bool FileFinder::FindFirstIn(const FileFinder& parent, const QString& mask)
{
    Close();
    m_mask = mask;
    if (m_mask.isEmpty() || !parent.m_dir || !parent.m_rawName)
        return false;
    const int fd = OpenSubfolder(dirfd(parent.m_dir->handle), parent.m_rawName);
    if (fd < 0)
        return false;
    return StartListing(fd);
}

bool FileFinder::StartListing(int folderFd)
{
    auto dir = std::make_unique<Dir>();
    dir->handle = fdopendir(folderFd);
    if (!dir->handle) {
        close(folderFd);
        return false;
    }
    m_dir = std::move(dir);
    return FindNext();
}

bool FileFinder::FindNext()
{
    if (!m_dir)
        return false;
    if (Advance())
        return true;
    Close();
    return false;
}

bool FileFinder::Advance()
{
    while (const dirent* raw = readdir(m_dir->handle)) {
        const char* bytes = raw->d_name;
        if (bytes[0] == '.' && (bytes[1] == '\0' || (bytes[1] == '.' && bytes[2] == '\0')))
            continue;
        QString name = platform::FromHostName(QByteArray(bytes));
        if (m_mask != u'*' && !MatchMask(m_mask, name))
            continue;
        m_entry.name = std::move(name);
        m_rawName = bytes;
        DescribeListed(dirfd(m_dir->handle), *raw, m_bDetails, m_entry);
        return true;
    }
    return false;
}

void FileFinder::Close()
{
    m_dir.reset();
    m_rawName = nullptr;
}
