// The desktop's associations over a fake association database: extension
// types from the globs, default applications from the associations files
// and desktop entries, and Exec lines turned into command lines.

#include "desktop/Associations.h"
#include "desktop/DesktopEntry.h"
#include "open/LaunchHelper.h"
#include "platform/Process.h"
#include "support/FakeXdg.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

class AssociationsTest : public ::testing::Test {
protected:
    // The type of an extension, or "<none>"; read afresh from the folders.
    static QString Type(const QString& extension)
    {
        const Associations associations;
        const Associations::Extension* found = associations.FindExtension(extension);
        return found ? found->mimeType : QStringLiteral("<none>");
    }
    // The open command of a type, or "<none>"; read afresh from the folders.
    static QString Command(const QString& type)
    {
        Associations associations;
        const QString command = associations.Command(type);
        return command.isEmpty() ? QStringLiteral("<none>") : command;
    }
    // The path of a fake program, as commands name programs.
    QString Program(const QString& name) const { return xdg.path("bin/" + name); }

    // A text type with one viewer, the example used by several tests.
    void TextTypeWithViewer(const QByteArray& exec = "viewer %f")
    {
        xdg.globs("50:text/plain:*.txt\n");
        xdg.program("viewer");
        xdg.desktopEntry("viewer.desktop", "[Desktop Entry]\nType=Application\nName=Viewer\nExec=" + exec + "\n");
    }

    FakeXdg xdg;
};

TEST_F(AssociationsTest, GlobsGiveEachExtensionItsType)
{
    xdg.globs(
        "80:text/html:*.html\n"
        "60:text/x-python:*.py\n"
        "50:text/x-csrc:*.c:cs\n"
        "50:text/x-csrc:*.c\n"
        "50:text/x-c++src:*.C:cs\n"
        "50:text/x-c++src:*.C\n"
        "50:application/x-compressed-tar:*.tar.gz\n"
        "50:application/gzip:*.gz\n"
        "50:application/x-zed:*z\n"
        "50:application/x-first:*.dup\n"
        "50:application/x-second:*.dup\n"
        "40:text/x-light:*.py\n"
        "50:application/x-troff-man:*.[1-9]\n"
        "50:text/x-makefile:makefile\n"
        "50:text/x-shout:*.SHOUT:cs\n"
        "50:application/x-gzip:*.gzz\n"
        "50:image/x-under:*._u\n"
        "50:text/plain:*.txt\n");
    xdg.write("share/mime/aliases", "application/x-gzip application/gzip\n");

    EXPECT_EQ(Type(".c"), "text/x-csrc");            // the flagless copy of "*.C" does not count
    EXPECT_EQ(Type(".C"), "text/x-csrc");            // one extension per name, whatever the case
    EXPECT_EQ(Type(".gz"), "application/gzip");      // the longer pattern beats "*z"
    EXPECT_EQ(Type(".py"), "text/x-python");         // the heavier weight wins
    EXPECT_EQ(Type(".dup"), "application/x-first");  // then the first line
    EXPECT_EQ(Type(".gzz"), "application/gzip");     // aliases resolved
    EXPECT_EQ(Type(".shout"), "text/x-shout");
    EXPECT_EQ(Type(".txt"), "text/plain");

    // Extensions with one dot and no wildcards in case-insensitive order
    // (upper case: letters before "_"), and their types.
    const Associations associations;
    QStringList names;
    for (const Associations::Extension& extension : associations.Extensions())
        names << extension.name;
    EXPECT_EQ(names, (QStringList{".c", ".dup", ".gz", ".gzz", ".html", ".py", ".SHOUT", ".txt", "._u"}));
    QStringList types = associations.Types();
    types.sort();
    EXPECT_EQ(types, (QStringList{"application/gzip", "application/x-first", "image/x-under", "text/html", "text/plain",
                                  "text/x-csrc", "text/x-python", "text/x-shout"}));
    EXPECT_EQ(associations.FindType("TEXT/Plain"), "text/plain");
    EXPECT_FALSE(associations.FindType("text/x-light"));  // no extension has it
}

TEST_F(AssociationsTest, MoreImportantDataFolderComesFirstAndMayDropGlobs)
{
    xdg.globs("50:text/plain:*.txt\n50:text/plain:*.text\n50:image/png:*.png\n");
    xdg.globs("50:text/plain:__NOGLOBS__\n50:text/x-mine:*.mine\n50:image/x-mypng:*.png\n",
              FakeXdg::kDataHome);
    EXPECT_EQ(Type(".txt"), "<none>");
    EXPECT_EQ(Type(".mine"), "text/x-mine");
    EXPECT_EQ(Type(".png"), "image/x-mypng");
}

