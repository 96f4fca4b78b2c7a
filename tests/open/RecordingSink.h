#pragma once
// Progress that notes every text and step it is given, for tests of the
// scans that report through it: RecordingOf<Base> adds the notes to any
// progress (the progress window among them) and passes each call on.

#include "platform/ProgressSink.h"

#include <QStringList>
#include <functional>

template <class Base>
class RecordingOf : public Base {
public:
    using Base::Base;

    void SetMessageText(const QString& text) override
    {
        texts.append(text);
        if (onText)
            onText(text);
        Base::SetMessageText(text);
    }
    unsigned StepIt() override
    {
        ++steps;
        if (onStep)
            onStep();
        return Base::StepIt();
    }

    QStringList texts;
    int steps = 0;
    std::function<void()> onStep;
    std::function<void(const QString&)> onText;
};

// Progress that shows nothing.
class NullProgress : public ProgressSink {
public:
    virtual ~NullProgress() = default;
    void SetMessageText(const QString&) override {}
    unsigned StepIt() override { return 0; }
};

using RecordingSink = RecordingOf<NullProgress>;
