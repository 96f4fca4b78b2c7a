#include "app/CommandLine.h"

#include "app/VolumeChooser.h"
#include "platform/HostNames.h"
#include "platform/ModalRunner.h"
#include "res/StringTable.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// An argument as an error line shows it: control characters (a newline in
// a folder name, say) become "?" so the error stays on one line.
std::string Printable(std::string text)
{
    std::replace_if(
        text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }, '?');
    return text;
}

QString FromBytes(const std::string& bytes) { return platform::FromHostName(QByteArray::fromStdString(bytes)); }

// A text of the string table as the terminal gets it: an argument's own
// bytes stay as they were given.
std::string ToBytes(const QString& text) { return platform::ToHostName(text).toStdString(); }

bool IsOption(const std::string& argument) { return argument.size() > 1 && argument[0] == '-'; }

}  // namespace

CommandLine::CommandLine(int argc, const char* const* argv)
    : CommandLine(argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>())
{
}

// Left to right, the first argument that settles the matter wins: "--help",
// "--version", an unknown option or a second folder. "--choose" may stand
// anywhere among the options. "--" ends the options, so that any folder can
// be named.
CommandLine::CommandLine(const std::vector<std::string>& arguments)
{
    bool options = true;
    for (const std::string& argument : arguments) {
        if (options && argument == "--") {
            options = false;
        } else if (options && argument == "--help") {
            m_action = Action::ShowHelp;
            return;
        } else if (options && argument == "--version") {
            m_action = Action::ShowVersion;
            return;
        } else if (options && argument == "--choose") {
            m_choose = true;
        } else if (options && IsOption(argument)) {
            Fail(res::TextId::UnknownOption, argument);
            return;
        } else if (!m_folder.empty()) {
            Fail(res::TextId::OneFolderOnly, argument);
            return;
        } else if (argument.empty()) {
            Fail(res::TextId::NoSuchFolder, argument);
            return;
        } else {
            m_folder = argument;
        }
    }
}

void CommandLine::Fail(res::TextId text, const std::string& argument, const std::string& detail)
{
    m_action = Action::Fail;
    const QString shown = FromBytes(Printable(argument));
    m_error = ToBytes(detail.empty() ? res::Text(text, shown) : res::Text(text, shown, QString::fromLocal8Bit(detail)));
}

// Makes the folder current, or says why it cannot be.
bool CommandLine::EnterFolder()
{
    struct stat status {};
    if (::stat(m_folder.c_str(), &status) != 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            Fail(res::TextId::NoSuchFolder, m_folder);
        else
            Fail(res::TextId::CannotEnterFolder, m_folder, std::strerror(error));
        return false;
    }
    if (!S_ISDIR(status.st_mode)) {
        Fail(res::TextId::NotAFolder, m_folder);
        return false;
    }
    if (::chdir(m_folder.c_str()) != 0) {
        Fail(res::TextId::CannotEnterFolder, m_folder, std::strerror(errno));
        return false;
    }
    // As a shell would have set it for a program started in the folder.
    char cwd[PATH_MAX];
    if (::getcwd(cwd, sizeof cwd))
        ::setenv("PWD", cwd, 1);
    return true;
}

std::optional<int> CommandLine::Apply(std::FILE* out, std::FILE* err)
{
    if (m_action == Action::Start && !m_folder.empty())
        EnterFolder();
    switch (m_action) {
    case Action::Start:
        return std::nullopt;
    case Action::ShowHelp:
        std::fputs(ToBytes(res::Text(res::TextId::CommandLineUsage)).c_str(), out);
        return EXIT_SUCCESS;
    case Action::ShowVersion:
        std::fputs(ToBytes(res::Text(res::TextId::CommandLineVersion)).c_str(), out);
        return EXIT_SUCCESS;
    case Action::Fail:
        break;
    }
    std::fprintf(err, "%s\n", m_error.c_str());
    return kUsageError;
}

std::optional<int> CommandLine::ChooseFolder(std::FILE* err)
{
    if (!ChoosesFolder())
        return std::nullopt;
    const std::optional<QString> chosen = AskForVolumeFolder();
    if (!chosen)
        return EXIT_SUCCESS;
    m_folder = platform::ToHostName(*chosen).toStdString();
    if (EnterFolder())
        return std::nullopt;
    // Started from the menu, nobody reads the error line.
    std::fprintf(err, "%s\n", m_error.c_str());
    AfxMessageBox(FromBytes(m_error), MessageButtons::Ok, MessageIcon::Exclamation);
    return kUsageError;
}