TEST_F(AssociationsTest, TheUsersDefaultWinsOverTheSystemsAndFallsBackWhenNotInstalled)
{
    TextTypeWithViewer();
    xdg.program("editor");
    xdg.desktopEntry("editor.desktop", "[Desktop Entry]\nType=Application\nExec=editor %U\n");
    xdg.write("share/applications/mimeapps.list", "[Default Applications]\ntext/plain=viewer.desktop\n");
    xdg.write("config/mimeapps.list", "[Default Applications]\ntext/plain=editor.desktop\n");
    EXPECT_EQ(Command("text/plain"), Program("editor") + " \"%1\"");

    // The first installed entry of the list counts.
    xdg.write("config/mimeapps.list", "[Default Applications]\ntext/plain=gone.desktop;editor.desktop\n");
    EXPECT_EQ(Command("text/plain"), Program("editor") + " \"%1\"");
    // None installed: the system's default.
    xdg.write("config/mimeapps.list", "[Default Applications]\ntext/plain=gone.desktop\n");
    EXPECT_EQ(Command("text/plain"), Program("viewer") + " \"%1\"");

    // A desktop's own list comes before the general one of its folder.
    xdg.write("config/mimeapps.list", "[Default Applications]\ntext/plain=viewer.desktop\n");
    xdg.write("config/xfce-mimeapps.list", "[Default Applications]\ntext/plain=editor.desktop\n");
    EXPECT_EQ(Command("text/plain"), Program("viewer") + " \"%1\"");
    xdg.setDesktops("GNOME:XFCE");
    EXPECT_EQ(Command("text/plain"), Program("editor") + " \"%1\"");
}

TEST_F(AssociationsTest, AssociationsWhenThereIsNoDefault)
{
    xdg.globs("50:image/png:*.png\n50:image/gif:*.gif\n50:text/x-log:*.log\n50:text/plain:*.txt\n"
              "50:image/jpeg:*.jpg\n");
    xdg.write("share/mime/subclasses", "text/x-log text/plain\n");
    xdg.write("share/mime/aliases", "image/jpg image/jpeg\n");
    for (const char* name : {"cached", "added", "plain", "jpeg"}) {
        xdg.program(name);
        xdg.desktopEntry(QString::fromLatin1(name) + ".desktop",
                         "[Desktop Entry]\nType=Application\nExec=" + QByteArray(name) + " %f\n");
    }
    xdg.write("share/applications/mimeinfo.cache",
              "[MIME Cache]\nimage/png=cached.desktop;\nimage/gif=cached.desktop;\ntext/plain=plain.desktop;\n"
              "image/jpg=jpeg.desktop;\n");
    xdg.write("config/mimeapps.list",
              "[Added Associations]\nimage/png=added.desktop;\n"
              "[Removed Associations]\nimage/gif=cached.desktop;\n");

    EXPECT_EQ(Command("image/png"), Program("added") + " \"%1\"");  // added before the cache
    EXPECT_EQ(Command("image/gif"), "<none>");                       // removed
    EXPECT_EQ(Type(".gif"), "image/gif");                            // the type is there all the same
    EXPECT_EQ(Command("text/x-log"), Program("plain") + " \"%1\"");  // the parent type's application
    EXPECT_EQ(Command("image/jpeg"), Program("jpeg") + " \"%1\"");   // cache keys are aliases resolved

    // Without mimeinfo.cache the entries' MimeType= keys count.
    xdg.write("share/applications/mimeinfo.cache", "");
    QFile::remove(xdg.path("share/applications/mimeinfo.cache"));
    xdg.desktopEntry("plain.desktop", "[Desktop Entry]\nType=Application\nExec=plain %f\nMimeType=text/plain;\n");
    xdg.desktopEntry("cached.desktop",
                     "[Desktop Entry]\nType=Application\nExec=cached %f\nMimeType=image/png;image/gif;\n");
    EXPECT_EQ(Command("text/x-log"), Program("plain") + " \"%1\"");
    EXPECT_EQ(Command("image/gif"), "<none>");  // still removed
    EXPECT_EQ(Command("image/png"), Program("added") + " \"%1\"");
}

