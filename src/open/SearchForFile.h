#pragma once
// The search for a missing helper program below a start folder.

#include <QString>

class ProgressSink;

// Looks below folder (a drive path such as "C:" or "D:/Software"; empty
// means the root of the current drive) for a file named fileName, compared
// without regard to case. The walk is depth-first and pre-order in the
// order the file system lists each folder: a plain subfolder is searched
// completely as soon as it is met, and the first match ends the search.
// Names that begin with "." are skipped; only plain folders are entered
// (a link to a folder, or a folder with further attributes, counts as a
// file). Every folder visited sets the progress text to "Scanning: " and
// its path and steps the progress once (progress may be null).
// On a match foundPath becomes the match's path, the folders joined with
// "/" and then every "/" turned into "\" (D:\Software\BIN\SKYGLASS.EXE),
// and the result is true; otherwise foundPath is left alone.
// The walk keeps one open listing per level instead of recursing, so a
// tree of any depth is searched without exhausting the call stack.
bool SearchForFile(QString folder, QString fileName, QString& foundPath, ProgressSink* progress);
