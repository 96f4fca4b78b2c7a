#pragma once
// The vellora-view command line, parsed.

#include <QString>
#include <QStringList>

namespace viewcli {

struct ViewOptions {
    enum class Action { Info, Export, Help, Version };
    Action action = Action::Info;
    bool json = false;
    QString file;
    QString exportPath;
    bool exportPng = false;  // by the export file's extension; CSV otherwise
    QString object;          // empty: the first table or image
    long long band = 1;      // from 1

    // Parses the arguments after the program's name. On bad usage returns
    // false with the message (one line, ending in a line end) in `error`.
    bool Parse(const QStringList& arguments, QString& error);
};

}  // namespace viewcli
