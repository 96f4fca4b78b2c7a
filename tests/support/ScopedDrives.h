#pragma once
// A drive table of a test's own, installed for as long as it lives, with
// the table that was installed before put back afterwards.

#include "platform/DriveTable.h"

class ScopedDrives : public DriveTable {
public:
    ScopedDrives() : m_previous(Install(this)) {}
    ~ScopedDrives() { Install(m_previous); }
    ScopedDrives(const ScopedDrives&) = delete;
    ScopedDrives& operator=(const ScopedDrives&) = delete;

private:
    DriveTable* m_previous;
};
