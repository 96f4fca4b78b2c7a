#pragma once
// What a long scan reports as it goes: a line of text, and a step each
// time it has moved on. The progress window is one; tests record them.

#include <QString>

class ProgressSink {
public:
    virtual void SetMessageText(const QString& text) = 0;
    // Returns the position before the step.
    virtual unsigned StepIt() = 0;

protected:
    ~ProgressSink() = default;
};
