#include "platform/chart/PointReadout.h"

#include <QCoreApplication>

#include "platform/chart/Chart.h"
#include "plot/number_text.h"

namespace chart {

std::optional<QString> pointReadout(const TChart& chart, QPoint pixel) {
    struct Nearest {
        const TLineSeries* series = nullptr;
        std::size_t index = 0;
        double squaredDistance = kReadoutRadius * kReadoutRadius;
    } nearest;
    // Both axes are linear: distances in pixels follow from distances in
    // coordinates by a scale, with no pixel conversion per point.
    const double key = chart.xAxis->pixelToCoord(pixel.x());
    const double value = chart.yAxis->pixelToCoord(pixel.y());
    const double pixelsPerKey = chart.axisRect()->width() / chart.xAxis->range().size();
    const double pixelsPerValue = chart.axisRect()->height() / chart.yAxis->range().size();
    const double keyReach = kReadoutRadius / pixelsPerKey;
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
    return QCoreApplication::translate("chart", "%1  label %2  value %3")
        .arg(nearest.series->objectName(), QString::fromStdString(points.label(nearest.index)),
             QString::fromStdString(plot::valueText(points.value(nearest.index))));
}

}  // namespace chart
