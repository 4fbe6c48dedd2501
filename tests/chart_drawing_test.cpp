// Protects drawing at scale: the summary drawn per pixel column covers
// exactly what drawing every point covers.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <utility>

#include "platform/chart/Chart.h"
#include "platform/chart/ChartPlot.h"

namespace {

// Rows [top, bottom] of the pixels in colour `rgb` in column x, if any.
std::optional<std::pair<int, int>> rowsIn(const QImage& image, int x, QRgb rgb) {
    std::optional<std::pair<int, int>> rows;
    for (int y = 0; y < image.height(); ++y) {
        if ((image.pixel(x, y) & 0xFFFFFF) != rgb) continue;
        if (!rows) rows = std::pair{y, y};
        rows->second = y;
    }
    return rows;
}

void expectSummaryCoversEveryPoint(int chartWidth) {
    SCOPED_TRACE("chart width " + std::to_string(chartWidth));
    TChart chart;
    chart.resize(chartWidth, 250);
    auto* series = new TLineSeries(&chart);
    // Dense noise with spikes inside columns: 500 points per pixel column.
    std::mt19937 random(7);
    std::uniform_real_distribution<double> noise(0.0, 1.0);
    const std::size_t n = 180'000;
    for (std::size_t i = 0; i < n; ++i) {
        const bool spike = i % 4999 == 2500;
        series->Add(spike ? 1.0 + noise(random) : noise(random), series::NumberLabel{0}, clBlue);
    }
    const QImage summarised = chart.grab().toImage();

    QImage everyPoint(summarised.size(), QImage::Format_RGB32);
    everyPoint.fill(Qt::white);
    {
        QPainter painter(&everyPoint);
        painter.setPen(QPen(Qt::blue));
        QPolygonF line;
        const chart::ChartPlot& plot = chart::plotOf(chart);
        for (std::size_t i = 0; i < n; ++i)
            line << QPointF(plot.xAxis->coordToPixel(static_cast<double>(i)),
                            plot.yAxis->coordToPixel(series->Points().value(i)));
        painter.drawPolyline(line);
    }

    // Whether a line's last pixel is drawn differs between platforms' painters.
    const QRect area = chart.PlotArea();
    const int lastVertex = static_cast<int>(chart::plotOf(chart).xAxis->coordToPixel(n - 1.0));
    int compared = 0;
    for (int x = area.left() + 1; x < std::min(area.right(), lastVertex); ++x) {
        const auto drawn = rowsIn(summarised, x, 0x0000FF);
        const auto expected = rowsIn(everyPoint, x, 0x0000FF);
        ASSERT_EQ(drawn.has_value(), expected.has_value()) << "column " << x;
        if (!expected) continue;
        // A slanted segment and a vertical stroke may round a fractional end
        // to neighbouring rows; anything more is a point drawn or lost.
        EXPECT_NEAR(drawn->first, expected->first, 1) << "column " << x;
        EXPECT_NEAR(drawn->second, expected->second, 1) << "column " << x;
        ++compared;
    }
    EXPECT_GT(compared, area.width() - 20);  // the view leaves a few pixels spare at each end
}

// Widths that put the first point on a column's edge or either side of it,
// with any platform's fonts.
TEST(LevelOfDetail, CoversWhatDrawingEveryPointCoversInEachPixelColumn) {
    for (int width = 400; width < 410; ++width) expectSummaryCoversEveryPoint(width);
}

}  // namespace
