#pragma once
// A desktop entry file (*.desktop): the [Desktop Entry] group and what it
// takes to open one file with the application it describes.

#include <QHash>
#include <QString>
#include <QStringList>

class DesktopEntry {
public:
    // Reads the file at hostPath; false when it cannot be read or holds no
    // [Desktop Entry] group.
    bool Load(const QString& hostPath);
    // Parses desktop entry text; path is what "%k" stands for.
    bool Parse(const QByteArray& text, const QString& path);

    // Unlocalised value of a key, string escapes undone; empty when absent.
    QString Value(const QString& key) const;
    bool Flag(const QString& key) const;
    // A ";"-separated list value, empty items dropped.
    QStringList List(const QString& key) const;

    // The command line that opens one file, "%1" standing for the file,
    // quoted for the Windows command-line splitter; its program is the
    // absolute host path of the program found on PATH. Empty when the entry
    // cannot open files on this machine: not an application, hidden, a
    // TryExec or Exec program that is not installed, an Exec line that
    // cannot be read, or a terminal application without x-terminal-emulator.
    QString OpenCommand() const;

    // Splits an Exec value (string escapes already undone) by the desktop
    // entry quoting rules; false when its quotes do not close.
    static bool SplitExec(const QString& exec, QStringList& arguments);
    // Quotes one argument for the Windows command-line splitter. An
    // argument of exactly "%1" is the file's place-holder and stays one; in
    // any other text "%0", "%1", "%*" and "-DDE" are literal, and are
    // written so that the helper launch does not take them for its own
    // while the splitter still gives them back.
    static QString QuoteArgument(const QString& argument);
    // The absolute path of a program (a name looked up on PATH, or an
    // absolute path); empty when it is not an executable file.
    static QString FindProgram(const QString& program);

private:
    // Expands the field codes; the file's place-holder is marked by a
    // character of its own, so that literal text never stands for it.
    bool ExpandFieldCodes(const QStringList& arguments, QStringList& expanded) const;
    static QString QuoteText(const QString& text);

    QString m_path;
    QHash<QString, QString> m_values;  // raw values of [Desktop Entry]
};
