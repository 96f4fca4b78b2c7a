// CRegistryKey over both registry trees.

#include "helpers/CRegistryKey.h"
#include "support/FakeXdg.h"
#include "support/QtPrinters.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

class RegistryKey : public ::testing::Test {
protected:
    FakeXdg xdg;
};

TEST_F(RegistryKey, OpenReadsOrCreatesByAccess)
{
    CRegistryKey key;
    EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, "Software\\Morvath\\Vellora", KEY_READ));  // never created by reading
    EXPECT_EQ(key.m_hKey, nullptr);
    EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, QStringLiteral(""), KEY_WRITE));         // empty name
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, "Software\\Morvath\\Vellora", KEY_WRITE));  // created
    EXPECT_TRUE(key.SetString("File Mask", "*.img"));
    EXPECT_TRUE(key.SetDword("Translate", 0));
    EXPECT_EQ(key.Close(), ERROR_SUCCESS);
    EXPECT_EQ(key.m_hKey, nullptr);
    EXPECT_EQ(key.Close(), ERROR_INVALID_HANDLE);

    // Writes through a key opened for reading fail.
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, "Software\\Morvath\\Vellora", KEY_READ));
    EXPECT_FALSE(key.SetString("File Mask", "*.txt"));
    EXPECT_EQ(key.QueryString("File Mask", "default"), "*.img");
    EXPECT_EQ(key.QueryDword("Translate", 5), 0u);

    // Relative to another object's key; an empty name opens the same key.
    CRegistryKey same;
    ASSERT_TRUE(same.Open(key, QStringLiteral(""), KEY_READ));
    EXPECT_EQ(same.QueryString("File Mask", "default"), "*.img");
    CRegistryKey child;
    EXPECT_FALSE(child.Open(key, "Child", KEY_READ));
    EXPECT_TRUE(child.Open(key, "Child", KEY_WRITE));
}

TEST_F(RegistryKey, ANullNameTakesTheHandleOver)
{
    HKEY handle = nullptr;
    ASSERT_EQ(platform::RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Morvath\\Vellora", KEY_WRITE | KEY_READ, &handle),
              ERROR_SUCCESS);
    {
        CRegistryKey key;
        EXPECT_TRUE(key.Open(handle, nullptr, KEY_WRITE));
        EXPECT_EQ(key.m_hKey, handle);
        EXPECT_TRUE(key.SetDword("Show Full Path", 0));
        CRegistryKey viaNullString;
        EXPECT_TRUE(viaNullString.Open(nullptr, QString(), KEY_READ));  // succeeds, with nothing open
        EXPECT_EQ(viaNullString.m_hKey, nullptr);
    }  // the destructor closed the handle it took over
    CRegistryKey key;
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, "Software\\Morvath\\Vellora", KEY_READ));
    EXPECT_EQ(key.QueryDword("Show Full Path", 1), 0u);
}

TEST_F(RegistryKey, ClosedKeysGiveDefaultsAndFailures)
{
    CRegistryKey key;
    EXPECT_EQ(key.GetSubKeyCount(), 0u);
    EXPECT_EQ(key.EnumSubKey(0), "");
    EXPECT_EQ(key.QueryString("File Mask", "*.lbl"), "*.lbl");
    EXPECT_EQ(key.QueryString(nullptr, "dflt"), "dflt");
    EXPECT_EQ(key.QueryDword("Translate", 1), 1u);
    EXPECT_FALSE(key.SetString("File Mask", "x"));
    EXPECT_FALSE(key.SetDword("Translate", 0));
}

TEST_F(RegistryKey, ValuesThatAreNotNumbersGiveTheDefault)
{
    xdg.write("config/Morvath/Vellora.conf", "[General]\nTranslate=yes\nShow%20Full%20Path=99999999999\nx=3\n");
    CRegistryKey key;
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, "Software\\Morvath\\Vellora", KEY_READ));
    EXPECT_EQ(key.QueryDword("Translate", 1), 1u);
    EXPECT_EQ(key.QueryDword("Show Full Path", 1), 1u);
    EXPECT_EQ(key.QueryDword("x", 1), 3u);
    EXPECT_EQ(key.QueryString("Translate", ""), "yes");
}

TEST_F(RegistryKey, SubKeysEnumerateAndLongNamesCannotBeRead)
{
    CRegistryKey root;
    ASSERT_TRUE(root.Open(HKEY_CURRENT_USER, "Software\\Morvath\\Vellora", KEY_WRITE));
    const QString longName(CRegistryKey::kNameBufferChars, u'L');
    const QString fitting(CRegistryKey::kNameBufferChars - 1, u'F');
    for (const QString& name : {QString("b"), QString("A"), longName, fitting}) {
        CRegistryKey child;
        ASSERT_TRUE(child.Open(root, name, KEY_WRITE));
        child.SetString("v", name);
    }
    EXPECT_EQ(root.GetSubKeyCount(), 4u);
    EXPECT_EQ(root.EnumSubKey(0), "A");
    EXPECT_EQ(root.EnumSubKey(1), "b");
    EXPECT_EQ(root.EnumSubKey(2), fitting);
    EXPECT_EQ(root.EnumSubKey(3), "");  // 512 characters do not fit with the terminating zero
    EXPECT_EQ(root.EnumSubKey(4), "");
}

TEST_F(RegistryKey, MachineKeysAreReadOnly)
{
    xdg.globs("50:text/plain:*.txt\n");
    CRegistryKey classes;
    ASSERT_TRUE(classes.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes", KEY_READ));
    EXPECT_EQ(classes.GetSubKeyCount(), 2u);
    EXPECT_EQ(classes.EnumSubKey(0), ".txt");
    CRegistryKey extension;
    ASSERT_TRUE(extension.Open(classes, ".TXT", KEY_READ));
    EXPECT_EQ(extension.QueryString(nullptr, ""), "text/plain");
    EXPECT_FALSE(extension.SetString("Content Type", "x"));
    CRegistryKey created;
    EXPECT_FALSE(created.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\.new", KEY_WRITE));
    EXPECT_FALSE(QFile::exists(xdg.path("config/Morvath")));
}

}  // namespace
