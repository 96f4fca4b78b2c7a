#include "platform/NameCache.h"

#include "platform/HostNames.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

namespace {

bool IsAscii(const QString& name)
{
    return std::ranges::all_of(name, [](QChar c) { return c.unicode() < 0x80; });
}

// Case folding that leaves the stand-ins for raw bytes (lone surrogates)
// alone, so names that are not UTF-8 still match without regard to case.
QString Fold(const QString& name)
{
    if (IsAscii(name))
        return name.toLower();
    QString folded = name;
    for (QChar& c : folded) {
        if (!c.isSurrogate())
            c = c.toCaseFolded();
    }
    return folded;
}

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

}  // namespace

QString NameCache::Match(const QString& hostDir, const QString& name)
{
    const QByteArray dirBytes = platform::ToHostName(hostDir.isEmpty() ? QStringLiteral(".") : hostDir);
    // An entry of exactly this name wins; asking for it settles that at
    // once, and always against the folder as it is now.
    struct stat entry {};
    if (lstat((dirBytes + '/' + platform::ToHostName(name)).constData(), &entry) == 0)
        return name;
    struct stat st {};
    if (stat(dirBytes.constData(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        m_dirs.remove(hostDir);
        return {};
    }

    if (m_dirs.size() > kMaxFolders && !m_dirs.contains(hostDir))
        m_dirs.clear();  // a long walk over many folders must not grow without bound
    Listing& listing = m_dirs[hostDir];
    if (listing.mtimeSec != st.st_mtim.tv_sec || listing.mtimeNsec != st.st_mtim.tv_nsec) {
        listing.byFolded.clear();
        listing.byLowered.clear();
        std::unique_ptr<DIR, DirCloser> dir(opendir(dirBytes.constData()));
        if (!dir) {
            m_dirs.remove(hostDir);
            return {};
        }
        while (const dirent* entry = readdir(dir.get())) {
            const QString entryName = platform::FromHostName(QByteArray(entry->d_name));
            if (entryName == QLatin1String(".") || entryName == QLatin1String(".."))
                continue;
            // Several names may differ in case only; the same one is picked
            // every time, whatever order the folder lists them in.
            const QString folded = Fold(entryName);
            QString& slot = listing.byFolded[folded];
            if (slot.isEmpty() || entryName < slot)
                slot = entryName;
            // Only names beyond ASCII can lower-case to something longer.
            if (IsAscii(entryName))
                continue;
            if (QString lowered = Fold(entryName.toLower()); lowered != folded) {
                QString& lowSlot = listing.byLowered[lowered];
                if (lowSlot.isEmpty() || entryName < lowSlot)
                    lowSlot = entryName;
            }
        }
        listing.mtimeSec = st.st_mtim.tv_sec;
        listing.mtimeNsec = st.st_mtim.tv_nsec;
    }

    QString found = listing.byFolded.value(Fold(name));
    if (found.isEmpty() && !listing.byLowered.isEmpty())
        found = listing.byLowered.value(Fold(name.toLower()));
    return found;
}
