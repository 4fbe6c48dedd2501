// Protects drawing and appending at scale: the summary drawn per pixel column
// covers exactly what drawing every point covers, a click whose points find
// no memory (for either series, at any allocation) appends nothing, says so,
// and leaves the window working, and a click queued behind a full-scale one
// appends its points after all of it.

#include <QImage>
#include <QPainter>
#include <QScopeGuard>
#include <random>

#include "plot/curves.h"
#include "series/HugePageAllocator.h"
#include "tests/main_window_fixture.h"

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

TEST(LevelOfDetail, CoversWhatDrawingEveryPointCoversInEachPixelColumn) {
    TChart chart;
    chart.resize(400, 250);
    auto* series = new TLineSeries(&chart);
    // Dense noise with spikes inside columns: 500 points per pixel column.
    std::mt19937 random(7);
    std::uniform_real_distribution<double> noise(0.0, 1.0);
    const std::size_t n = 180'000;
    for (std::size_t i = 0; i < n; ++i) {
        const bool spike = i % 4999 == 2500;
        series->Add(spike ? 1.0 + noise(random) : noise(random), NumberLabel{0}, clBlue);
    }
    const QImage summarised = chart.grab().toImage();

    QImage everyPoint(summarised.size(), QImage::Format_RGB32);
    everyPoint.fill(Qt::white);
    {
        QPainter painter(&everyPoint);
        painter.setPen(QPen(Qt::blue));
        QPolygonF line;
        for (std::size_t i = 0; i < n; ++i)
            line << QPointF(chart.xAxis->coordToPixel(static_cast<double>(i)),
                            chart.yAxis->coordToPixel(series->Points().value(i)));
        painter.drawPolyline(line);
    }

    const QRect area = chart.axisRect()->rect();
    int compared = 0;
    for (int x = area.left() + 1; x < area.right(); ++x) {
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

using OutOfMemory = MainWindowTest;

TEST_F(OutOfMemory, AClickThatFindsNoMemoryAppendsNothingAndSaysSo) {
    clickOk();
    gLargestPointAllocation = 1 << 20;
    type("Span1", "1000000");
    clickOk();
    gLargestPointAllocation = std::numeric_limits<std::size_t>::max();
    ASSERT_EQ(reports, std::vector<std::string>{"Not enough memory to plot 2,000,002 points"});
    EXPECT_EQ(series("Series1")->Points().size(), 11u);
    EXPECT_EQ(series("Series2")->Points().size(), 11u);
    EXPECT_EQ(series("Series2")->Points().label(10), "20");

    clickOk();
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_EQ(series("Series1")->Points().size(), 11u + 1000001u);
}

// Each allocation of the click in turn is the one that fails: the first of
// Series1's, …, the last of Series2's, until the click needs no more.
TEST_F(OutOfMemory, WhereverAClickRunsOutNeitherSeriesGetsAPoint) {
    const auto unlimited =
        qScopeGuard([] { gPointAllocationsLeft = std::numeric_limits<std::size_t>::max(); });
    clickOk();
    type("Span1", "5000");
    for (std::size_t granted = 0;; ++granted) {
        ASSERT_LT(granted, 100u) << "the click never got all its memory";
        SCOPED_TRACE("allocations granted: " + std::to_string(granted));
        reports.clear();
        gPointAllocationsLeft = granted;
        clickOk();
        const std::size_t size1 = series("Series1")->Points().size();
        const std::size_t size2 = series("Series2")->Points().size();
        if (!reports.empty()) {
            EXPECT_EQ(size1, 11u);
            ASSERT_EQ(size2, 11u);
            continue;
        }
        EXPECT_GT(granted, 0u);
        EXPECT_EQ(size1, 11u + 5001u);
        EXPECT_EQ(size2, 11u + 5001u);
        break;
    }
}

using FullScale = MainWindowTest;

TEST_F(FullScale, AClickQueuedBehindAFullScaleOneAppendsAfterItInOrder) {
    type("Span1", "16777215");
    auto* ok = find<TButton>("Button1");
    // The second click is in the queue before the first has begun.
    QMetaObject::invokeMethod(ok, &QAbstractButton::click, Qt::QueuedConnection);
    QMetaObject::invokeMethod(
        ok, [this] { type("Span1", "3"); }, Qt::QueuedConnection);
    QMetaObject::invokeMethod(ok, &QAbstractButton::click, Qt::QueuedConnection);
    const std::size_t full = 16777216, more = 4;  // Span1 16777215, then 3
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return series("Series2")->Points().size() >= full + more; }, 60000));
    EXPECT_TRUE(reports.empty());
    std::vector<plot::Pass> second;
    const plot::Parameters parameters{10, 3, 10, 10};
    plot::sampleCurves(parameters, plot::deriveCoefficients(parameters),
                       [&](const plot::Pass& pass) { second.push_back(pass); });
    ASSERT_EQ(second.size(), more);
    const SeriesPoints& points1 = series("Series1")->Points();
    const SeriesPoints& points2 = series("Series2")->Points();
    ASSERT_EQ(points1.size(), full + more);
    ASSERT_EQ(points2.size(), full + more);
    EXPECT_EQ(points1.label(full - 1), "16777215");
    EXPECT_EQ(points2.label(full - 1), "16777216");
    for (std::size_t k = 0; k < more; ++k) {
        EXPECT_EQ(points1.label(full + k), std::to_string(k));
        EXPECT_EQ(points2.label(full + k), std::to_string(k + 10));
        EXPECT_EQ(points1.value(full + k), static_cast<double>(second[k].y1)) << k;
        EXPECT_EQ(points2.value(full + k), static_cast<double>(second[k].y2)) << k;
    }
}

}  // namespace
