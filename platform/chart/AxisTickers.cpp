#include "platform/chart/AxisTickers.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "plot/number_text.h"
#include "series/SeriesPoints.h"

namespace chart {

LabelTicker::LabelTicker(std::function<const series::SeriesPoints*()> labelled, const QCPAxis* axis)
    : labelled_(std::move(labelled)), axis_(axis) {}

namespace {

// The smallest of 1, 2, 5, 10, 20, 50, … that is at least `x`.
double niceStepAtLeast(double x) {
    double decade = 1;
    while (decade * 10 <= x) decade *= 10;
    for (const double m : {1.0, 2.0, 5.0, 10.0})
        if (m * decade >= x) return m * decade;
    return 10 * decade;
}

}  // namespace

void LabelTicker::generate(const QCPRange& range, const QLocale&, QChar, int,
                           QVector<double>& ticks, QVector<double>* subTicks,
                           QVector<QString>* tickLabels) {
    ticks.clear();
    if (subTicks) subTicks->clear();
    if (tickLabels) tickLabels->clear();
    const series::SeriesPoints* points = labelled_();
    const int width = axis_->axisRect()->width();
    if (!points || points->empty() || width <= 0 || range.size() <= 0) return;

    const series::IndexRange shown = points->indicesBetween(range.lower, range.upper);
    if (shown.first >= shown.last) return;
    const auto from = static_cast<double>(shown.first);
    const auto to = static_cast<double>(shown.last - 1);
    const double pixelsPerPoint = width / range.size();
    const QFontMetrics metrics(axis_->tickLabelFont());
    const auto labelAt = [&](double i) {
        return QString::fromStdString(points->label(static_cast<std::size_t>(i)));
    };
    const auto stepFor = [&](int labelWidth) {
        return niceStepAtLeast((labelWidth + kLabelGap) / pixelsPerPoint);
    };

    // Start from the spacing the end labels need; widen the step until the
    // widest label it shows fits between its neighbours.
    double step = stepFor(
        std::max(metrics.horizontalAdvance(labelAt(from)), metrics.horizontalAdvance(labelAt(to))));
    while (true) {
        QVector<double> candidates;
        QVector<QString> labels;
        int widest = 0;
        for (double i = std::ceil(from / step) * step; i <= to; i += step) {
            candidates << i;
            labels << labelAt(i);
            widest = std::max(widest, metrics.horizontalAdvance(labels.back()));
        }
        const double needed = stepFor(widest);
        if (candidates.size() <= 1 || needed <= step) {
            // A round step may leave one multiple in view where the first
            // and last point in view have room for their labels.
            const double endsApart = (to - from) * pixelsPerPoint;
            const int endsNeed = (metrics.horizontalAdvance(labelAt(from)) +
                                  metrics.horizontalAdvance(labelAt(to))) /
                                     2 +
                                 kLabelGap;
            if (candidates.size() <= 1 && to > from && endsApart >= endsNeed) {
                candidates = {from, to};
                labels = {labelAt(from), labelAt(to)};
            }
            ticks = candidates;
            if (tickLabels) *tickLabels = labels;
            return;
        }
        step = needed;
    }
}

double ValueTicker::getTickStep(const QCPRange& range) {
    step_ = QCPAxisTicker::getTickStep(range);
    return step_;
}

// A tick is a multiple of the step, computed with the rounding that brings
// (3 × 0.1 = 0.30000000000000004); rounded to the step's last decimal, it
// reads as the number it stands for.
QString ValueTicker::getTickLabel(double tick, const QLocale&, QChar, int) {
    const int decimals = std::max(0, static_cast<int>(std::ceil(-std::log10(step_))) + 1);
    const double rounded = QString::number(tick, 'f', decimals).toDouble();
    return QString::fromStdString(plot::shortestText(rounded == 0 ? 0.0 : rounded));
}

}  // namespace chart
