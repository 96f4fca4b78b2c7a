#pragma once
// Runs a program the way a user's shell would, but with nothing to show
// windows on and a private home: HOME and every XDG_* folder point into
// home, DISPLAY and WAYLAND_DISPLAY are unset, and QT_QPA_PLATFORM names a
// platform that does not exist, so a program that tried to open a window
// would abort instead of opening one.

#include <QByteArray>
#include <QString>
#include <QStringList>

struct ProgramRun {
    bool finished = false;  // ran to its end by itself, not killed by a signal
    int exitCode = -1;
    QByteArray out;
    QByteArray err;

    static ProgramRun Start(const QString& program, const QStringList& arguments, const QString& home,
                            const QString& workingDir = QString());
};
