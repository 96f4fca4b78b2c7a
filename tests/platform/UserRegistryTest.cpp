// The per-user registry tree over the settings file, and the application
// key of the application object.

#include "platform/CWinApp.h"
#include "platform/Registry.h"
#include "platform/WinTypes.h"
#include "support/FakeXdg.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSettings>
#include <QSysInfo>
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace platform;

class UserRegistry : public ::testing::Test {
protected:
    QString SettingsFile() const { return xdg.path("config/Morvath/Vellora.conf"); }
    QByteArray SettingsText() const
    {
        QFile file(SettingsFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList CompanyFolder() const
    {
        return QDir(xdg.path("config/Morvath")).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    HKEY Create(const QString& path, REGSAM access = KEY_READ | KEY_WRITE, DWORD* disposition = nullptr)
    {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, path, access, &key, disposition), ERROR_SUCCESS) << qPrintable(path);
        return key;
    }

    FakeXdg xdg;
};

TEST_F(UserRegistry, ApplicationKeyIsTheSettingsFileAndValuesRoundTrip)
{
    HKEY missing = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Morvath\\Vellora", KEY_READ, &missing), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(missing, nullptr);

    DWORD disposition = 0;
    HKEY key = Create("Software\\Morvath\\Vellora", KEY_READ | KEY_WRITE, &disposition);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    EXPECT_EQ(RegSetStringValue(key, "File Mask", "*.img, *.lbl"), ERROR_SUCCESS);
    EXPECT_EQ(RegSetDwordValue(key, "Translate", 0), ERROR_SUCCESS);
    EXPECT_EQ(RegSetDwordValue(key, "Big", 4294967295u), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

    // A fresh reading of the file, as the next run makes it.
    QSettings file(SettingsFile(), QSettings::NativeFormat);
    EXPECT_EQ(file.value("File Mask").toString(), "*.img, *.lbl");
    EXPECT_EQ(file.value("Translate").toString(), "0");
    EXPECT_EQ(CompanyFolder(), QStringList{"Vellora.conf"});  // no temporary or lock file left

    key = Create("software\\MORVATH\\vellora", KEY_READ, &disposition);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    QString text;
    DWORD number = 7;
    EXPECT_EQ(RegQueryStringValue(key, "file mask", text), ERROR_SUCCESS);
    EXPECT_EQ(text, "*.img, *.lbl");
    EXPECT_EQ(RegQueryDwordValue(key, "TRANSLATE", number), ERROR_SUCCESS);
    EXPECT_EQ(number, 0u);
    EXPECT_EQ(RegQueryDwordValue(key, "Big", number), ERROR_SUCCESS);
    EXPECT_EQ(number, 4294967295u);
    EXPECT_EQ(RegQueryStringValue(key, "Translate", text), ERROR_SUCCESS);  // numbers read as text too
    EXPECT_EQ(text, "0");
    EXPECT_EQ(RegQueryStringValue(key, "Missing", text), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegQueryDwordValue(key, "Missing", number), ERROR_FILE_NOT_FOUND);
    // Opened for reading only: no writes.
    EXPECT_EQ(RegSetDwordValue(key, "Translate", 1), ERROR_ACCESS_DENIED);
    RegCloseKey(key);

    // A value name in another case replaces the stored value, not a twin.
    key = Create("Software\\Morvath\\Vellora");
    EXPECT_EQ(RegSetDwordValue(key, "TRANSLATE", 1), ERROR_SUCCESS);
    EXPECT_EQ(RegSetStringValue(key, QString(), "default value"), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryStringValue(key, QString(), text), ERROR_SUCCESS);
    EXPECT_EQ(text, "default value");
    RegCloseKey(key);
    EXPECT_TRUE(SettingsText().contains("Translate=1"));
    EXPECT_FALSE(SettingsText().contains("TRANSLATE"));
}

// ---------------------------------------------------------------------------
// Saving: one replacement of the file per key, whatever earlier saves left.

class UserRegistrySave : public UserRegistry {
protected:
    // Writes the three options through one key and closes it.
    void SaveOptions(const QString& mask)
    {
        HKEY key = Create("Software\\Morvath\\Vellora");
        ASSERT_NE(key, nullptr);
        EXPECT_EQ(RegSetStringValue(key, "File Mask", mask), ERROR_SUCCESS);
        EXPECT_EQ(RegSetDwordValue(key, "Translate", 0), ERROR_SUCCESS);
        EXPECT_EQ(RegSetDwordValue(key, "Show Full Path", 1), ERROR_SUCCESS);
        EXPECT_EQ(RegFlushKey(key), result);
        RegCloseKey(key);
    }
    QString SavedMask() const
    {
        return QSettings(SettingsFile(), QSettings::NativeFormat).value("File Mask").toString();
    }
    // The process id of a process that has ended.
    static qint64 DeadProcess()
    {
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(0);
        ::waitpid(child, nullptr, 0);
        return child;
    }
    QString LockFile() const { return SettingsFile() + ".lock"; }
    LONG result = ERROR_SUCCESS;
};

TEST_F(UserRegistrySave, TheValuesOfAKeyAreWrittenTogetherWhenItIsFlushed)
{
    HKEY key = Create("Software\\Morvath\\Vellora");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(RegSetStringValue(key, "File Mask", "*.tab"), ERROR_SUCCESS);
    EXPECT_EQ(RegSetDwordValue(key, "Translate", 0), ERROR_SUCCESS);
    // Read back through the key before the file has them.
    QString text;
    EXPECT_EQ(RegQueryStringValue(key, "FILE MASK", text), ERROR_SUCCESS);
    EXPECT_EQ(text, "*.tab");
    EXPECT_FALSE(QFileInfo::exists(SettingsFile()));
    EXPECT_EQ(RegFlushKey(key), ERROR_SUCCESS);
    EXPECT_EQ(SavedMask(), "*.tab");
    EXPECT_EQ(QSettings(SettingsFile(), QSettings::NativeFormat).value("Translate").toString(), "0");
    RegCloseKey(key);
    EXPECT_EQ(CompanyFolder(), QStringList{"Vellora.conf"});
}

TEST_F(UserRegistrySave, StaleLocksAreTakenOverAtOnce)
{
    SaveOptions("*.first");
    // An empty lock: its writer died before it could name itself.
    xdg.write("config/Morvath/Vellora.conf.lock", "");
    SaveOptions("*.second");
    EXPECT_EQ(SavedMask(), "*.second");
    EXPECT_EQ(CompanyFolder(), QStringList{"Vellora.conf"});
    // A lock whose owner is gone, and what an interrupted save left: its
    // saving folder and the lock taken while removing a stale lock.
    const QByteArray owner = QByteArray::number(DeadProcess()) + "\ntest_platform\n" +
                             QSysInfo::machineHostName().toUtf8() + "\n";
    xdg.write("config/Morvath/Vellora.conf.lock", owner);
    xdg.write("config/Morvath/Vellora.conf.saving." + QString::number(DeadProcess()) + "/Vellora.conf", "[Gen");
    xdg.write("config/Morvath/Vellora.conf.lock.rmlock", "");
    SaveOptions("*.third");
    EXPECT_EQ(SavedMask(), "*.third");
    EXPECT_EQ(CompanyFolder(), QStringList{"Vellora.conf"});
}

TEST_F(UserRegistrySave, ALockThatCannotBeHadKeepsTheFileAsItWas)
{
    SaveOptions("*.kept");
    const QByteArray before = SettingsText();
    // A live writer holds the lock: the save waits a moment, then gives up.
    {
        QLockFile held(LockFile());
        ASSERT_TRUE(held.tryLock(0));
        result = ERROR_WRITE_FAULT;
        SaveOptions("*.lost");
    }
    EXPECT_EQ(SettingsText(), before);
    // A folder at the lock's place cannot be removed: the same.
    xdg.dir().mkdir("config/Morvath/Vellora.conf.lock");
    SaveOptions("*.lost");
    EXPECT_EQ(SettingsText(), before);
    EXPECT_EQ(SavedMask(), "*.kept");
    EXPECT_EQ(CompanyFolder(), (QStringList{"Vellora.conf", "Vellora.conf.lock"}));
}

TEST_F(UserRegistry, NumbersAreReadWithACheckedConversion)
{
    xdg.write("config/Morvath/Vellora.conf",
              "[General]\nzero=0\nblank= 12 \nnegative=-1\nlowest=-2147483648\ntoolow=-2147483649\n"
              "toobig=4294967296\nword=on\nhex=0x10\nempty=\nlist=1, 2\n");
    HKEY key = Create("Software\\Morvath\\Vellora", KEY_READ);
    ASSERT_NE(key, nullptr);
    auto number = [&](const char* name) -> qint64 {
        DWORD value = 0;
        const LONG status = RegQueryDwordValue(key, name, value);
        return status == ERROR_SUCCESS ? qint64(value) : -status;
    };
    EXPECT_EQ(number("zero"), 0);
    EXPECT_EQ(number("blank"), 12);
    EXPECT_EQ(number("negative"), 4294967295);
    EXPECT_EQ(number("lowest"), 2147483648);
    EXPECT_EQ(number("toolow"), -ERROR_INVALID_DATA);
    EXPECT_EQ(number("toobig"), -ERROR_INVALID_DATA);
    EXPECT_EQ(number("word"), -ERROR_INVALID_DATA);
    EXPECT_EQ(number("hex"), -ERROR_INVALID_DATA);
    EXPECT_EQ(number("empty"), -ERROR_INVALID_DATA);
    EXPECT_EQ(number("list"), -ERROR_INVALID_DATA);
    QString text;
    EXPECT_EQ(RegQueryStringValue(key, "list", text), ERROR_SUCCESS);
    EXPECT_EQ(text, "1, 2");
    RegCloseKey(key);
}

TEST_F(UserRegistry, ACorruptFileKeepsWhatCanBeReadAndIsRewrittenWhole)
{
    xdg.write("config/Morvath/Vellora.conf", QByteArray("\x01\xFF garbage\nTranslate=0\n=\n[[[\n\0\0\0", 27));
    HKEY key = Create("Software\\Morvath\\Vellora");
    ASSERT_NE(key, nullptr);
    DWORD number = 9;
    EXPECT_EQ(RegQueryDwordValue(key, "Translate", number), ERROR_SUCCESS);
    EXPECT_EQ(number, 0u);
    EXPECT_EQ(RegQueryDwordValue(key, "Show Full Path", number), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegSetDwordValue(key, "Show Full Path", 1), ERROR_SUCCESS);
    RegCloseKey(key);

    QSettings file(SettingsFile(), QSettings::NativeFormat);
    EXPECT_EQ(file.value("Translate").toString(), "0");
    EXPECT_EQ(file.value("Show Full Path").toString(), "1");
    EXPECT_EQ(CompanyFolder(), QStringList{"Vellora.conf"});
}

TEST_F(UserRegistry, SomethingOtherThanAFileAtTheSettingsPathIsLeftAlone)
{
    HKEY key = nullptr;
    // A folder.
    xdg.dir().mkdir("config/Morvath/Vellora.conf");
    EXPECT_NE(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Morvath\\Vellora", KEY_WRITE, &key), ERROR_SUCCESS);
    EXPECT_EQ(key, nullptr);
    QDir(xdg.path("config/Morvath/Vellora.conf")).removeRecursively();

    // A FIFO: neither read (which would block) nor replaced.
    const QByteArray fifo = QFile::encodeName(SettingsFile());
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    EXPECT_NE(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Morvath\\Vellora", KEY_WRITE, &key), ERROR_SUCCESS);
    EXPECT_NE(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Morvath\\Vellora", KEY_READ, &key), ERROR_SUCCESS);
    struct stat st {};
    ASSERT_EQ(::lstat(fifo.constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    ::unlink(fifo.constData());

    // A dangling link.
    ASSERT_EQ(::symlink("nowhere.conf", fifo.constData()), 0);
    EXPECT_NE(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Morvath\\Vellora", KEY_WRITE, &key), ERROR_SUCCESS);
    ASSERT_EQ(::lstat(fifo.constData(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ::unlink(fifo.constData());

    // A file where the company folder should be.
    QDir(xdg.path("config/Morvath")).removeRecursively();
    xdg.write("config/Morvath", "not a folder");
    EXPECT_NE(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Morvath\\Vellora", KEY_WRITE, &key), ERROR_SUCCESS);
    EXPECT_EQ(key, nullptr);
}

TEST_F(UserRegistry, TreeAboveAndBelowTheApplicationKey)
{
    HKEY key = Create("Software\\Morvath\\Vellora\\Sub\\Deeper");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(RegSetStringValue(key, "v", "deep"), ERROR_SUCCESS);
    RegCloseKey(key);
    key = Create("Software\\Morvath\\Vellora\\sub\\zeta");
    EXPECT_EQ(RegSetStringValue(key, "v", "z"), ERROR_SUCCESS);
    RegCloseKey(key);
    key = Create("Software\\Morvath\\Vellora\\sub\\Alpha");
    EXPECT_EQ(RegSetStringValue(key, "v", "a"), ERROR_SUCCESS);
    RegCloseKey(key);
    key = Create("Software\\Morvath\\Other");
    EXPECT_EQ(RegSetStringValue(key, "v", "o"), ERROR_SUCCESS);
    RegCloseKey(key);

    HKEY sub = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Morvath\\Vellora\\SUB", KEY_READ, &sub), ERROR_SUCCESS);
    DWORD count = 0;
    EXPECT_EQ(RegQueryInfoKey(sub, &count), ERROR_SUCCESS);
    EXPECT_EQ(count, 3u);
    QString name;
    QStringList names;
    for (DWORD i = 0; RegEnumKeyEx(sub, i, name) == ERROR_SUCCESS; ++i)
        names << name;
    EXPECT_EQ(names, (QStringList{"Alpha", "Deeper", "zeta"}));
    EXPECT_EQ(RegEnumKeyEx(sub, 3, name), ERROR_NO_MORE_ITEMS);
    // Relative to an open key.
    HKEY deeper = nullptr;
    ASSERT_EQ(RegOpenKeyEx(sub, "deeper", KEY_READ, &deeper), ERROR_SUCCESS);
    QString text;
    EXPECT_EQ(RegQueryStringValue(deeper, "V", text), ERROR_SUCCESS);
    EXPECT_EQ(text, "deep");
    RegCloseKey(deeper);
    HKEY missing = nullptr;
    EXPECT_EQ(RegOpenKeyEx(sub, "Missing", KEY_READ, &missing), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(missing, nullptr);
    RegCloseKey(sub);

    HKEY company = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Morvath", KEY_READ, &company), ERROR_SUCCESS);
    names.clear();
    for (DWORD i = 0; RegEnumKeyEx(company, i, name) == ERROR_SUCCESS; ++i)
        names << name;
    EXPECT_EQ(names, (QStringList{"Other", "Vellora"}));
    RegCloseKey(company);

    EXPECT_EQ(RegEnumKeyEx(HKEY_CURRENT_USER, 0, name), ERROR_SUCCESS);
    EXPECT_EQ(name, "Software");
    HKEY elsewhere = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Environment", KEY_READ, &elsewhere), ERROR_FILE_NOT_FOUND);
    EXPECT_NE(RegCreateKeyEx(HKEY_CURRENT_USER, "Environment", KEY_WRITE, &elsewhere), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
}

TEST_F(UserRegistry, ApplicationObjectOpensItsKeyCreatingMissingLevels)
{
    CWinApp app;
    EXPECT_EQ(app.GetAppRegistryKey(), nullptr);  // no registry key set yet
    app.m_pszAppName = "Vellora";
    app.SetRegistryKey("Morvath");
    HKEY key = app.GetAppRegistryKey();
    ASSERT_NE(key, nullptr);
    EXPECT_TRUE(QFileInfo(xdg.path("config/Morvath")).isDir());
    EXPECT_EQ(RegSetStringValue(key, "File Mask", "*.img"), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_TRUE(SettingsText().contains("File%20Mask=*.img"));
}

}  // namespace
