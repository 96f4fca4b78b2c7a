#pragma once
// Starting a helper program on a file.

#include <QString>

class CHelperStarter;

// What a helper is started with.
struct HelperCommand {
    QString commandLine;  // what the program receives
    QString programPath;  // the program to start, with "\" separators
};

// Builds the command line from a helper's application text and the file
// path: "" alone makes the file its own program; the text before "%0"
// carries no file; the first "%1" is replaced by the file path (quoted
// unless a quote stands right before it); with neither, the quoted path is
// appended after a blank. Then the first "-DDE" with the character after
// it and the first "%*" are removed. The program path is the first quoted
// part or the text before the first blank.
HelperCommand BuildHelperCommand(const QString& application, const QString& filePath);

// Starts the helper detached and returns at once. Empty text on success,
// else the message for the user: "Unable to start helper for \"" + type
// name + "\" type content.\nReason: " + the reason.
QString LaunchHelper(QString typeName, QString application, QString filePath);
// The same through a given starter.
QString LaunchHelper(QString typeName, QString application, QString filePath,
                     CHelperStarter& starter);

// Splits a helper's application text into the program's file name and the
// arguments that follow it. A quoted program is taken from inside its
// quotes, and the arguments are what follows the closing quote. Otherwise
// the name starts after the last "\" and ends before the first blank after
// it, and the arguments are the rest from that blank. "/" also separates
// folders inside the name.
void SplitMissingHelper(const QString& application, QString& name, QString& arguments);
