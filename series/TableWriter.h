#pragma once
// Writes points as a CSV or TSV table, streamed in chunks so that tens of
// millions of rows need no more memory than one chunk. The columns and their
// text are Copy data's (PointTable.h): series, index, label, value, the value
// as the shortest text that reads back to the same number.
//   CSV: comma-separated, lines ending in CR LF, a field holding a comma, a
//        quote or a line break quoted with its quotes doubled (RFC 4180);
//   TSV: tab-separated, lines ending in LF, quoted the same way where a field
//        holds a tab, a quote or a line break.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "series/PointTable.h"
#include "series/SeriesPoints.h"

namespace series {

enum class TableFormat { Csv, Tsv };

// The points of one series among rows [rows.first, rows.last) whose value
// lies in view, under the series' name.
struct TableSlice {
    std::string name;
    const SeriesPoints* points;
    IndexRange rows;
    ViewRect view;
};

// The points of each series inside `view`, taken once: points appended later
// are not part of it.
std::vector<TableSlice> tableSlices(const std::vector<NamedSeries>& series, const ViewRect& view);
std::size_t rowCount(const std::vector<TableSlice>& slices);

// Receives the table text chunk by chunk, with the number of rows written so
// far; returns false to stop the writing (a failed write, a cancel).
using TableSink = std::function<bool(std::string_view text, std::size_t rowsWritten)>;

// Copy data's table: the rows of `slices` (rowCount(slices) of them) as
// tab-separated text.
std::string pointTable(const std::vector<TableSlice>& slices, std::size_t rowCount);

inline constexpr std::size_t kTableChunkBytes = 256 * 1024;

// Writes the header and every row of `slices` to `sink` in chunks of about
// `chunkBytes`. Returns false when the sink stopped it.
bool writeTable(const std::vector<TableSlice>& slices, TableFormat format, const TableSink& sink,
                std::size_t chunkBytes = kTableChunkBytes);

}  // namespace series
