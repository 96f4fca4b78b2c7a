#pragma once
// Finds the value of the first OBJECT statement in label text fed to it in
// pieces of any size. A line is keyword = value with the keyword before the
// first "="; the keyword is compared with OBJECT without regard to case
// after white space is trimmed from both ends. A line that cannot be the
// OBJECT line is passed over without being kept; only the value of the
// OBJECT line is held.

#include <QByteArray>
#include <cstddef>

class CLabelScanner {
public:
    // A value longer than this (counted from its first non-blank byte to the
    // line end) is not a content type but runaway data, such as a binary
    // file or a multi-gigabyte hole; the scan then ends with no value. The
    // limit only keeps memory sane: real values are a few bytes.
    static constexpr qsizetype kMaxValueBytes = qsizetype(16) * 1024 * 1024;

    explicit CLabelScanner(qsizetype maxValueBytes = kMaxValueBytes);

    // Scans the next piece of text. Returns true once the OBJECT line has
    // ended (or proved too long): nothing further needs to be fed.
    bool Feed(const char* data, std::size_t size);
    // Scans a run of NUL bytes (a hole of a sparse file) without being
    // given them: such a run ends any chance of the current line being the
    // OBJECT line. Only possible while CanSkipZeros().
    void SkipZeros();
    bool CanSkipZeros() const { return m_state != State::Value && m_state != State::Done; }
    bool Done() const { return m_state == State::Done; }

    // Ends the text: returns the trimmed value of the first OBJECT line,
    // raw bytes, empty when there is none.
    QByteArray Finish();

private:
    enum class State { LineStart, Keyword, AfterKeyword, Skip, Value, Done };

    std::size_t FeedValue(const char* data, std::size_t size);
    void EndValue();

    State m_state = State::LineStart;
    int m_matched = 0;  // characters of OBJECT matched so far
    qsizetype m_maxValueBytes;
    QByteArray m_value;
};
