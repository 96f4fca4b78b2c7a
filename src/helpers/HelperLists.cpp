#include "helpers/HelperLists.h"

#include "res/HelperStrings.h"

void AddDefaultHelpers(const QString& programDir, CHelperList& list)
{
    for (const res::DefaultHelper& row : res::kDefaultHelpers) {
        list.push_back(std::make_unique<CHelperEntry>(
            QString::fromLatin1(row.contentType), programDir + QString::fromLatin1(row.program),
            QString::fromLatin1(row.description), QString::fromLatin1(row.extension),
            QString::fromLatin1(row.name), QString()));
    }
}

void CopyHelpers(const CHelperList& source, CHelperList& destination)
{
    // Index-based so that copying a list into itself copies each entry once.
    const std::size_t count = source.size();
    for (std::size_t i = 0; i < count; ++i)
        destination.push_back(std::make_unique<CHelperEntry>(source[i].get()));
}

void DeleteHelpers(CHelperList& list)
{
    while (!list.empty())
        list.pop_back();
}
