#include "platform/Process.h"

#include "platform/DriveTable.h"
#include "platform/HostNames.h"
#include "platform/WinTypes.h"

#include <QByteArray>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <vector>

extern char** environ;

namespace platform {

namespace {

bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }

// The program name: up to the next quote when it starts with one (no
// backslash rules at all), else up to the first blank or tab. Returns the
// position after it, with separating blanks skipped.
qsizetype SplitProgramName(const QString& line, QString& name)
{
    const qsizetype size = line.size();
    qsizetype i = 0;
    if (size > 0 && line[0] == u'"') {
        const qsizetype close = line.indexOf(u'"', 1);
        const qsizetype end = close < 0 ? size : close;
        name = line.mid(1, end - 1);
        i = close < 0 ? size : close + 1;
    } else {
        while (i < size && !IsBlank(line[i]))
            ++i;
        name = line.left(i);
    }
    while (i < size && IsBlank(line[i]))
        ++i;
    return i;
}

}  // namespace

QStringList SplitCommandLine(const QString& commandLine)
{
    QStringList arguments;
    if (commandLine.isEmpty())
        return arguments;

    QString program;
    qsizetype i = SplitProgramName(commandLine, program);
    arguments.append(program);

    const qsizetype size = commandLine.size();
    while (i < size) {
        QString argument;
        // quotes counts the quotes of the current run: 1 means inside a
        // quoted part; every third quote of a run is a literal quote.
        int quotes = 0;
        int backslashes = 0;
        for (; i < size; ++i) {
            const QChar c = commandLine[i];
            if (IsBlank(c) && quotes == 0)
                break;
            if (c == u'\\') {
                argument.append(c);
                ++backslashes;
                continue;
            }
            if (c != u'"') {
                argument.append(c);
                backslashes = 0;
                continue;
            }
            if (backslashes % 2 == 0) {
                // 2n backslashes: n of them stay, the quote groups.
                argument.chop(backslashes / 2);
                ++quotes;
            } else {
                // 2n+1 backslashes: n of them stay, then a literal quote.
                argument.chop(backslashes / 2 + 1);
                argument.append(u'"');
            }
            backslashes = 0;
            while (i + 1 < size && commandLine[i + 1] == u'"') {
                ++i;
                if (++quotes == 3) {
                    argument.append(u'"');
                    quotes = 0;
                }
            }
            if (quotes == 2)
                quotes = 0;
        }
        arguments.append(argument);
        while (i < size && IsBlank(commandLine[i]))
            ++i;
    }
    return arguments;
}

namespace {

// "X:" at the start: the path names its drive itself (D:\SOFTWARE\x,
// C:relative).
bool NamesDrive(const QString& text)
{
    if (text.size() < 2 || text[1] != u':')
        return false;
    const char16_t letter = text[0].unicode();
    return (letter >= u'A' && letter <= u'Z') || (letter >= u'a' && letter <= u'z');
}

// "X:" alone, or "X:" followed by a separator: a path on an emulated drive.
bool IsDrivePath(const QString& text)
{
    return NamesDrive(text) && (text.size() == 2 || text[2] == u'/' || text[2] == u'\\');
}

// A drive path argument becomes its host path; a drive path on a drive
// that does not exist, and every other argument, stays as written.
std::vector<QByteArray> HostArguments(const QStringList& arguments)
{
    std::vector<QByteArray> result;
    result.reserve(arguments.size());
    for (const QString& argument : arguments) {
        const QString host = IsDrivePath(argument) ? HostPath(argument) : QString();
        result.push_back(ToHostName(host.isEmpty() ? argument : host));
    }
    return result;
}

// The host path of a program, found only where its path itself says. A
// path with a drive is read on that drive. A path without a drive that
// starts with a separator is the host file of that name, with every "\"
// read as "/" (a host path such as /usr/bin/viewer, or the built-in
// /opt/vellora\grafel.exe, after the helper launch's separator change);
// it is never looked for at the root of the current drive, which is the
// volume. Anything else, a bare name or a path relative to the current
// folder, names nothing: the current folder lies on the volume being
// browsed, and nothing there runs because of where it lies.
QString ProgramHostPath(const QString& program)
{
    if (NamesDrive(program))
        return HostPath(program);
    if (program.startsWith(u'/') || program.startsWith(u'\\'))
        return QString(program).replace(u'\\', u'/');
    return {};
}

int ErrorCodeOf(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
        return ERROR_ACCESS_DENIED;
    default:
        return error;
    }
}

// Started children and their reapers. The state is shared with every
// reaper thread so that a thread still waiting when the program ends never
// touches a destroyed object.
struct ChildState {
    std::mutex mutex;
    std::condition_variable allReaped;
    int running = 0;
    std::vector<pid_t> unwatched;  // children no thread could be made for
};

std::shared_ptr<ChildState> Children()
{
    static const std::shared_ptr<ChildState> state = std::make_shared<ChildState>();
    return state;
}

// Collects the children that had no waiting thread and have ended since.
// Called with the state locked.
void ReapUnwatched(ChildState& state)
{
    std::erase_if(state.unwatched, [&](pid_t pid) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == 0)
            return false;
        --state.running;
        return true;
    });
}

