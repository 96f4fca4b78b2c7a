#include "app/VolumeChooser.h"

#include "platform/DriveTable.h"
#include "platform/HostNames.h"
#include "platform/ModalRunner.h"
#include "res/StringTable.h"

#include <QDir>

#include <pwd.h>
#include <unistd.h>

namespace {

bool LiesUnder(const QString& path, const QString& folder)
{
    return path.size() > folder.size() + 1 && path.startsWith(folder) && path[folder.size()] == u'/';
}

// The name udisks and the desktop mount media under (/media/NAME): the
// account's own name, $USER only when the account has no entry.
QString UserName()
{
    if (const passwd* account = ::getpwuid(::getuid()); account && account->pw_name)
        return platform::FromHostName(QByteArray(account->pw_name));
    return qEnvironmentVariable("USER");
}

}  // namespace

QString VolumeChooserStartFolder(const QStringList& mountPoints, const QString& userName, const QString& home)
{
    QStringList candidates;
    if (!userName.isEmpty() && !userName.contains(u'/'))
        candidates << QStringLiteral("/media/") + userName << QStringLiteral("/run/media/") + userName;
    candidates << QStringLiteral("/media") << QStringLiteral("/run/media") << QStringLiteral("/mnt");
    for (const QString& candidate : candidates) {
        for (const QString& point : mountPoints) {
            if (LiesUnder(point, candidate))
                return candidate;
        }
    }
    return home;
}

std::optional<QString> AskForVolumeFolder()
{
    CModalRunner* runner = CModalRunner::Current();
    if (!runner)
        return std::nullopt;
    FolderDialogRequest request;
    request.title = res::Text(res::TextId::ChooseVolumeTitle);
    request.startFolder = VolumeChooserStartFolder(platform::MediaMountPoints(), UserName(), QDir::homePath());
    if (!runner->GetExistingDirectory(request) || request.chosenPath.isEmpty())
        return std::nullopt;
    return request.chosenPath;
}
