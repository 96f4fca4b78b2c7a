#pragma once
// How vellora-view starts: with one FILE it opens the window on it;
// with --thumbnail it writes a thumbnail; anything else is the command
// line's (--info, --export, --help, --version).

#include <optional>

namespace viewer {

// Runs the window or the thumbnailer when the arguments ask for one of
// them and returns the exit status; nullopt leaves them to the command line.
std::optional<int> RunViewer(int& argc, char** argv);

}  // namespace viewer
