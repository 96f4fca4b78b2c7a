#include "platform/gui/HelpPage.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace platform {

QString FindHelpPage(const QString& programDir, const QString& pageName)
{
    const QDir dir(programDir);
    for (const QString& candidate : {dir.filePath(pageName),
                                     dir.filePath(QStringLiteral("../../share/doc/vellora/") + pageName),
                                     dir.filePath(QStringLiteral("../share/doc/vellora/") + pageName)}) {
        const QFileInfo info(candidate);
        if (info.isFile())
            return info.absoluteFilePath();
    }
    return {};
}

bool OpenHelpPage(const QString& hostPath)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(hostPath));
}

}  // namespace platform
