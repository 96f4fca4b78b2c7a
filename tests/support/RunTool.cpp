#include "support/RunTool.h"

#include <QProcess>

int RunTool(const QString& program, const QStringList& arguments, QByteArray* output, const QProcessEnvironment& env,
            int timeoutMs)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(timeoutMs);
    if (output)
        *output = process.readAll();
    return finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}