TEST_F(AssociationsTest, OnlyInstalledUsableEntriesGiveACommand)
{
    xdg.globs("50:text/plain:*.txt\n50:image/png:*.png\n50:image/gif:*.gif\n50:text/x-log:*.log\n"
              "50:text/csv:*.csv\n50:text/x-ini:*.ini\n50:text/x-sub:*.sub\n");
    xdg.program("viewer");
    xdg.program("editor");
    xdg.desktopEntry("hidden.desktop", "[Desktop Entry]\nType=Application\nExec=viewer %f\nHidden=true\n",
                     FakeXdg::kDataHome);
    xdg.desktopEntry("hidden.desktop", "[Desktop Entry]\nType=Application\nExec=viewer %f\n");
    xdg.desktopEntry("missing.desktop", "[Desktop Entry]\nType=Application\nExec=not-installed %f\n");
    xdg.desktopEntry("tryexec.desktop", "[Desktop Entry]\nType=Application\nTryExec=absent\nExec=viewer %f\n");
    xdg.desktopEntry("nodisplay.desktop", "[Desktop Entry]\nType=Application\nNoDisplay=true\nExec=editor %f\n");
    xdg.desktopEntry("link.desktop", "[Desktop Entry]\nType=Link\nURL=http://example.org\nExec=viewer %f\n");
    xdg.desktopEntry("kde4/sub.desktop", "[Desktop Entry]\nType=Application\nExec=editor --sub %f\n");
    xdg.desktopEntry("shadowed.desktop", "[Desktop Entry]\nType=Application\nExec=viewer %f\n");
    xdg.desktopEntry("shadowed.desktop", "[Desktop Entry]\nType=Application\nExec=editor --mine %f\n",
                     FakeXdg::kDataHome);
    xdg.write("config/mimeapps.list",
              "[Default Applications]\n"
              "text/plain=hidden.desktop\n"
              "image/png=missing.desktop\n"
              "image/gif=tryexec.desktop;nodisplay.desktop\n"
              "text/x-log=link.desktop\n"
              "text/csv=kde4-sub.desktop\n"
              "text/x-ini=shadowed.desktop\n"
              "text/x-sub=sub.desktop\n");

    EXPECT_EQ(Command("text/plain"), "<none>");  // hidden where it is first found
    EXPECT_EQ(Command("image/png"), "<none>");   // program not installed
    EXPECT_EQ(Command("image/gif"), Program("editor") + " \"%1\"");  // TryExec fails; NoDisplay counts
    EXPECT_EQ(Command("text/x-log"), "<none>");  // not an application
    EXPECT_EQ(Command("text/csv"), Program("editor") + " --sub \"%1\"");  // ids of sub-folders
    EXPECT_EQ(Command("text/x-sub"), "<none>");
    EXPECT_EQ(Command("text/x-ini"), Program("editor") + " --mine \"%1\"");  // the user's copy
}

TEST_F(AssociationsTest, TerminalApplicationsNeedATerminal)
{
    TextTypeWithViewer();
    xdg.program("vim");
    xdg.desktopEntry("vim.desktop", "[Desktop Entry]\nType=Application\nTerminal=true\nExec=vim %F\n");
    xdg.write("config/mimeapps.list", "[Default Applications]\ntext/plain=vim.desktop;viewer.desktop\n");
    EXPECT_EQ(Command("text/plain"), Program("viewer") + " \"%1\"");
    xdg.program("x-terminal-emulator");
    EXPECT_EQ(Command("text/plain"), Program("x-terminal-emulator") + " -e " + xdg.path("bin/vim") + " \"%1\"");
}

