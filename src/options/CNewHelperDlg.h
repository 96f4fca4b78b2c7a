#pragma once
// The New Helper dialog: the five texts of a helper. OK insists on a name,
// a content type, an application and a description; Browse fills the
// application from the open-file dialog.

#include "platform/gui/CDialog.h"

#include <QString>

class QLabel;
class QLineEdit;

class CNewHelperDlg : public CDialog {
    Q_OBJECT
public:
    explicit CNewHelperDlg(QWidget* parent = nullptr);
    ~CNewHelperDlg() override;

    // Validation, then the usual OK (the edits go into the strings).
    void OnOK() override;
    // The application from the open-file dialog.
    void OnBrowse();

    QLineEdit* m_editDescription = nullptr;
    QLabel* m_staticName = nullptr;
    QLineEdit* m_editName = nullptr;
    QLineEdit* m_editExtension = nullptr;
    QLabel* m_staticExtension = nullptr;
    QLineEdit* m_editContentType = nullptr;
    QLineEdit* m_editApplication = nullptr;

    QString m_strApplication;
    QString m_strContentType;
    QString m_strDescription;
    QString m_strExtension;
    QString m_strName;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(int id) override;
};
