// The per-user settings store over the settings file, and the application
// key of the application object.

#include "platform/CWinApp.h"
#include "platform/SettingsStore.h"
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

using platform::SettingsStore;

const QStringList kApplication{"Software", "Morvath", "Vellora"};

QStringList Names(const QString& path) { return path.split(u'\\'); }

// A value as text, or "<none>".
QString Text(const SettingsStore& key, const QString& name) { return key.Text(name).value_or("<none>"); }
// A value as a number, or -1.
qint64 Number(const SettingsStore& key, const QString& name)
{
    const std::optional<std::uint32_t> number = key.Number(name);
    return number ? qint64(*number) : -1;
}

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
    // Writes one value into a key, creating it.
    static void Write(const QString& path, const QString& name, const QString& text)
    {
        SettingsStore key;
        ASSERT_TRUE(key.Open(Names(path), true)) << qPrintable(path);
        EXPECT_TRUE(key.Set(name, text));
        EXPECT_TRUE(key.Save());
    }

    FakeXdg xdg;
};

TEST_F(UserRegistry, ApplicationKeyIsTheSettingsFileAndValuesRoundTrip)
{
    EXPECT_FALSE(SettingsStore().Open(kApplication, false));
    {
        SettingsStore key;
        ASSERT_TRUE(key.Open(kApplication, true));
        EXPECT_TRUE(key.Set("File Mask", "*.img, *.lbl"));
        EXPECT_TRUE(key.Set("Translate", "0"));
        EXPECT_TRUE(key.Set("Big", "4294967295"));
        EXPECT_TRUE(key.Save());
    }

    // A fresh reading of the file, as the next run makes it.
    QSettings file(SettingsFile(), QSettings::NativeFormat);
    EXPECT_EQ(file.value("File Mask").toString(), "*.img, *.lbl");
    EXPECT_EQ(file.value("Translate").toString(), "0");
    EXPECT_EQ(CompanyFolder(), QStringList{"Vellora.conf"});  // no temporary or lock file left

    SettingsStore key;
    ASSERT_TRUE(key.Open(Names("software\\MORVATH\\vellora"), false));
    EXPECT_EQ(Text(key, "file mask"), "*.img, *.lbl");
    EXPECT_EQ(Number(key, "TRANSLATE"), 0);
    EXPECT_EQ(Number(key, "Big"), 4294967295);
    EXPECT_EQ(Text(key, "Translate"), "0");  // numbers read as text too
    EXPECT_EQ(Text(key, "Missing"), "<none>");
    EXPECT_EQ(Number(key, "Missing"), -1);

    // A value name in another case replaces the stored value, not a twin.
    EXPECT_TRUE(key.Set("TRANSLATE", "1"));
    EXPECT_TRUE(key.Set(QString(), "default value"));
    EXPECT_EQ(Text(key, QString()), "default value");
    EXPECT_TRUE(key.Save());
    EXPECT_TRUE(SettingsText().contains("Translate=1"));
    EXPECT_FALSE(SettingsText().contains("TRANSLATE"));
}

// ---------------------------------------------------------------------------
// Saving: one replacement of the file per key, whatever earlier saves left.