TEST_F(AssociationsTest, ExecLinesBecomeCommandLines)
{
    struct Case {
        QByteArray exec;
        QString command;  // after the program; "<none>" when the entry is unusable
    };
    const QString entry = xdg.path("share/applications/viewer.desktop");
    const Case cases[] = {
        {"viewer %U", " \"%1\""},
        {"viewer --file=%f --second=%F", " --file=%1 --second="},
        {"viewer %u %U %f", " \"%1\""},
        {"viewer %i %c %k", " --icon pic \"My Viewer\" " + entry},
        {"viewer %d %D %n %N %v %m 100%% %f", " 100% \"%1\""},
        {"viewer \"two words\" \"say \\\\\"hi\\\\\"\" 'single quoted' back\\\\\\\\slash %f",
         " \"two words\" \"say \\\"hi\\\"\" \"single quoted\" back\\slash \"%1\""},
        {"viewer \"\" trailing\\\\\\\\\\\\\\\\ \"ends in\\\\\\\\\\\\\\\\\"",
         " \"\" trailing\\\\ \"ends in\\\\\\\\\""},
        {"viewer\\sspaced %f", " spaced \"%1\""},  // "\s" is a blank
        // Literal place-holders and markers are written so that the launch
        // leaves them alone.
        {"viewer 100%%1 %%0 %%* -DDE %f", " 100%\"\"1 %\"\"0 %\"\"* -\"\"DDE \"%1\""},
        {"viewer \"a %%1 b\" %f", " \"a \"%\"1 b\" \"%1\""},
        {"viewer %z", "<none>"},
        {"viewer %", "<none>"},
        {"viewer \"unclosed", "<none>"},
        {"", "<none>"},
        {"%f", "<none>"},
    };
    xdg.globs("50:text/plain:*.txt\n");
    xdg.program("viewer");
    xdg.write("config/mimeapps.list", "[Default Applications]\ntext/plain=viewer.desktop\n");
    for (const Case& c : cases) {
        xdg.desktopEntry("viewer.desktop",
                         "[Desktop Entry]\nType=Application\nName=My Viewer\nIcon=pic\nExec=" + c.exec + "\n");
        const QString expected = c.command == "<none>" ? c.command : Program("viewer") + c.command;
        EXPECT_EQ(Command("text/plain"), expected) << c.exec.constData();
    }

    // A literal "%1" in the name or the Exec line reaches the program as
    // it stands, and the file goes where the file code was.
    xdg.desktopEntry("viewer.desktop",
                     "[Desktop Entry]\nType=Application\nName=Take %1 -DDE\nExec=viewer %c %%1 %f\n");
    const HelperCommand launched = BuildHelperCommand(Command("text/plain"), "D:/Notes.txt");
    EXPECT_EQ(platform::SplitCommandLine(launched.commandLine),
              QStringList({Program("viewer"), "Take %1 -DDE", "%1", "D:/Notes.txt"}));

    // An absolute program path is taken when it is an executable file.
    const QByteArray absolute = xdg.program("abs").toUtf8();
    xdg.desktopEntry("viewer.desktop", "[Desktop Entry]\nType=Application\nExec=" + absolute + " %f\n");
    EXPECT_EQ(Command("text/plain"), absolute + " \"%1\"");
    xdg.desktopEntry("viewer.desktop", "[Desktop Entry]\nType=Application\nExec=" + absolute + ".gone %f\n");
    EXPECT_EQ(Command("text/plain"), "<none>");
    xdg.desktopEntry("viewer.desktop", "[Desktop Entry]\nType=Application\nExec=bin/viewer %f\n");
    EXPECT_EQ(Command("text/plain"), "<none>");
}

TEST(DesktopEntry, ArgumentsAreQuotedForTheWindowsSplitter)
{
    EXPECT_EQ(DesktopEntry::QuoteArgument("plain"), "plain");
    EXPECT_EQ(DesktopEntry::QuoteArgument(""), "\"\"");
    EXPECT_EQ(DesktopEntry::QuoteArgument("%1"), "\"%1\"");
    EXPECT_EQ(DesktopEntry::QuoteArgument("a b"), "\"a b\"");
    EXPECT_EQ(DesktopEntry::QuoteArgument("tab\there"), "\"tab\there\"");
    EXPECT_EQ(DesktopEntry::QuoteArgument("a\"b"), "\"a\\\"b\"");
    EXPECT_EQ(DesktopEntry::QuoteArgument("a\\b"), "a\\b");
    EXPECT_EQ(DesktopEntry::QuoteArgument("a\\\"b"), "\"a\\\\\\\"b\"");
    EXPECT_EQ(DesktopEntry::QuoteArgument("dir\\ x\\"), "\"dir\\ x\\\\\"");

    QStringList arguments;
    EXPECT_TRUE(DesktopEntry::SplitExec("a  \"b c\"\t'd e' f\\ g \"\"", arguments));
    EXPECT_EQ(arguments, (QStringList{"a", "b c", "d e", "f g", ""}));
    EXPECT_FALSE(DesktopEntry::SplitExec("a 'b", arguments));
    EXPECT_FALSE(DesktopEntry::SplitExec("a b\\", arguments));
}

}  // namespace
