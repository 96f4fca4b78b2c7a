// Writes the product benchmark's two PDS3 products into a folder:
//   IMAGE.LBL + IMAGE.IMG  a LINES x LINES image of 16-bit LSB unsigned samples
//   TABLE.LBL + TABLE.DAT  a binary table of ROWS rows of seven columns
// make_product DIR [LINES] [ROWS]   (defaults 16384 and 1000000)

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

bool WriteText(const std::string& path, const std::string& text)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && ok;
}

void PutBig(unsigned char* p, std::uint64_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i, value >>= 8)
        p[i] = static_cast<unsigned char>(value & 0xFF);
}

bool WriteImage(const std::string& dir, long lines)
{
    const std::string label =
        "PDS_VERSION_ID = PDS3\r\n"
        "RECORD_TYPE = FIXED_LENGTH\r\n"
        "RECORD_BYTES = " +
        std::to_string(lines * 2) +
        "\r\n"
        "FILE_RECORDS = " +
        std::to_string(lines) +
        "\r\n"
        "^IMAGE = (\"IMAGE.IMG\", 1)\r\n"
        "OBJECT = IMAGE\r\n"
        "  LINES = " +
        std::to_string(lines) +
        "\r\n"
        "  LINE_SAMPLES = " +
        std::to_string(lines) +
        "\r\n"
        "  SAMPLE_TYPE = LSB_UNSIGNED_INTEGER\r\n"
        "  SAMPLE_BITS = 16\r\n"
        "  BANDS = 1\r\n"
        "END_OBJECT = IMAGE\r\n"
        "END\r\n";
    if (!WriteText(dir + "/IMAGE.LBL", label))
        return false;
    FILE* file = std::fopen((dir + "/IMAGE.IMG").c_str(), "wb");
    if (!file)
        return false;
    std::vector<unsigned char> line(static_cast<std::size_t>(lines) * 2);
    std::uint32_t noise = 12345;
    for (long l = 0; l < lines; ++l) {
        for (long s = 0; s < lines; ++s) {
            noise = noise * 1103515245u + 12345u;
            // A smooth ramp with some noise, in 12 bits like a camera's.
            const std::uint32_t value = (std::uint32_t(l + s) / 16 + ((noise >> 16) & 0xFF)) & 0x0FFF;
            line[std::size_t(2 * s)] = static_cast<unsigned char>(value & 0xFF);
            line[std::size_t(2 * s + 1)] = static_cast<unsigned char>(value >> 8);
        }
        if (std::fwrite(line.data(), 1, line.size(), file) != line.size()) {
            std::fclose(file);
            return false;
        }
    }
    return std::fclose(file) == 0;
}

bool WriteTable(const std::string& dir, long rows)
{
    constexpr int kRowBytes = 36;
    const std::string label =
        "PDS_VERSION_ID = PDS3\r\n"
        "RECORD_TYPE = FIXED_LENGTH\r\n"
        "RECORD_BYTES = 36\r\n"
        "FILE_RECORDS = " +
        std::to_string(rows) +
        "\r\n"
        "^TABLE = (\"TABLE.DAT\", 1)\r\n"
        "OBJECT = TABLE\r\n"
        "  INTERCHANGE_FORMAT = BINARY\r\n"
        "  ROWS = " +
        std::to_string(rows) +
        "\r\n"
        "  ROW_BYTES = 36\r\n"
        "  COLUMNS = 7\r\n"
        "  OBJECT = COLUMN\r\n    NAME = ID\r\n    DATA_TYPE = MSB_INTEGER\r\n    START_BYTE = 1\r\n"
        "    BYTES = 4\r\n  END_OBJECT = COLUMN\r\n"
        "  OBJECT = COLUMN\r\n    NAME = TIME\r\n    DATA_TYPE = IEEE_REAL\r\n    START_BYTE = 5\r\n"
        "    BYTES = 8\r\n    UNIT = SECOND\r\n  END_OBJECT = COLUMN\r\n"
        "  OBJECT = COLUMN\r\n    NAME = X\r\n    DATA_TYPE = IEEE_REAL\r\n    START_BYTE = 13\r\n"
        "    BYTES = 4\r\n  END_OBJECT = COLUMN\r\n"
        "  OBJECT = COLUMN\r\n    NAME = Y\r\n    DATA_TYPE = IEEE_REAL\r\n    START_BYTE = 17\r\n"
        "    BYTES = 4\r\n  END_OBJECT = COLUMN\r\n"
        "  OBJECT = COLUMN\r\n    NAME = Z\r\n    DATA_TYPE = IEEE_REAL\r\n    START_BYTE = 21\r\n"
        "    BYTES = 4\r\n  END_OBJECT = COLUMN\r\n"
        "  OBJECT = COLUMN\r\n    NAME = FLAG\r\n    DATA_TYPE = MSB_UNSIGNED_INTEGER\r\n    START_BYTE = 25\r\n"
        "    BYTES = 4\r\n  END_OBJECT = COLUMN\r\n"
        "  OBJECT = COLUMN\r\n    NAME = TARGET\r\n    DATA_TYPE = CHARACTER\r\n    START_BYTE = 29\r\n"
        "    BYTES = 8\r\n  END_OBJECT = COLUMN\r\n"
        "END_OBJECT = TABLE\r\n"
        "END\r\n";
    if (!WriteText(dir + "/TABLE.LBL", label))
        return false;
    FILE* file = std::fopen((dir + "/TABLE.DAT").c_str(), "wb");
    if (!file)
        return false;
    const char* targets[] = {"MARS    ", "PHOBOS  ", "DEIMOS  ", "SKY     "};
    unsigned char row[kRowBytes];
    for (long r = 0; r < rows; ++r) {
        PutBig(row, std::uint64_t(r), 4);
        double time = 1.0e8 + double(r) * 0.125;
        std::uint64_t bits;
        std::memcpy(&bits, &time, 8);
        PutBig(row + 4, bits, 8);
        const float xyz[3] = {float(r % 1000) * 0.5f, -float(r % 777) / 3.0f, float(r) * 1e-3f};
        for (int i = 0; i < 3; ++i) {
            std::uint32_t b;
            std::memcpy(&b, &xyz[i], 4);
            PutBig(row + 12 + 4 * i, b, 4);
        }
        PutBig(row + 24, std::uint64_t(r % 7), 4);
        std::memcpy(row + 28, targets[r % 4], 8);
        if (std::fwrite(row, 1, kRowBytes, file) != kRowBytes) {
            std::fclose(file);
            return false;
        }
    }
    return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: make_product DIR [LINES] [ROWS]\n");
        return 2;
    }
    const std::string dir = argv[1];
    const long lines = argc > 2 ? std::atol(argv[2]) : 16384;
    const long rows = argc > 3 ? std::atol(argv[3]) : 1000000;
    if (lines < 1 || rows < 1 || !WriteImage(dir, lines) || !WriteTable(dir, rows)) {
        std::fprintf(stderr, "make_product: cannot write into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
