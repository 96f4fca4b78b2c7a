#pragma once
// A progress bar with the Windows control's stepping: StepIt adds the step
// and, past the upper end, starts over from the lower end.

#include <QProgressBar>

class CProgressCtrl : public QProgressBar {
    Q_OBJECT
public:
    explicit CProgressCtrl(QWidget* parent = nullptr);

    // Only the low 16 bits of each end reach the control.
    void SetRange(int lower, int upper);
    void GetRange(int& lower, int& upper) const;
    int SetStep(int step);  // returns the previous step
    int SetPos(int pos);    // returns the previous position
    int GetPos() const { return m_nPos; }
    int StepIt();           // returns the previous position

private:
    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nStep = 10;
    int m_nPos = 0;
};
