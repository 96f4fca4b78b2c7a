#pragma once
// The program's command line, `vellora [--choose] [FOLDER]`, settled before
// anything else runs. A folder becomes the current directory, exactly as if
// the program had been started there; this is how a file manager hands over
// a volume. "--choose" without a folder (the desktop's menu entry) asks for
// the folder with the desktop's folder dialog once Qt runs (ChooseFolder).
// "--help" and "--version" print and end the program; any other argument
// ends it with a one-line error and exit status 2. Apply needs no display,
// the settings store or Qt's application object.

#include "res/StringTable.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

class CommandLine {
public:
    enum class Action { Start, ShowHelp, ShowVersion, Fail };
    static constexpr int kUsageError = 2;

    // The arguments after the program's name.
    explicit CommandLine(const std::vector<std::string>& arguments);
    // main()'s arguments; argv[0] is the program's name.
    CommandLine(int argc, const char* const* argv);

    Action GetAction() const { return m_action; }
    // The folder given; empty when none was.
    const std::string& Folder() const { return m_folder; }
    // The error line without its line end; empty unless the action is Fail.
    const std::string& Error() const { return m_error; }

    // Does what the command line asks: prints the usage or the version line
    // to out, or the error to err, or makes the folder the current
    // directory. Returns the exit status when the program is to end there,
    // nothing when it is to start.
    std::optional<int> Apply(std::FILE* out, std::FILE* err);

    // True when the folder is to be asked for: "--choose" without a folder.
    bool ChoosesFolder() const { return m_action == Action::Start && m_choose && m_folder.empty(); }
    // When ChoosesFolder: asks for the folder through the modal runner and
    // makes it the current directory, as if it had been given. Returns the
    // exit status when the program is to end there: 0 when the user cancels,
    // 2 when the chosen folder cannot be entered (the error goes to err and
    // into a message box). Nothing otherwise, and then nothing was asked.
    std::optional<int> ChooseFolder(std::FILE* err);

private:
    void Fail(res::TextId text, const std::string& argument, const std::string& detail = {});
    bool EnterFolder();

    Action m_action = Action::Start;
    bool m_choose = false;
    std::string m_folder;
    std::string m_error;
};
