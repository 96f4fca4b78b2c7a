#include "browser/CFileItemStore.h"

CFileItem* CFileItemStore::Add(const QString& name, const QString& path, int type, const QString& diskName)
{
    auto record = std::make_unique<CFileItem>(name, path, type, diskName);
    CFileItem* pointer = record.get();
    m_records.emplace(pointer, std::move(record));
    return pointer;
}

bool CFileItemStore::Free(const void* record)
{
    return record && m_records.erase(record) > 0;
}

bool CFileItemStore::Holds(const void* record) const { return record && m_records.count(record) > 0; }
