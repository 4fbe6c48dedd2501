#include "series/PointTable.h"

#include "series/TableWriter.h"

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

std::size_t pointsInView(const std::vector<NamedSeries>& series, const ViewRect& view) {
    std::size_t count = 0;
    for (const NamedSeries& s : series)
        count +=
            pointsInView(*s.points, s.points->indicesBetween(view.keyLower, view.keyUpper), view);
    return count;
}

std::string pointTable(const std::vector<NamedSeries>& series, const ViewRect& view) {
    const std::vector<TableSlice> slices = tableSlices(series, view);
    std::string table;
    table.reserve(48 * rowCount(slices));
    writeTable(slices, TableFormat::Tsv, [&](std::string_view text, std::size_t) {
        table += text;
        return true;
    });
    return table;
}
