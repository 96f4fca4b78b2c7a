#include "options/CNewHelperDlg.h"

#include "platform/ModalRunner.h"
#include "platform/gui/CDataExchange.h"
#include "res/StringTable.h"
#include "res/gui/NewHelperTemplate.h"

#include <QLabel>
#include <QLineEdit>

CNewHelperDlg::CNewHelperDlg(QWidget* parent) : CDialog(res::kNewHelperTemplate, parent) {}

CNewHelperDlg::~CNewHelperDlg() = default;

void CNewHelperDlg::DoDataExchange(CDataExchange& dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, res::IDC_NEW_DESCRIPTION, m_editDescription);
    DDX_Control(dx, res::IDC_NEW_NAME_LABEL, m_staticName);
    DDX_Control(dx, res::IDC_NEW_NAME, m_editName);
    DDX_Control(dx, res::IDC_NEW_EXTENSION, m_editExtension);
    DDX_Control(dx, res::IDC_NEW_EXTENSION_LABEL, m_staticExtension);
    DDX_Control(dx, res::IDC_NEW_CONTENT_TYPE, m_editContentType);
    DDX_Control(dx, res::IDC_NEW_APPLICATION, m_editApplication);
    DDX_Text(dx, res::IDC_NEW_APPLICATION, m_strApplication);
    DDX_Text(dx, res::IDC_NEW_CONTENT_TYPE, m_strContentType);
    DDX_Text(dx, res::IDC_NEW_DESCRIPTION, m_strDescription);
    DDX_Text(dx, res::IDC_NEW_EXTENSION, m_strExtension);
    DDX_Text(dx, res::IDC_NEW_NAME, m_strName);
}

bool CNewHelperDlg::OnCommand(int id)
{
    if (id == res::IDC_NEW_BROWSE) {
        OnBrowse();
        return true;
    }
    return CDialog::OnCommand(id);
}

void CNewHelperDlg::OnOK()
{
    // The first empty field, in this order, is reported; blanks count as
    // content and the extension may stay empty.
    struct Field {
        int id;
        res::TextId name;
    };
    static constexpr Field kRequired[] = {
        {res::IDC_NEW_NAME, res::TextId::HelperFieldName},
        {res::IDC_NEW_CONTENT_TYPE, res::TextId::HelperFieldContentType},
        {res::IDC_NEW_APPLICATION, res::TextId::HelperFieldApplication},
        {res::IDC_NEW_DESCRIPTION, res::TextId::HelperFieldDescription},
    };
    for (const Field& field : kRequired) {
        if (GetDlgItemText(field.id).isEmpty()) {
            AfxMessageBox(res::Text(res::TextId::HelperIncomplete, res::Text(field.name)), MessageButtons::Ok,
                          MessageIcon::Exclamation);
            return;
        }
    }
    CDialog::OnOK();
}

void CNewHelperDlg::OnBrowse()
{
    CModalRunner* runner = CModalRunner::Current();
    if (!runner)
        return;
    FileDialogRequest request;
    request.filter = res::Text(res::TextId::HelperProgramFilter);
    request.parent = this;
    if (!runner->GetOpenFileName(request) || request.chosenPath.isEmpty())
        return;
    // The path goes in as it is. One with a blank or a tab in it is quoted,
    // or the command line built from it would end the program's name at the
    // blank.
    QString path = request.chosenPath;
    if (path.contains(u' ') || path.contains(u'\t'))
        path = u'"' + path + u'"';
    SetDlgItemText(res::IDC_NEW_APPLICATION, path);
}
