#include "open/HelperCandidates.h"

#include <algorithm>

namespace {

bool SameText(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) == 0; }

}  // namespace

QString ExtensionOf(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.mid(dot);
}

CHelperRefList CollectCandidates(const CHelperList& helpers, const CHelperList& systemViewers,
                                 const QString& contentType, const QString& extension)
{
    CHelperRefList candidates;
    if (!contentType.isEmpty()) {
        CHelperEntry* byType = HelperOfContentType(helpers, contentType);
        if (!byType)
            byType = HelperOfContentType(helpers, QStringLiteral("*"));
        if (byType)
            candidates.push_back(byType);
    }
    for (const auto& entry : helpers) {
        if (SameText(entry->m_strExtension, extension) &&
            std::find(candidates.begin(), candidates.end(), entry.get()) == candidates.end())
            candidates.push_back(entry.get());
    }
    const auto viewer = std::find_if(systemViewers.begin(), systemViewers.end(),
                                     [&](const auto& entry) { return SameText(entry->m_strExtension, extension); });
    if (viewer != systemViewers.end())
        candidates.push_back(viewer->get());
    return candidates;
}

CHelperEntry* HelperOfContentType(const CHelperList& helpers, const QString& typeName)
{
    const auto owner = std::find_if(helpers.begin(), helpers.end(),
                                    [&](const auto& entry) { return SameText(entry->m_strContentType, typeName); });
    return owner != helpers.end() ? owner->get() : nullptr;
}
