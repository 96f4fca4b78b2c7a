#pragma once
// Asking for the volume's folder when the program is started from the
// desktop's menu, before anything else is read: the desktop's folder
// dialog, through the modal runner, opened where removable media are
// mounted when there are any, else in the home folder.

#include <QString>
#include <QStringList>

#include <optional>

// Where the folder dialog opens: the first of /media/USER, /run/media/USER,
// /media, /run/media and /mnt under which one of mountPoints lies (so the
// media show as its entries), else home. An empty userName skips the
// per-user folders.
QString VolumeChooserStartFolder(const QStringList& mountPoints, const QString& userName, const QString& home);

// Runs the folder dialog through the modal runner, opened at the start
// folder for the machine's media, the user's name and home folder. The
// chosen folder as a host path, or nothing when the user cancels.
std::optional<QString> AskForVolumeFolder();
