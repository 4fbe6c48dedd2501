#include "series/PointTable.h"

#include <charconv>

#include "series/NumberText.h"

std::size_t pointsInView(const std::vector<NamedSeries>& series, double lower, double upper) {
    std::size_t count = 0;
    for (const NamedSeries& s : series) {
        const IndexRange r = s.points->indicesBetween(lower, upper);
        count += r.last - r.first;
    }
    return count;
}

std::string pointTable(const std::vector<NamedSeries>& series, double lower, double upper) {
    std::string table = "series\tindex\tlabel\tvalue\n";
    table.reserve(table.size() + 48 * pointsInView(series, lower, upper));
    char index[24];
    for (const NamedSeries& s : series) {
        const IndexRange r = s.points->indicesBetween(lower, upper);
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
