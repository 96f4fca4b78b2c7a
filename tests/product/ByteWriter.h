#pragma once
// Builds the bytes of a test product by hand: integers of any size in
// either byte order, IEEE reals, text. Expected values in the tests come
// from what is written here, never from the reader.

#include <QByteArray>

#include <bit>
#include <cstdint>
#include <cstring>

class ByteWriter {
public:
    ByteWriter& Big(std::uint64_t value, int bytes)
    {
        for (int i = bytes - 1; i >= 0; --i)
            m_bytes.append(char((value >> (8 * i)) & 0xFF));
        return *this;
    }
    ByteWriter& Little(std::uint64_t value, int bytes)
    {
        for (int i = 0; i < bytes; ++i)
            m_bytes.append(char((value >> (8 * i)) & 0xFF));
        return *this;
    }
    ByteWriter& FloatBig(float v) { return Big(std::bit_cast<std::uint32_t>(v), 4); }
    ByteWriter& FloatLittle(float v) { return Little(std::bit_cast<std::uint32_t>(v), 4); }
    ByteWriter& DoubleBig(double v) { return Big(std::bit_cast<std::uint64_t>(v), 8); }
    ByteWriter& DoubleLittle(double v) { return Little(std::bit_cast<std::uint64_t>(v), 8); }
    ByteWriter& Text(const char* text)
    {
        m_bytes.append(text);
        return *this;
    }
    ByteWriter& Raw(std::initializer_list<int> bytes)
    {
        for (int b : bytes)
            m_bytes.append(char(b));
        return *this;
    }
    ByteWriter& Fill(int count, char c = '\0')
    {
        m_bytes.append(QByteArray(count, c));
        return *this;
    }
    const QByteArray& bytes() const { return m_bytes; }
    const unsigned char* data() const { return reinterpret_cast<const unsigned char*>(m_bytes.constData()); }
    qsizetype size() const { return m_bytes.size(); }

private:
    QByteArray m_bytes;
};
