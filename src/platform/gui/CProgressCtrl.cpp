#include "platform/gui/CProgressCtrl.h"

#include <algorithm>
#include <cstdint>

CProgressCtrl::CProgressCtrl(QWidget* parent) : QProgressBar(parent)
{
    setTextVisible(false);
    SetRange(m_nLower, m_nUpper);
}

void CProgressCtrl::SetRange(int lower, int upper)
{
    m_nLower = static_cast<std::int16_t>(lower & 0xFFFF);
    m_nUpper = static_cast<std::int16_t>(upper & 0xFFFF);
    if (m_nUpper <= m_nLower)
        m_nUpper = m_nLower + 1;
    QProgressBar::setRange(m_nLower, m_nUpper);
    SetPos(m_nPos);
}

void CProgressCtrl::GetRange(int& lower, int& upper) const
{
    lower = m_nLower;
    upper = m_nUpper;
}

int CProgressCtrl::SetStep(int step)
{
    const int previous = m_nStep;
    m_nStep = step;
    return previous;
}

int CProgressCtrl::SetPos(int pos)
{
    const int previous = m_nPos;
    m_nPos = std::clamp(pos, m_nLower, m_nUpper);
    QProgressBar::setValue(m_nPos);
    return previous;
}

int CProgressCtrl::StepIt()
{
    int next = m_nPos + m_nStep;
    const int span = m_nUpper - m_nLower;
    // Past either end the bar starts over from the other one.
    if (next > m_nUpper)
        next = m_nLower + (next - m_nUpper) % span;
    else if (next < m_nLower)
        next = m_nUpper - (m_nLower - next) % span;
    return SetPos(next);
}
