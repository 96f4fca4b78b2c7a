#pragma once
// Owner of the CFileItem records that the folder tree and the file list
// carry as item data. The controls hold plain pointers; the store holds the
// records themselves, so a record lives until its item frees it (Free) and
// whatever is left when the store goes is freed with it.

#include "volume/CFileItem.h"

#include <cstddef>
#include <memory>
#include <unordered_map>

class CFileItemStore {
public:
    CFileItemStore() = default;
    CFileItemStore(const CFileItemStore&) = delete;
    CFileItemStore& operator=(const CFileItemStore&) = delete;

    // Makes a record and keeps it; the pointer stays valid until Free.
    CFileItem* Add(const QString& name, const QString& path, int type, const QString& diskName = QString());
    // Frees a record of this store; false (and nothing freed) for a null
    // pointer or one the store does not hold.
    bool Free(const void* record);
    // True when the store holds this record.
    bool Holds(const void* record) const;
    // Number of records alive.
    std::size_t Count() const { return m_records.size(); }
    void Clear() { m_records.clear(); }

private:
    std::unordered_map<const void*, std::unique_ptr<CFileItem>> m_records;
};