class UserRegistrySave : public UserRegistry {
protected:
    // Writes the three options through one key and saves it.
    void SaveOptions(const QString& mask)
    {
        SettingsStore key;
        ASSERT_TRUE(key.Open(kApplication, true));
        EXPECT_TRUE(key.Set("File Mask", mask));
        EXPECT_TRUE(key.Set("Translate", "0"));
        EXPECT_TRUE(key.Set("Show Full Path", "1"));
        EXPECT_EQ(key.Save(), saved);
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
    bool saved = true;
};

TEST_F(UserRegistrySave, TheValuesOfAKeyAreWrittenTogetherWhenItIsSaved)
{
    SettingsStore key;
    ASSERT_TRUE(key.Open(kApplication, true));
    EXPECT_TRUE(key.Set("File Mask", "*.tab"));
    EXPECT_TRUE(key.Set("Translate", "0"));
    // Read back through the key before the file has them.
    EXPECT_EQ(Text(key, "FILE MASK"), "*.tab");
    EXPECT_FALSE(QFileInfo::exists(SettingsFile()));
    EXPECT_TRUE(key.Save());
    EXPECT_EQ(SavedMask(), "*.tab");
    EXPECT_EQ(QSettings(SettingsFile(), QSettings::NativeFormat).value("Translate").toString(), "0");
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
        saved = false;
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
    SettingsStore key;
    ASSERT_TRUE(key.Open(kApplication, false));
    EXPECT_EQ(Number(key, "zero"), 0);
    EXPECT_EQ(Number(key, "blank"), 12);
    EXPECT_EQ(Number(key, "negative"), 4294967295);
    EXPECT_EQ(Number(key, "lowest"), 2147483648);
    for (const char* name : {"toolow", "toobig", "word", "hex", "empty", "list"})
        EXPECT_EQ(Number(key, name), -1) << name;
    EXPECT_EQ(Text(key, "list"), "1, 2");
}

TEST_F(UserRegistry, ACorruptFileKeepsWhatCanBeReadAndIsRewrittenWhole)
{
    xdg.write("config/Morvath/Vellora.conf", QByteArray("\x01\xFF garbage\nTranslate=0\n=\n[[[\n\0\0\0", 27));
    SettingsStore key;
    ASSERT_TRUE(key.Open(kApplication, true));
    EXPECT_EQ(Number(key, "Translate"), 0);
    EXPECT_EQ(Number(key, "Show Full Path"), -1);
    EXPECT_TRUE(key.Set("Show Full Path", "1"));
    EXPECT_TRUE(key.Save());

    QSettings file(SettingsFile(), QSettings::NativeFormat);
    EXPECT_EQ(file.value("Translate").toString(), "0");
    EXPECT_EQ(file.value("Show Full Path").toString(), "1");
    EXPECT_EQ(CompanyFolder(), QStringList{"Vellora.conf"});
}

TEST_F(UserRegistry, SomethingOtherThanAFileAtTheSettingsPathIsLeftAlone)
{
    // A folder.
    xdg.dir().mkdir("config/Morvath/Vellora.conf");
    EXPECT_FALSE(SettingsStore().Open(kApplication, true));
    QDir(xdg.path("config/Morvath/Vellora.conf")).removeRecursively();

    // A FIFO: neither read (which would block) nor replaced.
    const QByteArray fifo = QFile::encodeName(SettingsFile());
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    EXPECT_FALSE(SettingsStore().Open(kApplication, true));
    EXPECT_FALSE(SettingsStore().Open(kApplication, false));
    struct stat st {};
    ASSERT_EQ(::lstat(fifo.constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    ::unlink(fifo.constData());

    // A dangling link.
    ASSERT_EQ(::symlink("nowhere.conf", fifo.constData()), 0);
    EXPECT_FALSE(SettingsStore().Open(kApplication, true));
    ASSERT_EQ(::lstat(fifo.constData(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ::unlink(fifo.constData());

    // A file where the company folder should be.
    QDir(xdg.path("config/Morvath")).removeRecursively();
    xdg.write("config/Morvath", "not a folder");
    EXPECT_FALSE(SettingsStore().Open(kApplication, true));
}

TEST_F(UserRegistry, TreeAboveAndBelowTheApplicationKey)
{
    Write("Software\\Morvath\\Vellora\\Sub\\Deeper", "v", "deep");
    Write("Software\\Morvath\\Vellora\\sub\\zeta", "v", "z");
    Write("Software\\Morvath\\Vellora\\sub\\Alpha", "v", "a");
    Write("Software\\Morvath\\Other", "v", "o");

    SettingsStore sub;
    ASSERT_TRUE(sub.Open(Names("Software\\Morvath\\Vellora\\SUB"), false));
    EXPECT_EQ(sub.SubKeys(), (QStringList{"Alpha", "Deeper", "zeta"}));
    SettingsStore deeper;
    ASSERT_TRUE(deeper.Open(Names("Software\\Morvath\\Vellora\\SUB\\deeper"), false));
    EXPECT_EQ(Text(deeper, "V"), "deep");
    EXPECT_FALSE(SettingsStore().Open(Names("Software\\Morvath\\Vellora\\SUB\\Missing"), false));

    SettingsStore company;
    ASSERT_TRUE(company.Open(Names("Software\\Morvath"), false));
    EXPECT_EQ(company.SubKeys(), (QStringList{"Other", "Vellora"}));
    EXPECT_FALSE(company.Set("v", "x"));  // values live at the application level and below

    SettingsStore root;
    ASSERT_TRUE(root.Open({}, false));
    EXPECT_EQ(root.SubKeys(), QStringList{"Software"});
    EXPECT_FALSE(SettingsStore().Open({"Environment"}, false));
    EXPECT_FALSE(SettingsStore().Open({"Environment"}, true));
}

TEST_F(UserRegistry, ApplicationObjectOpensItsKeyCreatingMissingLevels)
{
    CWinApp app;
    EXPECT_FALSE(app.GetAppRegistryKey());  // no registry key set yet
    app.m_pszAppName = "Vellora";
    app.SetRegistryKey("Morvath");
    const platform::KeyPath key = app.GetAppRegistryKey();
    EXPECT_EQ(key, (platform::KeyPath{platform::KeyPath::User, kApplication}));
    EXPECT_TRUE(QFileInfo(xdg.path("config/Morvath")).isDir());
    Write(key.names.join(u'\\'), "File Mask", "*.img");
    EXPECT_TRUE(SettingsText().contains("File%20Mask=*.img"));
}

}  // namespace
