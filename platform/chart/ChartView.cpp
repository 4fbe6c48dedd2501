#include "platform/chart/ChartView.h"

#include <algorithm>

namespace chart {

namespace {

QCPRange withSpareRoom(double lower, double upper, int pixels) {
    constexpr int kSparePixels = 6;
    if (upper <= lower) return QCPRange(lower - 1, upper + 1);
    const double spare = (upper - lower) * kSparePixels / std::max(1, pixels - 2 * kSparePixels);
    return QCPRange(lower - spare, upper + spare);
}

}  // namespace

ViewRanges fittedView(std::size_t count, double lowest, double highest, QSize pixels) {
    return {withSpareRoom(0, static_cast<double>(count - 1), pixels.width()),
            withSpareRoom(lowest, highest, pixels.height())};
}

ChartView::ChartView(const ViewRanges& initial, QObject* parent)
    : QObject(parent), ranges_(initial) {}

void ChartView::fit(const ViewRanges& fitted) {
    if (following_) ranges_ = fitted;
}

// A range too small or too large for the axes to show leaves that axis as it was.
void ChartView::show(const ViewRanges& ranges) {
    const auto usable = [](const QCPRange& wanted, const QCPRange& old) {
        return QCPRange::validRange(wanted) ? wanted.sanitizedForLinScale() : old;
    };
    ranges_ = {usable(ranges.keys, ranges_.keys), usable(ranges.values, ranges_.values)};
    following_ = false;
    emit changed();
}

void ChartView::pan(const ViewRanges& from, double keys, double values) {
    show({from.keys + keys, from.values + values});
}

void ChartView::zoomKeys(double factor, double centre) {
    QCPRange keys = ranges_.keys;
    keys.lower = (keys.lower - centre) * factor + centre;
    keys.upper = (keys.upper - centre) * factor + centre;
    show({keys, ranges_.values});
}

void ChartView::reset() {
    following_ = true;
    emit changed();
}

}  // namespace chart
