#include "series/ExtentIndex.h"

namespace {

template <class Item>
Extent scan(std::span<const Item> items, std::size_t first, std::size_t last) {
    Extent e;
    for (std::size_t i = first; i < last; ++i) e.include(items[i]);
    return e;
}

}  // namespace

void ExtentIndex::update(std::span<const double> values) {
    if (levels_.empty()) levels_.emplace_back();
    // Complete the blocks of level 0, then of each level above, as far as they go.
    for (std::size_t block = levels_[0].size(); (block + 1) * kFanOut <= values.size(); ++block)
        levels_[0].push_back(scan(values, block * kFanOut, (block + 1) * kFanOut));
    for (std::size_t level = 0; levels_[level].size() >= kFanOut; ++level) {
        if (level + 1 == levels_.size()) levels_.emplace_back();
        const std::span<const Extent> below = levels_[level];
        std::vector<Extent>& above = levels_[level + 1];
        for (std::size_t block = above.size(); (block + 1) * kFanOut <= below.size(); ++block)
            above.push_back(scan(below, block * kFanOut, (block + 1) * kFanOut));
    }
}

void ExtentIndex::reserveFor(std::size_t valueCount) {
    if (levels_.empty()) levels_.emplace_back();
    levels_[0].reserve(valueCount / kFanOut);
}

Extent ExtentIndex::extent(std::span<const double> values, std::size_t first,
                           std::size_t last) const {
    // A reversed range is empty; left to extentAt, last - first would wrap
    // around and read values outside the range, even past the array's end.
    if (first >= last) return {};
    return extentAt(-1, values, first, last);
}

// Level -1 is the values themselves; `first` and `last` count items of `level`.
Extent ExtentIndex::extentAt(int level, std::span<const double> values, std::size_t first,
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
