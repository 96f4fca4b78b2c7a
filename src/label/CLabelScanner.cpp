#include "label/CLabelScanner.h"

#include <cstring>

namespace {

// The white space that is trimmed from keywords and values: blanks, tabs,
// carriage returns and the other ASCII space characters.
constexpr bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

constexpr char kKeyword[] = "OBJECT";
constexpr int kKeywordLength = sizeof kKeyword - 1;

constexpr char Upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

}  // namespace

CLabelScanner::CLabelScanner(qsizetype maxValueBytes) : m_maxValueBytes(maxValueBytes) {}

bool CLabelScanner::Feed(const char* data, std::size_t size)
{
    std::size_t i = 0;
    while (i < size && m_state != State::Done) {
        switch (m_state) {
        case State::Skip: {
            const void* end = std::memchr(data + i, '\n', size - i);
            if (!end)
                return false;
            i = static_cast<std::size_t>(static_cast<const char*>(end) - data) + 1;
            m_state = State::LineStart;
            break;
        }
        case State::LineStart: {
            const char c = data[i++];
            if (c == '\n' || IsSpace(c))
                break;
            if (Upper(c) == kKeyword[0]) {
                m_matched = 1;
                m_state = State::Keyword;
            } else {
                m_state = State::Skip;
            }
            break;
        }
        case State::Keyword: {
            const char c = data[i++];
            if (c == '\n')
                m_state = State::LineStart;
            else if (Upper(c) != kKeyword[m_matched])
                m_state = State::Skip;
            else if (++m_matched == kKeywordLength)
                m_state = State::AfterKeyword;
            break;
        }
        case State::AfterKeyword: {
            const char c = data[i++];
            if (c == '=')
                m_state = State::Value;
            else if (c == '\n')
                m_state = State::LineStart;
            else if (!IsSpace(c))
                m_state = State::Skip;
            break;
        }
        case State::Value:
            i += FeedValue(data + i, size - i);
            break;
        case State::Done:
            break;
        }
    }
    return m_state == State::Done;
}

std::size_t CLabelScanner::FeedValue(const char* data, std::size_t size)
{
    std::size_t start = 0;
    if (m_value.isEmpty()) {
        // Leading white space is never kept.
        while (start < size && data[start] != '\n' && IsSpace(data[start]))
            ++start;
    }
    const void* newline = std::memchr(data + start, '\n', size - start);
    const std::size_t end =
        newline ? static_cast<std::size_t>(static_cast<const char*>(newline) - data) : size;
    if (qsizetype(end - start) > m_maxValueBytes - m_value.size()) {
        m_value.clear();
        m_state = State::Done;
        return size;
    }
    m_value.append(data + start, qsizetype(end - start));
    if (newline) {
        EndValue();
        return end + 1;
    }
    return size;
}

void CLabelScanner::EndValue()
{
    // The value never starts with white space (FeedValue skips it), so
    // trimming it trims its end: QByteArray's white space is IsSpace's.
    m_value = m_value.trimmed();
    m_state = State::Done;
}

void CLabelScanner::SkipZeros()
{
    if (CanSkipZeros())
        m_state = State::Skip;
}

QByteArray CLabelScanner::Finish()
{
    if (m_state == State::Value)
        EndValue();
    m_state = State::Done;
    return m_value;
}
