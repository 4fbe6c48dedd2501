#pragma once
// The points in view: the part of the chart shown, and which points of a
// series lie inside it, for the tables of Copy data and Save data
// (TableWriter.h).

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

#include "series/SeriesPoints.h"

namespace series {

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

// Every point, wherever it lies.
inline constexpr ViewRect kEverywhere{
    -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
    -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};

inline bool valueInView(double value, const ViewRect& view) {
    return value >= view.valueLower && value <= view.valueUpper;
}

// The points of one series among `rows` whose value lies in `view`.
std::size_t pointsInView(const SeriesPoints& points, IndexRange rows, const ViewRect& view);

}  // namespace series
