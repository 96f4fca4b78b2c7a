#include "app/gui/CVolumeContentsDlg.h"

#include "platform/CStdioFile.h"
#include "platform/WinTypes.h"
#include "platform/gui/CDataExchange.h"
#include "platform/gui/CListBox.h"
#include "res/StringTable.h"
#include "res/gui/VolumeContentsTemplate.h"

#include <QPushButton>

CVolumeContentsDlg::CVolumeContentsDlg(QWidget* parent) : CDialog(res::kVolumeContentsTemplate, parent) {}

void CVolumeContentsDlg::DoDataExchange(CDataExchange& dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, res::IDC_DONE, m_btnDone);
    DDX_Control(dx, res::IDC_EXPLORE, m_btnExplore);
    DDX_Control(dx, res::IDC_CONTENTS_EXIT, m_btnExit);
    DDX_Control(dx, res::IDC_CONTENTS_LIST, m_listContents);
}

bool CVolumeContentsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const bool startup = m_bStartupMode != 0;
    m_btnExplore->setVisible(startup);
    m_btnExit->setVisible(startup);
    m_btnDone->setVisible(!startup);
    if (!startup)
        m_btnDone->setFocus();

    if (!m_strContentsFile.isEmpty())
        ShowFile();
    else
        ShowMissingFile();
    return true;
}

void CVolumeContentsDlg::ShowFile()
{
    CStdioFile file;
    if (!file.Open(m_strContentsFile))
        return;  // a file that cannot be opened leaves the list empty
    m_listContents->setUpdatesEnabled(false);
    file.SetReadLimit(kMaxBytes);
    QString line;
    int count = 0;
    bool cut = false;
    // A line is read with room for kMaxLineLength characters of any
    // encoding; a longer one is never held whole.
    while (file.ReadString(line, qsizetype(kMaxLineLength) * 4)) {
        if (count == kMaxLines) {
            cut = true;
            break;
        }
        if (line.size() > kMaxLineLength)
            line.truncate(kMaxLineLength);
        m_listContents->AddString(line);
        ++count;
    }
    if (cut || file.Truncated())
        m_listContents->AddString(res::Text(res::TextId::ContentsCut));
    file.Close();
    m_listContents->setUpdatesEnabled(true);
}

void CVolumeContentsDlg::ShowMissingFile()
{
    m_listContents->AddString(res::Text(res::TextId::NoContentsFile));
    m_listContents->AddString(QString());
    m_listContents->AddString(QString());
    m_listContents->AddString(res::Text(res::TextId::NotPdsCompliant));
    m_listContents->AddString(QString());
    if (!m_strMessage.isEmpty())
        m_listContents->AddString(m_strMessage);
}

bool CVolumeContentsDlg::OnCommand(int id)
{
    if (id == res::IDC_DONE) {
        EndDialog(IDOK);
        return true;
    }
    return CDialog::OnCommand(id);
}
