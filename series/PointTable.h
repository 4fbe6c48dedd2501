#pragma once
// The points in view as tab-separated text that pastes into a spreadsheet:
//   series<TAB>index<TAB>label<TAB>value
// one line per point after a header line, values in shortest round-trip form.

#include <cstddef>
#include <string>
#include <vector>

#include "series/NumberText.h"
#include "series/SeriesPoints.h"

struct NamedSeries {
    std::string name;
    const SeriesPoints* points;
};

// A spreadsheet holds 1,048,576 rows: the header and this many points.
inline constexpr std::size_t kMaxTableRows = 1'048'575;

// The points whose index lies in [lower, upper], over all the series.
std::size_t pointsInView(const std::vector<NamedSeries>& series, double lower, double upper);

std::string pointTable(const std::vector<NamedSeries>& series, double lower, double upper);
