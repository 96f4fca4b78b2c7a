#include "open/CHelperStarter.h"

#include "platform/Process.h"
#include "platform/WinTypes.h"

int CHelperStarter::CreateProcess(const QString& programPath, const QString& commandLine)
{
    return platform::CreateProcess(programPath, commandLine);
}

unsigned CHelperStarter::WinExec(const QString& commandLine)
{
    return platform::WinExec(commandLine, SW_SHOW);
}
