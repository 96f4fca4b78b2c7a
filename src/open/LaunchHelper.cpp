#include "open/LaunchHelper.h"

#include "open/CHelperStarter.h"
#include "platform/WinTypes.h"
#include "res/StringTable.h"

#include <algorithm>

namespace {

// The file path as it stands between quotes on the command line. Paths
// hold no quote on Windows; a host file name may, and such a quote (with
// the backslashes right before it) is escaped so that the path still
// reaches the program as one argument. Other paths are kept unchanged.
QString QuotedInside(const QString& filePath)
{
    if (!filePath.contains(u'"'))
        return filePath;
    QString result;
    qsizetype backslashes = 0;
    for (const QChar c : filePath) {
        if (c == u'\\') {
            ++backslashes;
        } else {
            if (c == u'"')
                result.append(QString(backslashes + 1, u'\\'));
            backslashes = 0;
        }
        result.append(c);
    }
    return result;
}

// Removes the first occurrence of marker, with extra characters after it,
// that lies wholly outside the inserted file path [pathStart, pathEnd): a
// file whose name holds "-DDE" or "%*" still reaches the program intact.
void RemoveMarker(QString& commandLine, const QString& marker, qsizetype extra,
                  qsizetype& pathStart, qsizetype& pathEnd)
{
    for (qsizetype at = commandLine.indexOf(marker); at >= 0;
         at = commandLine.indexOf(marker, at + 1)) {
        const qsizetype length = std::min(marker.size() + extra, commandLine.size() - at);
        const bool overlapsPath = at < pathEnd && at + length > pathStart;
        if (overlapsPath)
            continue;
        commandLine.remove(at, length);
        if (at < pathStart) {
            pathStart -= length;
            pathEnd -= length;
        }
        return;
    }
}

QString CommandLineOf(QString application, const QString& filePath)
{
    // Two quotes alone: the file itself is the program.
    if (application == QStringLiteral("\"\""))
        application = filePath;

    QString commandLine;
    qsizetype pathStart = 0;  // where the file path stands in the command line
    qsizetype pathEnd = 0;
    const QString inside = QuotedInside(filePath);
    const auto appendPath = [&](bool quoted) {
        if (quoted)
            commandLine += u'"';
        pathStart = commandLine.size();
        commandLine += inside;
        pathEnd = commandLine.size();
        if (quoted)
            commandLine += u'"';
    };

    const qsizetype programOnly = application.indexOf(QStringLiteral("%0"));
    const qsizetype placeholder = application.indexOf(QStringLiteral("%1"));
    if (programOnly >= 0) {
        commandLine = application.left(programOnly);
    } else if (placeholder >= 0) {
        commandLine = application.left(placeholder);
        appendPath(!commandLine.endsWith(u'"'));
        commandLine += application.mid(placeholder + 2);
    } else {
        commandLine = application + u' ';
        appendPath(true);
    }

    RemoveMarker(commandLine, QStringLiteral("-DDE"), 1, pathStart, pathEnd);
    RemoveMarker(commandLine, QStringLiteral("%*"), 0, pathStart, pathEnd);
    return commandLine;
}

QString ProgramPathOf(const QString& commandLine)
{
    QString program;
    if (commandLine.startsWith(u'"')) {
        const qsizetype close = commandLine.indexOf(u'"', 1);
        program = close < 0 ? commandLine.mid(1) : commandLine.mid(1, close - 1);
    } else {
        const qsizetype blank = commandLine.indexOf(u' ');
        program = blank < 0 ? commandLine : commandLine.left(blank);
    }
    program.replace(u'/', u'\\');
    return program;
}

QString ReasonFor(int error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return res::Text(res::TextId::ReasonFileNotFound);
    case ERROR_ACCESS_DENIED:
        return res::Text(res::TextId::ReasonAccessDenied);
    default:
        return res::Text(res::TextId::ReasonSystemError, QString::number(error));
    }
}

}  // namespace

HelperCommand BuildHelperCommand(const QString& application, const QString& filePath)
{
    HelperCommand command;
    command.commandLine = CommandLineOf(application, filePath);
    command.programPath = ProgramPathOf(command.commandLine);
    return command;
}

QString LaunchHelper(QString typeName, QString application, QString filePath,
                     CHelperStarter& starter)
{
    const HelperCommand command = BuildHelperCommand(application, filePath);
    const int error = starter.CreateProcess(command.programPath, command.commandLine);
    if (error == 0)
        return {};
    // A missing program or denied access is final; any other refusal gets a
    // second attempt that lets the platform find the program itself.
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_ACCESS_DENIED &&
        starter.WinExec(command.commandLine) >= 32)
        return {};
    return res::Text(res::TextId::UnableToStartHelper, typeName, ReasonFor(error));
}

QString LaunchHelper(QString typeName, QString application, QString filePath)
{
    CHelperStarter starter;
    return LaunchHelper(std::move(typeName), std::move(application), std::move(filePath), starter);
}

void SplitMissingHelper(const QString& application, QString& name, QString& arguments)
{
    QString program;
    arguments.clear();
    if (application.startsWith(u'"')) {
        const qsizetype close = application.indexOf(u'"', 1);
        program = close < 0 ? application.mid(1) : application.mid(1, close - 1);
        if (close >= 0)
            arguments = application.mid(close + 1);
    } else {
        program = application.mid(application.lastIndexOf(u'\\') + 1);
        const qsizetype blank = program.indexOf(u' ');
        if (blank >= 0) {
            arguments = program.mid(blank);
            program.truncate(blank);
        }
    }
    const qsizetype cut = std::max(program.lastIndexOf(u'\\'), program.lastIndexOf(u'/'));
    name = program.mid(cut + 1);
}