// Waits for the child in a detached thread so that it never stays a zombie;
// the program itself never waits for a helper.
void Reap(pid_t pid)
{
    std::shared_ptr<ChildState> state = Children();
    const std::lock_guard lock(state->mutex);
    ReapUnwatched(*state);
    ++state->running;
    auto wait = [pid, state] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        const std::lock_guard threadLock(state->mutex);
        if (--state->running == 0)
            state->allReaped.notify_all();
    };
    try {
        std::thread(wait).detach();
    } catch (const std::system_error&) {
        // No thread to be had now: the child is collected by a later start
        // instead of blocking the program until the helper ends.
        state->unwatched.push_back(pid);
    }
}

// The spawn attributes every helper gets: its own session (detached from
// the program's terminal and process group), default signal dispositions,
// an empty signal mask, standard input from /dev/null and none of the
// program's other descriptors.
class SpawnSetup {
public:
    SpawnSetup()
    {
        posix_spawnattr_init(&m_attributes);
        posix_spawn_file_actions_init(&m_actions);
        sigset_t signalSet;
        sigemptyset(&signalSet);
        posix_spawnattr_setsigmask(&m_attributes, &signalSet);
        sigfillset(&signalSet);
        sigdelset(&signalSet, SIGKILL);
        sigdelset(&signalSet, SIGSTOP);
        posix_spawnattr_setsigdefault(&m_attributes, &signalSet);
        posix_spawnattr_setflags(&m_attributes,
                                 POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        posix_spawn_file_actions_addopen(&m_actions, 0, "/dev/null", O_RDONLY, 0);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
        posix_spawn_file_actions_addclosefrom_np(&m_actions, 3);
#endif
    }
    ~SpawnSetup()
    {
        posix_spawn_file_actions_destroy(&m_actions);
        posix_spawnattr_destroy(&m_attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    // Starts program with arguments; 0 or the errno of the failed start
    // (glibc reports the exec error of the child here).
    int Spawn(const QByteArray& program, const std::vector<QByteArray>& arguments)
    {
        std::vector<char*> argv;
        argv.reserve(arguments.size() + 1);
        for (const QByteArray& argument : arguments)
            argv.push_back(const_cast<char*>(argument.constData()));
        argv.push_back(nullptr);
        pid_t pid = 0;
        const int error = posix_spawn(&pid, program.constData(), &m_actions, &m_attributes,
                                      argv.data(), environ);
        if (error == 0)
            Reap(pid);
        return error;
    }

private:
    posix_spawnattr_t m_attributes;
    posix_spawn_file_actions_t m_actions;
};

// Tries every folder of PATH in turn by the execvp rules (a refused
// candidate is remembered while the search goes on), except that a file
// that is not a program is never handed to a shell, and that an empty or
// relative entry, which would name the current folder on the volume, is
// passed over.
int SpawnOnPath(SpawnSetup& setup, const QByteArray& name, const std::vector<QByteArray>& argv)
{
    const char* pathVariable = std::getenv("PATH");
    const QByteArray path = pathVariable ? QByteArray(pathVariable) : QByteArray("/bin:/usr/bin");
    bool refused = false;
    for (const QByteArray& folder : path.split(':')) {
        if (!folder.startsWith('/'))
            continue;
        const int error = setup.Spawn(folder + '/' + name, argv);
        switch (error) {
        case 0:
            return 0;
        case EACCES:
            refused = true;
            break;
        case ENOENT:
        case ENOTDIR:
        case ESTALE:
        case ENODEV:
        case ETIMEDOUT:
            break;
        default:
            return error;
        }
    }
    return refused ? EACCES : ENOENT;
}

}  // namespace

int CreateProcess(const QString& programPath, const QString& commandLine)
{
    const QString hostProgram = ProgramHostPath(programPath);
    if (programPath.isEmpty() || hostProgram.isEmpty())
        return ERROR_FILE_NOT_FOUND;

    std::vector<QByteArray> argv = HostArguments(SplitCommandLine(commandLine));
    const QByteArray program = ToHostName(hostProgram);
    // The program sees the path it was started from as its first argument.
    if (argv.empty())
        argv.push_back(program);
    else
        argv.front() = program;

    SpawnSetup setup;
    const int error = setup.Spawn(program, argv);
    return error == 0 ? 0 : ErrorCodeOf(error);
}

unsigned WinExec(const QString& commandLine, int /*showCommand*/)
{
    constexpr unsigned kStarted = 33;  // any value of 32 or more means started
    const QStringList arguments = SplitCommandLine(commandLine);
    if (arguments.isEmpty() || arguments.front().isEmpty())
        return ERROR_FILE_NOT_FOUND;

    std::vector<QByteArray> argv = HostArguments(arguments);
    const QString& name = arguments.front();
    SpawnSetup setup;
    int error = 0;
    if (NamesDrive(name) || name.contains(u'/') || name.contains(u'\\')) {
        const QString host = ProgramHostPath(name);
        if (host.isEmpty())
            return ERROR_FILE_NOT_FOUND;
        argv.front() = ToHostName(host);
        error = setup.Spawn(argv.front(), argv);
    } else {
        error = SpawnOnPath(setup, argv.front(), argv);
    }
    if (error == 0)
        return kStarted;
    if (error == ENOEXEC)
        return ERROR_BAD_FORMAT;
    // Codes of 32 and more would read as success.
    const int code = ErrorCodeOf(error);
    return code < 32 ? unsigned(code) : 0u;
}

bool WaitForStartedPrograms(int timeoutMs)
{
    const std::shared_ptr<ChildState> state = Children();
    std::unique_lock lock(state->mutex);
    ReapUnwatched(*state);
    return state->allReaped.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                     [&] { return state->running == 0; });
}

}  // namespace platform
