#include "series/PointTable.h"

namespace series {

// The extent index settles the usual cases, every point of the key range in
// view or none, without reading the values.
std::size_t pointsInView(const SeriesPoints& points, IndexRange r, const ViewRect& view) {
    const Extent extent = points.extent(r.first, r.last);
    if (extent.empty()) return 0;
    if (extent.min >= view.valueLower && extent.max <= view.valueUpper) return r.last - r.first;
    if (extent.max < view.valueLower || extent.min > view.valueUpper) return 0;
    return points.values().visit([&](auto values) {
        std::size_t count = 0;
        for (std::size_t i = r.first; i < r.last; ++i)
            count += valueInView(static_cast<double>(values[i]), view);
        return count;
    });
}

}  // namespace series
