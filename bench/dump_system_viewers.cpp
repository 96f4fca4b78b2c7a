// Prints every entry the system viewer scan gives on the XDG folders of the
// environment, one line each, in the scan's order: extension, content
// type, application, description, name and message, tab-separated. Two runs
// on the same folders print the same lines, so a change to the scan or to
// what it reads is checked by comparing them.

#include "helpers/SystemViewers.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    CHelperList list;
    ScanSystemViewers(list);
    for (const auto& entry : list) {
        const QString line = QStringList{entry->m_strExtension, entry->m_strContentType, entry->m_strApplication,
                                         entry->m_strDescription, entry->m_strName, entry->m_strMessage}
                                 .join(u'\t');
        std::printf("%s\n", line.toUtf8().constData());
    }
    return 0;
}
