// The desktop's association files on any bytes: the input is cut into a
// globs2 file, an aliases file, a subclasses file, a mimeapps.list and a
// desktop entry, written into a fresh XDG tree, and the default command of
// every type the globs name is looked up.

#include "FuzzInput.h"
#include "desktop/MimeApps.h"
#include "desktop/SharedMimeInfo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

void Write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir tree;
    const QList<QByteArray> parts = fuzz::Parts(fuzz::Bytes(data, size));
    const QString root = tree.path();
    const QString dataDir = root + QStringLiteral("/data");
    const QString configDir = root + QStringLiteral("/config");
    Write(dataDir + QStringLiteral("/mime/globs2"), parts.value(0));
    Write(dataDir + QStringLiteral("/mime/aliases"), parts.value(1));
    Write(dataDir + QStringLiteral("/mime/subclasses"), parts.value(2));
    Write(configDir + QStringLiteral("/mimeapps.list"), parts.value(3));
    Write(dataDir + QStringLiteral("/applications/fuzz.desktop"), parts.value(4));

    const SharedMimeInfo mime({dataDir});
    MimeApps apps(mime, {configDir}, {dataDir}, {QStringLiteral("fuzz")});
    int looked = 0;
    for (const SharedMimeInfo::Extension& extension : mime.Extensions()) {
        mime.TypeForName(QStringLiteral("x") + extension.name);
        apps.DefaultCommand(extension.type);
        if (++looked == 50)
            break;
    }
    return 0;
}
