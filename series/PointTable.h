#pragma once
// The points in view as tab-separated text that pastes into a spreadsheet:
//   series<TAB>index<TAB>label<TAB>value
// one line per point after a header line, values in shortest round-trip form.

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

#include "series/SeriesPoints.h"

struct NamedSeries {
    std::string name;
    const SeriesPoints* points;
};

// A spreadsheet holds 1,048,576 rows: the header and this many points.
inline constexpr std::size_t kMaxTableRows = 1'048'575;

// The part of the chart in view: point indices (keys) and values, ends included.
struct ViewRect {
    double keyLower, keyUpper;
    double valueLower, valueUpper;
};

// The points inside `view`, over all the series.
std::size_t pointsInView(const std::vector<NamedSeries>& series, const ViewRect& view);

std::string pointTable(const std::vector<NamedSeries>& series, const ViewRect& view);

// The points whose index lies in [lower, upper], whatever their value.
inline ViewRect keysBetween(double lower, double upper) {
    constexpr double kAll = std::numeric_limits<double>::infinity();
    return {lower, upper, -kAll, kAll};
}
inline std::size_t pointsInView(const std::vector<NamedSeries>& series, double lower,
                                double upper) {
    return pointsInView(series, keysBetween(lower, upper));
}
inline std::string pointTable(const std::vector<NamedSeries>& series, double lower, double upper) {
    return pointTable(series, keysBetween(lower, upper));
}

// A value as the shortest text that reads back to it; a value that is a
// 32-bit float prints as that float ("0.1", not "0.10000000149011612").
std::string valueText(double value);
