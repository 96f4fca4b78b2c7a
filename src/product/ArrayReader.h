#pragma once
// Reads the values of an array or image from its mapped data file: a
// window of one band with a step (every Nth line and sample, for reduced
// pictures and tiles), statistics and percentiles. Every member is const
// and touches no shared state, so one reader may serve several threads;
// no call reads more of the file than the values it returns, and memory
// stays bounded by the values asked for.

#include "product/DataFile.h"
#include "product/Extent.h"
#include "product/Product.h"
#include "product/Statistics.h"

#include <memory>
#include <vector>

namespace product {

// Lines [firstLine, firstLine + lines) and samples [firstSample, ...), every
// `step`th of each.
struct BandWindow {
    std::int64_t firstLine = 0;
    std::int64_t firstSample = 0;
    std::int64_t lines = 0;
    std::int64_t samples = 0;
    std::int64_t step = 1;

    std::int64_t OutLines() const { return lines <= 0 ? 0 : (lines + step - 1) / step; }
    std::int64_t OutSamples() const { return samples <= 0 ? 0 : (samples + step - 1) / step; }
};

class ArrayReader {
public:
    // Checks the array's layout against its file. Throws Error when the
    // label's numbers describe no readable array; a file that is too short
    // is not an error here: problem() names it and the missing values read
    // as NaN.
    ArrayReader(ArrayObject array, std::shared_ptr<const DataFile> file);
    // Opens the array's data file too.
    static ArrayReader Open(const ArrayObject& array);

    const ArrayObject& array() const { return m_array; }
    const DataFile& file() const { return *m_file; }
    // Why some values cannot be read (the file is shorter than the array);
    // empty when every value is there.
    const QString& problem() const { return m_problem; }

    // The stored values (real parts) of a window of band `band` (0-based),
    // line by line, OutLines() x OutSamples(); NaN where the file ends.
    // Throws Error for a window outside the band.
    std::vector<double> ReadBand(std::int64_t band, const BandWindow& window) const;

    // Every element in storage order (slowest axis first): for 1-D arrays
    // and small arrays. Throws Error when the array has more than `limit`
    // elements.
    std::vector<double> ReadAll(std::int64_t limit) const;
    // Imaginary parts in the same order (complex arrays).
    std::vector<double> ReadAllImaginary(std::int64_t limit) const;

    // Statistics of one band of an image, and of every element.
    Statistics BandStatistics(std::int64_t band) const;
    Statistics WholeStatistics() const;

    // The stored values at the given fractions (0..1) of the band's sorted
    // valid values: exact for 8- and 16-bit integers, from an even sample
    // of at most a million values otherwise. Empty when there are none.
    std::vector<double> BandPercentiles(std::int64_t band, const std::vector<double>& fractions) const;

    std::int64_t ElementCount() const;

private:
    struct Loop {
        std::int64_t stride = 0;  // bytes
        std::int64_t count = 0;
    };
    struct Walk {
        std::int64_t base = 0;    // byte of the first value
        std::vector<Loop> loops;  // outermost first; the last one runs fastest
    };
    Walk BandWalk(std::int64_t band, const BandWindow& window) const;
    Walk WholeWalk() const;
    Statistics Gather(const Walk& walk) const;
    std::vector<double> Read(const Walk& walk, bool imaginary) const;

    ArrayObject m_array;
    std::shared_ptr<const DataFile> m_file;
    ByteSpan m_span;
    QString m_problem;
};

}  // namespace product
