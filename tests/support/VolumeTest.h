#pragma once
// A test over a temporary volume, the one set-up the tests of drives,
// listings, labels and windows share: a drive table of its own with C: =
// "/" and D: = the volume, the program started in the volume's root, an
// application object named "Vellora" (message boxes take their caption
// from it) and a folder of its own as the program folder. The working
// directory is put back afterwards. It needs no window.

#include "platform/CWinApp.h"
#include "support/ScopedDrives.h"
#include "support/TempDir.h"

#include <QDir>
#include <gtest/gtest.h>

class VolumeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedCwd = QDir::currentPath();
        drives.SetDrive(3, QStringLiteral("/"));
        drives.SetDrive(4, volume.path());
        QDir::setCurrent(volume.path());
        app.m_pszAppName = QStringLiteral("Vellora");
    }
    void TearDown() override { QDir::setCurrent(m_savedCwd); }

    ScopedDrives drives;
    CWinApp app;
    TempDir volume;
    TempDir programDir;
    QString m_savedCwd;
};
