#pragma once
// A progress dialog that notes every text and step it is given, for tests
// of the scans that report through one.

#include "app/CProgressDlg.h"

#include <QStringList>
#include <functional>

class RecordingProgress : public CProgressDlg {
public:
    void SetMessageText(const QString& text) override
    {
        texts.append(text);
        if (onText)
            onText(text);
        CProgressDlg::SetMessageText(text);
    }
    unsigned StepIt() override
    {
        ++steps;
        if (onStep)
            onStep();
        return CProgressDlg::StepIt();
    }
    QStringList texts;
    int steps = 0;
    std::function<void()> onStep;
    std::function<void(const QString&)> onText;
};
