#include "helpers/HelperLists.h"

#include "res/HelperStrings.h"
#include "res/StringTable.h"

void AddDefaultHelpers(const QString& programDir, CHelperList& list)
{
    for (const res::DefaultHelper& row : res::kDefaultHelpers) {
        list.push_back(std::make_unique<CHelperEntry>(
            res::Decode(row.contentType), programDir + res::Decode(row.program), res::Decode(row.description),
            res::Decode(row.extension), res::Decode(row.name), QString()));
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
