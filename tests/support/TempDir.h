#pragma once
// A temporary folder for one test, with helpers to lay out files in it.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class TempDir {
public:
    TempDir();
    QString path() const { return m_dir.path(); }
    // Absolute path of a relative name inside the folder.
    QString file(const QString& relative) const;
    // Writes a file (creating parent folders) and returns its path.
    QString write(const QString& relative, const QByteArray& contents) const;
    // Creates a folder (with parents) and returns its path.
    QString mkdir(const QString& relative) const;

private:
    QTemporaryDir m_dir;
};
