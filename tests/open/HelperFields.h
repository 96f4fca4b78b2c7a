#pragma once
// A helper list's entries as the Helpers page shows their fields, to
// compare a list before and after a flow.

#include "helpers/CHelperEntry.h"

#include <vector>

struct Fields {
    QString contentType, application, description, extension, name, message;
    bool operator==(const Fields&) const = default;
};

inline Fields FieldsOf(const CHelperEntry& e)
{
    return {e.m_strContentType, e.m_strApplication, e.m_strDescription, e.m_strExtension, e.m_strName, e.m_strMessage};
}

inline std::vector<Fields> Snapshot(const CHelperList& list)
{
    std::vector<Fields> fields;
    for (const auto& entry : list)
        fields.push_back(FieldsOf(*entry));
    return fields;
}
