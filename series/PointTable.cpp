#include "series/PointTable.h"

#include <charconv>

#include "series/NumberText.h"

// The extent index settles the usual cases, every point of the key range in
// view or none, without reading the values.
std::size_t pointsInView(const SeriesPoints& points, const ViewRect& view) {
    const IndexRange r = points.indicesBetween(view.keyLower, view.keyUpper);
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
    for (const NamedSeries& s : series) count += pointsInView(*s.points, view);
    return count;
}

std::string pointTable(const std::vector<NamedSeries>& series, const ViewRect& view) {
    std::string table = "series\tindex\tlabel\tvalue\n";
    table.reserve(table.size() + 48 * pointsInView(series, view));
    char index[24];
    for (const NamedSeries& s : series) {
        const IndexRange r = s.points->indicesBetween(view.keyLower, view.keyUpper);
        for (std::size_t i = r.first; i < r.last; ++i) {
            if (!valueInView(s.points->value(i), view)) continue;
            table += s.name;
            table += '\t';
            table.append(index, std::to_chars(index, index + sizeof index, i).ptr);
            table += '\t';
            table += s.points->label(i);
            table += '\t';
            table += valueText(s.points->value(i));
            table += '\n';
        }
    }
    return table;
}
