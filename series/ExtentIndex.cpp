#include "series/ExtentIndex.h"

#include <cstring>
#include <type_traits>

namespace series {

namespace {

template <class Item>
Extent scan(std::span<const Item> items, std::size_t first, std::size_t last) {
    Extent e;
    for (std::size_t i = first; i < last; ++i) {
        if constexpr (std::is_floating_point_v<Item>)
            e.include(static_cast<double>(items[i]));
        else
            e.include(items[i]);
    }
    return e;
}

}  // namespace

template <class Value>
void ExtentIndex::update(std::span<const Value> values) {
    if (levels_.empty()) levels_.emplace_back();
    Level& level0 = levels_[0];
    // Blocks grow() left unknown: all of them, unless setBlock() filled them.
    for (std::size_t block = knownBlocks_; block < level0.size(); ++block)
        if (level0[block].empty())
            level0[block] = scan(values, block * kFanOut, (block + 1) * kFanOut);
    // Complete the blocks of level 0, then of each level above, as far as they go.
    for (std::size_t block = level0.size(); (block + 1) * kFanOut <= values.size(); ++block)
        level0.push_back(scan(values, block * kFanOut, (block + 1) * kFanOut));
    knownBlocks_ = level0.size();
    for (std::size_t level = 0; levels_[level].size() >= kFanOut; ++level) {
        if (level + 1 == levels_.size()) levels_.emplace_back();
        const std::span<const Extent> below = levels_[level];
        Level& above = levels_[level + 1];
        for (std::size_t block = above.size(); (block + 1) * kFanOut <= below.size(); ++block)
            above.push_back(scan(below, block * kFanOut, (block + 1) * kFanOut));
    }
}

// Every level, so that bringing the index up to date within this many values
// allocates nothing (and a batch's end cannot fail).
void ExtentIndex::reserveFor(std::size_t valueCount, AllocationBudget* budget) {
    // A level above one of fewer than 64 blocks stays empty, which queries
    // never reach (they scan any range shorter than two blocks).
    std::size_t levels = 1;
    for (std::size_t blocks = valueCount / kFanOut; blocks >= kFanOut; blocks /= kFanOut) ++levels;
    if (levels_.size() < levels) levels_.resize(levels);
    std::size_t blocks = valueCount / kFanOut;
    for (Level& level : levels_) {
        reserveWithin(level, blocks, budget);
        blocks /= kFanOut;
    }
}

void ExtentIndex::grow(std::size_t valueCount) {
    if (levels_.empty()) levels_.emplace_back();
    levels_[0].resize(valueCount / kFanOut);
}

// Eight running minima and maxima side by side in two vector registers (GCC's
// and Clang's vector types: written as plain arrays, the compiler keeps the
// eight on the stack), so that a block costs a few instructions per eight
// values; NaN is passed over, as scan does (it fails every comparison).
void ExtentIndex::setBlock(std::size_t block, std::span<const float> blockValues) {
    std::size_t i = 0;
    Extent e;
#if defined(__GNUC__)
    using Four = float __attribute__((vector_size(16)));  // one SSE2 or ASIMD register
    constexpr float kInf = std::numeric_limits<float>::infinity();
    Four low[2] = {{kInf, kInf, kInf, kInf}, {kInf, kInf, kInf, kInf}};
    Four high[2] = {-low[0], -low[0]};
    for (; i + 8 <= blockValues.size(); i += 8) {
        for (int half = 0; half < 2; ++half) {
            Four v;
            std::memcpy(&v, blockValues.data() + i + 4 * half, sizeof v);
            low[half] = v < low[half] ? v : low[half];
            high[half] = v > high[half] ? v : high[half];
        }
    }
    for (int half = 0; half < 2; ++half)
        for (int j = 0; j < 4; ++j) {
            const auto l = static_cast<double>(low[half][j]),
                       h = static_cast<double>(high[half][j]);
            if (l < e.min) e.min = l;
            if (h > e.max) e.max = h;
        }
#endif
    e.include(scan(blockValues, i, blockValues.size()));
    levels_[0][block] = e;
}

template <class Value>
Extent ExtentIndex::extent(std::span<const Value> values, std::size_t first,
                           std::size_t last) const {
    // A reversed range is empty; left to extentAt, last - first would wrap
    // around and read values outside the range, even past the array's end.
    if (first >= last) return {};
    return extentAt(-1, values, first, last);
}

// Level -1 is the values themselves; `first` and `last` count items of `level`.
template <class Value>
Extent ExtentIndex::extentAt(int level, std::span<const Value> values, std::size_t first,
                             std::size_t last) const {
    const auto scanLevel = [&](std::size_t from, std::size_t to) {
        return level < 0 ? scan(values, from, to)
                         : scan(std::span<const Extent>(levels_[static_cast<std::size_t>(level)]),
                                from, to);
    };
    const bool levelAbove = static_cast<std::size_t>(level + 1) < levels_.size();
    if (!levelAbove || last - first < 2 * kFanOut) return scanLevel(first, last);
    const std::size_t innerFirst = (first + kFanOut - 1) / kFanOut;
    const std::size_t innerLast = last / kFanOut;
    Extent e = scanLevel(first, innerFirst * kFanOut);
    e.include(scanLevel(innerLast * kFanOut, last));
    e.include(extentAt(level + 1, values, innerFirst, innerLast));
    return e;
}

template void ExtentIndex::update(std::span<const float>);
template void ExtentIndex::update(std::span<const double>);
template Extent ExtentIndex::extent(std::span<const float>, std::size_t, std::size_t) const;
template Extent ExtentIndex::extent(std::span<const double>, std::size_t, std::size_t) const;

}  // namespace series
