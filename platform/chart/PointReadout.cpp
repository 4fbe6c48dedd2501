#include "platform/chart/PointReadout.h"

#include "platform/chart/Chart.h"
#include "platform/chart/ChartPlot.h"
#include "plot/number_text.h"

namespace chart {

std::optional<QString> PointReadout::at(const TChart& chart, QPoint pixel) {
    struct Nearest {
        const TLineSeries* series = nullptr;
        std::size_t index = 0;
        double squaredDistance = kRadius * kRadius;
    } nearest;
    // Both axes are linear: distances in pixels follow from distances in
    // coordinates by a scale, with no pixel conversion per point.
    const ChartPlot& chartPlot = plotOf(chart);
    const double key = chartPlot.xAxis->pixelToCoord(pixel.x());
    const double value = chartPlot.yAxis->pixelToCoord(pixel.y());
    const double pixelsPerKey = chartPlot.axisRect()->width() / chartPlot.xAxis->range().size();
    const double pixelsPerValue = chartPlot.axisRect()->height() / chartPlot.yAxis->range().size();
    const double keyReach = kRadius / pixelsPerKey;
    for (const TLineSeries* series : chart.SeriesOnChart()) {
        const series::SeriesPoints& points = series->Points();
        const series::IndexRange near = points.indicesBetween(key - keyReach, key + keyReach);
        for (std::size_t i = near.first; i < near.last; ++i) {
            const double dx = (static_cast<double>(i) - key) * pixelsPerKey;
            const double dy = (points.value(i) - value) * pixelsPerValue;
            const double squared = dx * dx + dy * dy;
            if (squared <= nearest.squaredDistance) nearest = {series, i, squared};
        }
    }
    if (!nearest.series) return std::nullopt;
    const series::SeriesPoints& points = nearest.series->Points();
    return tr("%1  label %2  value %3")
        .arg(nearest.series->objectName(), QString::fromStdString(points.label(nearest.index)),
             QString::fromStdString(plot::valueText(points.value(nearest.index))));
}

}  // namespace chart
