#pragma once
// Runs a tool (an installer, a validator, a packager) to its end, its output
// and error stream together; its exit code, or -1 when it did not finish
// within the time given or ended by a signal.

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

int RunTool(const QString& program, const QStringList& arguments, QByteArray* output = nullptr,
            const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(), int timeoutMs = 120000);
