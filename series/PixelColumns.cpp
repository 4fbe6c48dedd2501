#include "series/PixelColumns.h"

#include <cmath>

namespace series {

long KeyToColumn::columnOfIndex(std::size_t index) const {
    return static_cast<long>(std::floor(columnOf(static_cast<double>(index))));
}

std::size_t KeyToColumn::firstIndexAtOrAfter(long column) const {
    // Solve columnOf(i) ≥ column, then settle the rounding at the boundary
    // with the same mapping every point is placed by.
    const double estimate =
        std::ceil(lower_ + (static_cast<double>(column) - left_) / width_ * size_);
    std::size_t i = estimate <= 0 ? 0 : static_cast<std::size_t>(estimate);
    while (i > 0 && columnOfIndex(i - 1) >= column) --i;
    while (columnOfIndex(i) < column) ++i;
    return i;
}

std::vector<PixelColumn> pixelColumns(const SeriesPoints& points, std::size_t first,
                                      std::size_t last, const KeyToColumn& map) {
    std::vector<PixelColumn> columns;
    std::size_t i = first;
    while (i < last) {
        const long column = map.columnOfIndex(i);
        std::size_t end = map.firstIndexAtOrAfter(column + 1);
        if (end > last) end = last;
        if (end <= i) end = i + 1;
        columns.push_back(
            {column, i, end, points.value(i), points.value(end - 1), points.extent(i, end)});
        i = end;
    }
    return columns;
}

}  // namespace series
