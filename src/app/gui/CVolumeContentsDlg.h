#pragma once
// The Volume Contents dialog: the volume's description file line by line,
// or a warning that it is missing. In start-up mode it offers Explore and
// Exit; in viewing mode (the browser's Content button) only Done.

#include "platform/gui/CDialog.h"

#include <QString>

class CListBox;
class QPushButton;

class CVolumeContentsDlg : public CDialog {
    Q_OBJECT
public:
    // Longest description shown: at most this many lines, each cut to this
    // many characters, and at most this many bytes read in all, so that a
    // huge, sparse or binary file can neither stall the program nor fill
    // its memory. The rest of a larger file is left out, and a last line
    // says so.
    static constexpr int kMaxLines = 100000;
    static constexpr int kMaxLineLength = 65536;
    static constexpr long long kMaxBytes = 4 * 1024 * 1024;

    explicit CVolumeContentsDlg(QWidget* parent = nullptr);

    void SetContentsFile(const QString& path) { m_strContentsFile = path; }
    void SetMessage(const QString& text) { m_strMessage = text; }
    void SetStartupMode(int flag) { m_bStartupMode = flag; }

    QPushButton* m_btnDone = nullptr;
    QPushButton* m_btnExplore = nullptr;
    QPushButton* m_btnExit = nullptr;
    CListBox* m_listContents = nullptr;
    QString m_strContentsFile;
    QString m_strMessage;
    int m_bStartupMode = 0;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    bool OnCommand(int id) override;

private:
    void ShowFile();
    void ShowMissingFile();
};
