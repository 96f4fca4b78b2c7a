#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempDir::TempDir() = default;

QString TempDir::file(const QString& relative) const { return m_dir.filePath(relative); }

QString TempDir::write(const QString& relative, const QByteArray& contents) const
{
    const QString target = file(relative);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile out(target);
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        out.write(contents);
    return target;
}

QString TempDir::mkdir(const QString& relative) const
{
    const QString target = file(relative);
    QDir().mkpath(target);
    return target;
}
