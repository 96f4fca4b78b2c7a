#include "support/TestEnvironment.h"

#include <QTemporaryDir>

void IsolateTestEnvironment(const QTemporaryDir& home)
{
    const QByteArray root = home.path().toUtf8();
    qputenv("HOME", root);
    qputenv("XDG_CONFIG_HOME", root + "/config");
    qputenv("XDG_DATA_HOME", root + "/data");
    qputenv("XDG_CACHE_HOME", root + "/cache");
    qputenv("XDG_STATE_HOME", root + "/state");
    qputenv("XDG_RUNTIME_DIR", root + "/runtime");
    qputenv("XDG_CONFIG_DIRS", root + "/etc-xdg");
    qputenv("XDG_DATA_DIRS", root + "/share");
}
