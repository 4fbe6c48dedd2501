#pragma once
// Minimum and maximum of any index range of a growing array of values, in
// time that does not grow with the range: the chart draws tens of millions of
// points as one vertical stroke per pixel column, from these extents.

#include <cstddef>
#include <limits>
#include <span>
#include <vector>

#include "series/AllocationBudget.h"
#include "series/HugePageAllocator.h"

namespace series {

struct Extent {
    double min = std::numeric_limits<double>::infinity();
    double max = -std::numeric_limits<double>::infinity();

    bool empty() const { return min > max; }
    void include(double v) {
        if (v < min) min = v;
        if (v > max) max = v;
    }
    void include(const Extent& e) {
        if (e.min < min) min = e.min;
        if (e.max > max) max = e.max;
    }
    friend bool operator==(const Extent&, const Extent&) = default;
};

// Level k holds the extent of every complete block of 64^(k+1) values. A query
// scans at most two partial blocks per level, about a thousand values for any
// range of a hundred million points, instead of the range itself. The values
// are floats or doubles; the index itself keeps doubles.
class ExtentIndex {
public:
    static constexpr std::size_t kFanOut = 64;

    // Brings the index up to date with values[0, values.size()), which must
    // extend the values seen before.
    template <class Value>
    void update(std::span<const Value> values);

    // The extent of values[first, last), empty when first >= last; `values` is
    // the array last passed to update.
    template <class Value>
    Extent extent(std::span<const Value> values, std::size_t first, std::size_t last) const;

    void reserveFor(std::size_t valueCount, AllocationBudget* budget = nullptr);

    // For values appended in one go and written out of order (even from
    // several threads): grow() makes the level-0 entries for the complete
    // blocks of `valueCount` values, as not yet known; setBlock() fills one,
    // from the values that make up that block; update() then fills those left
    // unknown and builds the levels above.
    void grow(std::size_t valueCount);
    void setBlock(std::size_t block, std::span<const float> blockValues);

private:
    template <class Value>
    Extent extentAt(int level, std::span<const Value> values, std::size_t first,
                    std::size_t last) const;

    using Level = std::vector<Extent, HugePageAllocator<Extent>>;
    std::vector<Level> levels_;
    std::size_t knownBlocks_ = 0;  // level 0 is complete below this block
};

}  // namespace series
