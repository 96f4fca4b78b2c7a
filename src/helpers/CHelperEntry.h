#pragma once
// One helper: an external program that Vellora starts to show a file.

#include <QString>
#include <memory>
#include <vector>

class CHelperEntry {
public:
    CHelperEntry(const QString& contentType, const QString& application,
                 const QString& description, const QString& extension,
                 const QString& name, const QString& message);
    // Copies every field of source; a null source gives an entry whose six
    // fields all read "Invalid call to CHelperEntry()".
    explicit CHelperEntry(const CHelperEntry* source);
    virtual ~CHelperEntry() = default;

    CHelperEntry(const CHelperEntry&) = delete;
    CHelperEntry& operator=(const CHelperEntry&) = delete;

    QString m_strContentType;
    QString m_strApplication;
    QString m_strDescription;
    QString m_strExtension;
    QString m_strName;
    QString m_strMessage;
};

// An ordered list that owns its entries; an entry belongs to one list only.
using CHelperList = std::vector<std::unique_ptr<CHelperEntry>>;
// A list that only points at entries owned elsewhere.
using CHelperRefList = std::vector<CHelperEntry*>;
