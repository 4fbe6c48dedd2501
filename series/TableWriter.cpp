#include "series/TableWriter.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "plot/number_text.h"

namespace series {

namespace {

struct Dialect {
    char separator;
    std::string_view lineEnd;
    std::string_view specials;  // characters that make a field need quotes
};

Dialect dialectOf(TableFormat format) {
    using namespace std::string_view_literals;
    return format == TableFormat::Csv ? Dialect{',', "\r\n", ",\"\r\n"sv}
                                      : Dialect{'\t', "\n", "\t\"\r\n"sv};
}

void appendField(std::string& out, std::string_view field, const Dialect& dialect) {
    if (field.find_first_of(dialect.specials) == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

// Rows between two checks of the chunk size.
constexpr std::size_t kRowsPerBlock = 4096;

}  // namespace

std::vector<TableSlice> tableSlices(const std::vector<NamedSeries>& series, const ViewRect& view) {
    std::vector<TableSlice> slices;
    for (const NamedSeries& s : series)
        slices.push_back(
            {s.name, s.points, s.points->indicesBetween(view.keyLower, view.keyUpper), view});
    return slices;
}

std::size_t rowCount(const std::vector<TableSlice>& slices) {
    std::size_t count = 0;
    for (const TableSlice& slice : slices)
        count += pointsInView(*slice.points, slice.rows, slice.view);
    return count;
}

std::string pointTable(const std::vector<TableSlice>& slices, std::size_t rowCount) {
    std::string table;
    table.reserve(48 * rowCount);
    writeTable(slices, TableFormat::Tsv, [&](std::string_view text, std::size_t) {
        table += text;
        return true;
    });
    return table;
}

bool writeTable(const std::vector<TableSlice>& slices, TableFormat format, const TableSink& sink,
                std::size_t chunkBytes) {
    const Dialect dialect = dialectOf(format);
    std::string chunk;
    chunk.reserve(chunkBytes + chunkBytes / 2);
    for (const std::string_view column : {"series", "index", "label", "value"}) {
        if (!chunk.empty()) chunk += dialect.separator;
        chunk += column;
    }
    chunk += dialect.lineEnd;

    std::size_t rowsWritten = 0;
    char number[plot::kNumberChars];
    for (const TableSlice& slice : slices) {
        std::string name;
        appendField(name, slice.name, dialect);
        const SeriesPoints& points = *slice.points;
        for (std::size_t block = slice.rows.first; block < slice.rows.last;) {
            const std::size_t end = std::min(slice.rows.last, block + kRowsPerBlock);
            points.forEachLabel(block, end, [&](std::size_t i, std::string_view label) {
                const double value = points.value(i);
                if (!valueInView(value, slice.view)) return;
                ++rowsWritten;
                chunk += name;
                chunk += dialect.separator;
                chunk.append(number, std::to_chars(number, number + sizeof number, i).ptr);
                chunk += dialect.separator;
                appendField(chunk, label, dialect);
                chunk += dialect.separator;
                chunk.append(number, plot::valueChars(value, number));
                chunk += dialect.lineEnd;
            });
            block = end;
            if (chunk.size() >= chunkBytes) {
                if (!sink(chunk, rowsWritten)) return false;
                chunk.clear();
            }
        }
    }
    return sink(chunk, rowsWritten);
}

}  // namespace series
