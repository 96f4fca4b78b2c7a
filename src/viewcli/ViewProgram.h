#pragma once
// The vellora-view command line: parses the arguments, runs --info or
// --export, and says how it went by its exit status.

#include <QStringList>

#include <string>

namespace viewcli {

enum ExitStatus { kExitOk = 0, kExitFailure = 1, kExitUsage = 2 };

class ViewProgram {
public:
    // Runs with the arguments after the program's name; what is to be
    // printed is left in out() and err().
    int Run(const QStringList& arguments);

    const std::string& out() const { return m_out; }
    const std::string& err() const { return m_err; }

private:
    int Info(const QString& file, bool json);
    int Export(const QString& file, const QString& target, bool png, const QString& object, long long band);
    int Fail(const QString& message);

    std::string m_out;
    std::string m_err;
};

}  // namespace viewcli
