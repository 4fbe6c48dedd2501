#pragma once
// What part of its points a chart shows: a range of keys (point indices) and
// of values, and whether it follows the points (fitted to all of them after
// every change) or stays where the user put it. Zooming and panning are
// operations on this model; the chart draws whatever it holds.

#include <qcustomplot.h>

#include <QObject>
#include <QSize>
#include <cstddef>

namespace chart {

struct ViewRanges {
    QCPRange keys, values;
};

// The automatic view of `count` points with values from `lowest` to
// `highest` on a plot area of `pixels`: every point, with a few pixels to
// spare at each end so that the markers of the first and last points are
// drawn whole.
ViewRanges fittedView(std::size_t count, double lowest, double highest, QSize pixels);

class ChartView : public QObject {
    Q_OBJECT

public:
    ChartView(const ViewRanges& initial, QObject* parent);

    bool following() const { return following_; }
    const ViewRanges& ranges() const { return ranges_; }

    // While following: the ranges fitted to the points as they now are. The
    // chart's own doing, so it signals nothing.
    void fit(const ViewRanges& fitted);

    // The user's changes; after each the view stays put.
    void show(const ViewRanges& ranges);
    // Both ranges `from` had, moved by `keys` and `values`.
    void pan(const ViewRanges& from, double keys, double values);
    // The key range scaled by `factor` (below 1 zooms in) around `centre`.
    void zoomKeys(double factor, double centre);
    // Back to following the points.
    void reset();

signals:
    void changed();

private:
    ViewRanges ranges_;
    bool following_ = true;
};

}  // namespace chart
