#include "helpers/SystemViewers.h"

#include "helpers/CRegistryKey.h"
#include "res/StringTable.h"

void ScanSystemViewers(CHelperList& list)
{
    CRegistryKey root;
    if (!root.Open(HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Classes"), KEY_READ))
        return;

    const DWORD count = root.GetSubKeyCount();
    for (DWORD index = 0; index < count; ++index) {
        const QString extension = root.EnumSubKey(index);
        if (!extension.startsWith(u'.'))
            continue;

        CRegistryKey extensionKey;
        if (!extensionKey.Open(root, extension, KEY_READ))
            continue;
        const QString fileType = extensionKey.QueryString(nullptr, QString());
        const QString contentType = extensionKey.QueryString(QStringLiteral("Content Type"), QString());
        extensionKey.Close();

        QString command;
        CRegistryKey commandKey;
        if (!fileType.isEmpty() && commandKey.Open(root, fileType + QStringLiteral("\\shell\\Open\\command"), KEY_READ)) {
            command = commandKey.QueryString(nullptr, QString());
            commandKey.Close();
        }
        if (command.isEmpty())
            continue;

        list.push_back(std::make_unique<CHelperEntry>(contentType, command, fileType, extension,
                                                      res::Text(res::TextId::SystemViewerName, extension),
                                                      QString()));
    }
    root.Close();
}
