#pragma once
// The open flow's questions answered with the program's dialogs through the
// modal runner: the viewer choice, the open-file dialog, Find Helper and
// message boxes, all above one window, and the progress window during the
// search.

#include "open/OpenPrompts.h"

#include <memory>

class CProgressDlg;
class QWidget;

class DialogPrompts final : public OpenPrompts {
public:
    explicit DialogPrompts(QWidget* window);
    ~DialogPrompts();

    CHelperEntry* ChooseViewer(const CHelperRefList& candidates) override;
    QString PickProgram(const QString& filter) override;
    std::optional<QString> WhereToSearch(const QString& message) override;
    int Message(const QString& text, MessageBoxKind kind) override;
    ProgressSink& ShowProgress() override;
    void CloseProgress() override;

private:
    QWidget* m_window;
    std::unique_ptr<CProgressDlg> m_progress;
};
