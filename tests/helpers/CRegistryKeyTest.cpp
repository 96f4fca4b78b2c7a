// CRegistryKey over both trees: the per-user store and the associations.

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
    EXPECT_FALSE(key.m_hKey);
    EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, QStringLiteral(""), KEY_WRITE));         // empty name
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, "Software\\Morvath\\Vellora", KEY_WRITE));  // created
    EXPECT_TRUE(key.SetString("File Mask", "*.img"));
    EXPECT_TRUE(key.SetDword("Translate", 0));
    EXPECT_TRUE(key.Close());
    EXPECT_FALSE(key.m_hKey);
    EXPECT_FALSE(key.Close());

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

TEST_F(RegistryKey, ANullNameTakesTheKeyOver)
{
    const platform::KeyPath application{platform::KeyPath::User, {"Software", "Morvath", "Vellora"}};
    {
        CRegistryKey key;
        EXPECT_TRUE(key.Open(application, nullptr, KEY_WRITE));  // created
        EXPECT_EQ(key.m_hKey, application);
        EXPECT_TRUE(key.SetDword("Show Full Path", 0));
        CRegistryKey viaNullString;
        EXPECT_TRUE(viaNullString.Open(platform::KeyPath(), QString(), KEY_READ));  // succeeds, with nothing open
        EXPECT_FALSE(viaNullString.m_hKey);
    }  // the destructor closed the key it took over, saving it
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

// HKEY_LOCAL_MACHINE\SOFTWARE\Classes: a key per extension and per type,
// "<type>\shell\Open\command" where the type has a default application.
TEST_F(RegistryKey, MachineKeysShowTheAssociationsReadOnly)
{
    xdg.globs("50:text/plain:*.txt\n50:image/gif:*.gif\n");
    xdg.program("viewer");
    xdg.desktopEntry("viewer.desktop", "[Desktop Entry]\nType=Application\nExec=viewer %f\n");
    xdg.write("config/mimeapps.list", "[Default Applications]\ntext/plain=viewer.desktop\n");
    const QString command = xdg.path("bin/viewer") + " \"%1\"";

    CRegistryKey classes;
    ASSERT_TRUE(classes.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes", KEY_READ));
    EXPECT_EQ(classes.GetSubKeyCount(), 4u);
    QStringList names;
    for (DWORD i = 0; i < 5; ++i)
        names << classes.EnumSubKey(i);
    EXPECT_EQ(names, (QStringList{".gif", ".txt", "image/gif", "text/plain", ""}));

    CRegistryKey extension;
    ASSERT_TRUE(extension.Open(classes, ".TXT", KEY_READ));
    EXPECT_EQ(extension.QueryString(nullptr, ""), "text/plain");
    EXPECT_EQ(extension.QueryString("content type", ""), "text/plain");
    EXPECT_EQ(extension.QueryString("Other", "<none>"), "<none>");
    EXPECT_EQ(extension.GetSubKeyCount(), 0u);
    EXPECT_FALSE(extension.SetString("Content Type", "x"));

    CRegistryKey key;
    ASSERT_TRUE(key.Open(classes, "TEXT/PLAIN\\Shell\\open\\COMMAND", KEY_READ));
    EXPECT_EQ(key.QueryString(nullptr, ""), command);
    EXPECT_FALSE(key.SetString(QString(), "x"));
    ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\text/plain", KEY_READ));
    EXPECT_EQ(key.GetSubKeyCount(), 1u);
    EXPECT_EQ(key.EnumSubKey(0), "shell");
    EXPECT_EQ(key.EnumSubKey(1), "");
    CRegistryKey verb;
    ASSERT_TRUE(verb.Open(key, "shell\\Open", KEY_READ));
    EXPECT_EQ(verb.EnumSubKey(0), "command");
    ASSERT_TRUE(key.Open(classes, "image/gif", KEY_READ));
    EXPECT_EQ(key.GetSubKeyCount(), 0u);  // no default application

    // Nothing else exists, and nothing can be created.
    for (const char* path : {".txt\\shell", "image/gif\\shell", "text/plain\\shell\\Edit",
                             "text/plain\\shell\\Open\\command\\more", ".missing"})
        EXPECT_FALSE(key.Open(classes, path, KEY_READ)) << path;
    EXPECT_FALSE(key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Other", KEY_READ));
    EXPECT_FALSE(key.Open(HKEY_LOCAL_MACHINE, "SYSTEM", KEY_READ));
    EXPECT_FALSE(key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\.new", KEY_WRITE));
    EXPECT_FALSE(key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes", KEY_WRITE));
    EXPECT_FALSE(QFile::exists(xdg.path("config/Morvath")));

    // The levels above the associations.
    CRegistryKey root;
    ASSERT_TRUE(root.Open(HKEY_LOCAL_MACHINE, nullptr, KEY_READ));
    EXPECT_EQ(root.EnumSubKey(0), "SOFTWARE");
    ASSERT_TRUE(key.Open(root, "software", KEY_READ));
    EXPECT_EQ(key.EnumSubKey(0), "Classes");
    ASSERT_TRUE(key.Open(key, "classes", KEY_READ));
    EXPECT_EQ(key.GetSubKeyCount(), 4u);
}

}  // namespace
