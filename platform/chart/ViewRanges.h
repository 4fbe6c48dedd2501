#pragma once
// What part of a chart's points a view shows: a range of keys (point indices,
// along the bottom axis) and a range of values, each from lower to upper.
// Plain values, so that the view model can be read and tested on its own;
// the chart's axes only display them.

#include <QSize>
#include <cstddef>

namespace chart {

struct Range {
    double lower = 0, upper = 0;

    double size() const { return upper - lower; }
    double centre() const { return (upper + lower) * 0.5; }
    Range shifted(double by) const { return {lower + by, upper + by}; }
    bool operator==(const Range&) const = default;
};

struct ViewRanges {
    Range keys, values;
    bool operator==(const ViewRanges&) const = default;
};

// The ranges an axis shows: ends within ±kAxisLimit, and a span wider than
// kNarrowestAxisSpan and narrower than kAxisLimit. The axes (QCustomPlot's)
// leave any other range unshown, so a view keeps to these.
inline constexpr double kAxisLimit = 1e250;
inline constexpr double kNarrowestAxisSpan = 1e-280;
bool axisCanShow(Range range);

// The automatic view of `count` points with values from `lowest` to
// `highest` on a plot area of `pixels`: every point, with a few pixels to
// spare at each end so that the markers of the first and last points are
// drawn whole.
ViewRanges fittedView(std::size_t count, double lowest, double highest, QSize pixels);

// `range` scaled by `factor` (below 1 zooms in) around `centre`, and moved by
// `fraction` of its size.
Range zoomed(Range range, double factor, double centre);
Range moved(Range range, double fraction);

}  // namespace chart
