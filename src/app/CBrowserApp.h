#pragma once
// The application object: the start-up sequence. It shows the volume's
// description in the Volume Contents dialog and, when the user explores,
// runs the browser window; the program ends when InitInstance returns.

#include "platform/CWinApp.h"

#include <QString>

class CBrowserApp : public CWinApp {
public:
    // Always false: there is no message loop outside the modal dialogs.
    bool InitInstance() override;

    // The folder of the program's executable, without a trailing separator.
    QString m_strProgramDir;
};

// The description file name for a drive letter ("D:/AAREADME.TXT").
QString ContentsFileName(QChar driveLetter);
