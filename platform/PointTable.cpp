#include "platform/PointTable.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/Conversions.h"

namespace {

struct IndexRange {
    std::size_t first, last;  // [first, last)
};

IndexRange indicesIn(const SeriesPoints& points, double lower, double upper) {
    const double n = static_cast<double>(points.size());
    const double first = std::clamp(std::ceil(lower), 0.0, n);
    const double last = std::clamp(std::floor(upper) + 1, 0.0, n);
    return {static_cast<std::size_t>(first), static_cast<std::size_t>(std::max(first, last))};
}

}  // namespace

std::string valueText(double value) {
    const auto asFloat = static_cast<float>(value);
    return static_cast<double>(asFloat) == value ? FloatToStr(asFloat) : FloatToStr(value);
}

std::size_t pointsInView(const std::vector<NamedSeries>& series, double lower, double upper) {
    std::size_t count = 0;
    for (const NamedSeries& s : series) {
        const IndexRange r = indicesIn(*s.points, lower, upper);
        count += r.last - r.first;
    }
    return count;
}

std::string pointTable(const std::vector<NamedSeries>& series, double lower, double upper) {
    std::string table = "series\tindex\tlabel\tvalue\n";
    table.reserve(table.size() + 48 * pointsInView(series, lower, upper));
    char index[24];
    for (const NamedSeries& s : series) {
        const IndexRange r = indicesIn(*s.points, lower, upper);
        for (std::size_t i = r.first; i < r.last; ++i) {
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
