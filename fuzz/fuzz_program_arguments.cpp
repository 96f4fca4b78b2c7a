// The program's own command line on any arguments: the input cut at NUL
// bytes into arguments, read as main() reads them (nothing is applied, so
// the current folder never changes).

#include "app/CommandLine.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> arguments;
    std::string current;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            arguments.push_back(current);
            current.clear();
        } else {
            current.push_back(static_cast<char>(data[i]));
        }
    }
    if (size > 0)
        arguments.push_back(current);
    const CommandLine commandLine(arguments);
    const bool fails = commandLine.GetAction() == CommandLine::Action::Fail;
    if (fails == commandLine.Error().empty())
        __builtin_trap();  // an error needs its line, and only an error has one
    if (commandLine.Error().find('\n') != std::string::npos)
        __builtin_trap();  // the error is one line
    return 0;
}
