// Entry point of the tests of the core library: no windows, a
// QCoreApplication in an isolated home.

#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QTemporaryDir home;
    IsolateTestEnvironment(home);
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
