// Protects what a user does with the chart: zoom, pan, reset, the automatic
// view following new points, the point readout, and copying data (the points
// inside the view on both axes) and image.

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QRubberBand>
#include <QToolTip>
#include <QWheelEvent>
#include <array>
#include <cmath>
#include <limits>
#include <random>
#include <utility>

#include "platform/chart/ChartCommands.h"
#include "platform/chart/ChartView.h"
#include "platform/chart/PointReadout.h"
#include "platform/conversions/Exception.h"
#include "tests/chart_fixture.h"
#include "tests/row_name.h"

namespace {

class ChartView : public ChartTest {
protected:
    void plot(int span1) {
        plotSpan(span1);
        draw();
    }
    QCPRange keys() const { return chartPlot().xAxis->range(); }
    QCPRange values() const { return chartPlot().yAxis->range(); }
    double keyAt(int x) const { return chartPlot().xAxis->pixelToCoord(x); }
    void wheel(QPoint at, int steps, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QWheelEvent event(at, chart()->mapToGlobal(at), QPoint(), QPoint(0, 120 * steps),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(chart(), &event);
    }
    void drag(Qt::MouseButton button, QPoint from, QPoint to) const {
        QTest::mousePress(chart(), button, Qt::NoModifier, from);
        QTest::mouseMove(chart(), (from + to) / 2);
        QTest::mouseMove(chart(), to);
        QTest::mouseRelease(chart(), button, Qt::NoModifier, to);
        draw();
    }
    QString clipboardText() const { return QApplication::clipboard()->text(); }
    // As the context menu does it, reporting what goes wrong.
    void copyData() const { chart()->findChild<QAction*>("CopyData")->trigger(); }
    // The automatic view: every index 0 … last, with under ten pixels to spare.
    void expectFullView(double last) const {
        const double pixel = keyAt(1) - keyAt(0);
        EXPECT_LE(keys().lower, 0);
        EXPECT_GT(keys().lower, -10 * pixel);
        EXPECT_GE(keys().upper, last);
        EXPECT_LT(keys().upper, last + 10 * pixel);
    }
};

TEST_F(ChartView, FollowsThePointsUntilTheUserZooms) {
    plot(100);
    EXPECT_TRUE(chart()->View().following());
    expectFullView(100);
    plot(200);
    expectFullView(301);

    const QRect area = plotArea();
    const QPoint from = area.topLeft() + QPoint(100, 20), to = area.topLeft() + QPoint(200, 120);
    const QCPRange expected(keyAt(from.x()), keyAt(to.x()));
    const double onePixel = keyAt(1) - keyAt(0);  // the rectangle's edge pixel is inclusive
    drag(Qt::LeftButton, from, to);
    EXPECT_FALSE(chart()->View().following());
    EXPECT_NEAR(keys().lower, expected.lower, onePixel);
    EXPECT_NEAR(keys().upper, expected.upper, onePixel);

    const QCPRange zoomed = keys();
    plot(100);
    EXPECT_EQ(keys(), zoomed);
}

// Dragged either way, a rectangle zooms into the same view, from the pixel
// where the drag started to the one where it ended; the rectangle shows only
// while it is dragged.
TEST_F(ChartView, AZoomRectangleDraggedEitherWayShowsTheSameView) {
    plot(1000);
    const QRect area = plotArea();
    const QPoint a = area.topLeft() + QPoint(100, 20), b = area.topLeft() + QPoint(200, 120);
    const QCPRange expected(keyAt(a.x()), keyAt(b.x()));
    drag(Qt::LeftButton, a, b);
    const QCPRange keysDragged = keys(), valuesDragged = values();
    EXPECT_EQ(keysDragged, expected);
    QTest::keyClick(chart(), Qt::Key_Home);
    drag(Qt::LeftButton, b, a);
    EXPECT_EQ(keys(), keysDragged);
    EXPECT_EQ(values(), valuesDragged);
    EXPECT_FALSE(chart()->findChild<QRubberBand*>()->isVisible());
}

TEST_F(ChartView, WheelZoomsTheBottomAxisAroundThePointer) {
    plot(1000);
    const QPoint at = plotArea().center() + QPoint(60, 0);
    const double keyUnderPointer = keyAt(at.x());
    const QCPRange before = keys(), valuesBefore = values();
    wheel(at, 1);
    draw();
    EXPECT_LT(keys().size(), before.size());
    EXPECT_NEAR(keyAt(at.x()), keyUnderPointer, 1e-9 * before.size());
    EXPECT_EQ(values(), valuesBefore);
    EXPECT_FALSE(chart()->View().following());
}

// One wheel turn of a few quick notches is one step back; the modifiers pick
// what the wheel does.
struct WheelRow {
    std::string name;
    Qt::KeyboardModifiers modifiers;
    bool keysZoomed, valuesZoomed, keysMoved;
};

class Wheel : public ChartView, public testing::WithParamInterface<WheelRow> {};

TEST_P(Wheel, ZoomsOrPansTheAxisItsModifiersSayAndATurnIsOneStepBack) {
    const WheelRow& row = GetParam();
    plot(1000);
    const QCPRange fullKeys = keys(), fullValues = values();
    for (int notch = 0; notch < 3; ++notch) wheel(plotArea().center(), 1, row.modifiers);
    draw();
    EXPECT_EQ(keys().size() < 0.9 * fullKeys.size(), row.keysZoomed);
    EXPECT_EQ(values().size() < 0.9 * fullValues.size(), row.valuesZoomed);
    // Turned away from the user, the wheel pans back along the points.
    EXPECT_EQ(keys().center() < fullKeys.center() - 0.1 * fullKeys.size(), row.keysMoved);
    QTest::mouseClick(chart(), Qt::LeftButton, Qt::NoModifier, plotArea().center());
    QTest::keyClick(chart(), Qt::Key_Left, Qt::AltModifier);
    draw();
    EXPECT_TRUE(chart()->View().following());
    EXPECT_EQ(keys(), fullKeys);
    EXPECT_FALSE(chart()->View().canGoBack());
}

INSTANTIATE_TEST_SUITE_P(Modifiers, Wheel,
                         testing::Values(WheelRow{"Plain", Qt::NoModifier, true, false, false},
                                         WheelRow{"Ctrl", Qt::ControlModifier, false, true, false},
                                         WheelRow{"Shift", Qt::ShiftModifier, false, false, true}),
                         RowName());

TEST_F(ChartView, RightDragPansAndResetReturnsToTheFullView) {
    plot(1000);
    const QCPRange full = keys();
    const QPoint from = plotArea().center();
    drag(Qt::RightButton, from, from + QPoint(-50, 0));
    const double shift = 50 * full.size() / plotArea().width();
    EXPECT_DOUBLE_EQ(keys().lower, full.lower + shift);
    EXPECT_DOUBLE_EQ(keys().upper, full.upper + shift);
    EXPECT_FALSE(chart()->View().following());

    QTest::mouseDClick(chart(), Qt::LeftButton, Qt::NoModifier, from);
    draw();
    EXPECT_TRUE(chart()->View().following());
    EXPECT_EQ(keys(), full);
}

TEST_F(ChartView, HomeAndEscapeResetWhenTheChartHasFocus) {
    plot(1000);
    const QCPRange full = keys();
    for (const Qt::Key key : {Qt::Key_Home, Qt::Key_Escape}) {
        wheel(plotArea().center(), 2);
        ASSERT_FALSE(chart()->View().following());
        QTest::mouseClick(chart(), Qt::LeftButton, Qt::NoModifier, plotArea().center());
        EXPECT_TRUE(chart()->hasFocus());
        QTest::keyClick(chart(), key);
        draw();
        EXPECT_TRUE(chart()->View().following());
        EXPECT_EQ(keys(), full);
    }
}

TEST_F(ChartView, AClickFocusesTheChartWithoutZooming) {
    plot(1000);
    const QCPRange full = keys();
    QTest::mouseClick(chart(), Qt::LeftButton, Qt::NoModifier, plotArea().center());
    draw();
    EXPECT_TRUE(chart()->hasFocus());
    EXPECT_TRUE(chart()->View().following());
    EXPECT_EQ(keys(), full);
}

// In the automatic view and in random views down to the narrowest (a point's
// width or less asked for), at least two labels, each whole inside the chart
// (QCustomPlot leaves out one that would reach past it) and clear of the next.
TEST_F(ChartView, BottomAxisLabelsTwoPointsOrMoreWholeAndApartAtEveryZoom) {
    std::mt19937 random(24);
    for (const int span : {10, 1000, 16777215}) {
        makeChart();
        plot(span);
        const auto count = static_cast<double>(series("Series1")->Points().size());
        for (int view = 0; view < 30; ++view) {
            if (view > 0) {
                const double middle = std::uniform_real_distribution(1.0, count - 2)(random);
                const double width =
                    std::pow(count, std::uniform_real_distribution(-1.0, 1.0)(random));
                chart()->View().show(
                    {{middle - width / 2, middle + width / 2}, chart()->View().ranges().values});
            }
            chartPlot().replot();
            SCOPED_TRACE(testing::Message()
                         << "span " << span << ", keys " << keys().lower << " to " << keys().upper);
            const QVector<double> ticks = chartPlot().xAxis->tickVector();
            const QVector<QString> labels = chartPlot().xAxis->tickVectorLabels();
            ASSERT_GE(ticks.size(), 2);
            const QFontMetrics metrics(chartPlot().xAxis->tickLabelFont());
            double previousRight = 0;
            for (qsizetype i = 0; i < ticks.size(); ++i) {
                EXPECT_EQ(ticks[i], std::floor(ticks[i]));
                EXPECT_EQ(labels[i].toStdString(),
                          series("Series1")->Points().label(static_cast<std::size_t>(ticks[i])));
                const double centre = chartPlot().xAxis->coordToPixel(ticks[i]);
                const double half = metrics.horizontalAdvance(labels[i]) / 2.0;
                EXPECT_GT(centre - half, previousRight) << labels[i].toStdString();
                previousRight = centre + half;
            }
            EXPECT_LE(previousRight, chart()->width());
        }
    }
}

// In any locale, as the readout and the typed range write numbers: each tick
// the shortest text of the decimal it stands for.
TEST_F(ChartView, ValueAxisWritesNumbersAsTheReadoutAndTheTypedRangeDo) {
    plotCurves({4, 5, 8, 15});
    chart()->setLocale(QLocale(QLocale::German));
    chart()->findChild<QAction*>("ShowValueAxis")->trigger();
    chart()->View().show({chart()->View().ranges().keys, {-0.3, 0.45}});
    chartPlot().replot();
    EXPECT_EQ(chartPlot().yAxis->tickVectorLabels(),
              QVector<QString>({"-0.2", "-0.1", "0", "0.1", "0.2", "0.3", "0.4"}));
}

TEST_F(ChartView, HoveringNearAPointShowsItsReadout) {
    plotCurves({4, 5, 8, 15});
    draw();
    const QPoint point(static_cast<int>(std::lround(chartPlot().xAxis->coordToPixel(5))),
                       static_cast<int>(std::lround(chartPlot().yAxis->coordToPixel(0.234375))));
    QTest::mouseMove(chart(), point + QPoint(2, -1));
    EXPECT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 2000));
    EXPECT_EQ(QToolTip::text(), "Series1  label 5  value 0.234375");
}

TEST_F(ChartView, ReadoutNamesSeriesLabelAndShortestValue) {
    plotCurves({4, 5, 8, 15});
    draw();
    const auto pixelOf = [&](double index, double value) {
        return QPoint(static_cast<int>(std::lround(chartPlot().xAxis->coordToPixel(index))),
                      static_cast<int>(std::lround(chartPlot().yAxis->coordToPixel(value))));
    };
    using chart::PointReadout;
    EXPECT_EQ(PointReadout::at(*chart(), pixelOf(5, 0.234375)),
              QString("Series1  label 5  value 0.234375"));
    EXPECT_EQ(PointReadout::at(*chart(), pixelOf(1, 2)), QString("Series2  label 11  value 2"));
    EXPECT_EQ(PointReadout::at(*chart(), pixelOf(2.5, 4.25)), std::nullopt);
}

TEST_F(ChartView, CopyDataPutsThePointsInViewAsATable) {
    plotCurves({4, 5, 8, 15});
    draw();
    QTest::mouseClick(chart(), Qt::LeftButton, Qt::NoModifier, plotArea().center());
    QTest::keyClick(chart(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboardText().toStdString(),
              "series\tindex\tlabel\tvalue\n"
              "Series1\t0\t0\t0\n"
              "Series1\t1\t1\t0.0023750002\n"
              "Series1\t2\t2\t0.018000001\n"
              "Series1\t3\t3\t0.057375006\n"
              "Series1\t4\t4\t0.128\n"  // the float nearest 0.128, 0.12800001 to 8 digits
              "Series1\t5\t5\t0.234375\n"
              "Series2\t0\t10\t1.25\n"
              "Series2\t1\t11\t2\n"
              "Series2\t2\t12\t2.75\n"
              "Series2\t3\t13\t3.5\n"
              "Series2\t4\t14\t4.25\n"
              "Series2\t5\t15\t5\n");

    chart()->View().show({{0.5, 2.5}, chart()->View().ranges().values});
    chart()->findChild<QAction*>("CopyData")->trigger();
    EXPECT_EQ(clipboardText().toStdString(),
              "series\tindex\tlabel\tvalue\n"
              "Series1\t1\t1\t0.0023750002\n"
              "Series1\t2\t2\t0.018000001\n"
              "Series2\t1\t11\t2\n"
              "Series2\t2\t12\t2.75\n");
}

TEST_F(ChartView, CopyDataAfterAZoomLeavesOutPointsAboveAndBelowTheView) {
    plotCurves({4, 5, 8, 15});
    draw();
    chart()->View().show({{0.5, 4.5}, {0.01, 3}});
    copyData();
    EXPECT_EQ(clipboardText().toStdString(),
              "series\tindex\tlabel\tvalue\n"
              "Series1\t2\t2\t0.018000001\n"
              "Series1\t3\t3\t0.057375006\n"
              "Series1\t4\t4\t0.128\n"
              "Series2\t1\t11\t2\n"
              "Series2\t2\t12\t2.75\n");
}

TEST_F(ChartView, CopyDataRefusesMoreRowsThanASpreadsheetHolds) {
    plot(524288);  // 524,289 points per series in view
    QApplication::clipboard()->setText("before");
    copyData();
    EXPECT_EQ(clipboardText(), "before");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "Too many points to copy (1,048,578): zoom in to 1,048,575 or fewer");

    chart()->View().show({{0, 524286}, chart()->View().ranges().values});  // 524,287 per series
    copyData();
    EXPECT_EQ(clipboardText().count('\n'), 1 + 2 * 524287);
    EXPECT_EQ(reports.size(), 1u);
}

// The window's two series always hold as many points each, so the odd limit
// itself is tried on a chart with one series.
TEST(CopyData, TakesExactlyAsManyPointsAsASpreadsheetHoldsAndNoMore) {
    TChart chart;
    auto* series = new TLineSeries(&chart);
    series->setObjectName("Series1");
    const std::size_t n = series::kMaxTableRows + 1;
    std::vector<float> values(n);
    for (std::size_t i = 0; i < n; ++i) values[i] = static_cast<float>(i % 7);
    series->ReserveMore(n);
    series->AddBatch(n, {0, n}, clBlue).Write(0, values);

    chart.View().show({{0, static_cast<double>(n - 2)}, {-1, 7}});
    chart::ChartCommands(chart).copyData();
    const QString table = QApplication::clipboard()->text();
    EXPECT_EQ(static_cast<std::size_t>(table.count('\n')), 1 + series::kMaxTableRows);
    EXPECT_TRUE(table.endsWith("\nSeries1\t1048574\t1048574\t2\n"))
        << table.right(40).toStdString();

    QApplication::clipboard()->setText("before");
    chart.View().show({{0, static_cast<double>(n - 1)}, {-1, 7}});
    EXPECT_THROW(chart::ChartCommands(chart).copyData(), conversions::Exception);
    EXPECT_EQ(QApplication::clipboard()->text(), "before");
}

TEST_F(ChartView, AfterClearCopyDataGivesOnlyTheHeader) {
    plot(10);
    chart()->RemoveAllSeries();
    copyData();
    EXPECT_EQ(clipboardText(), "series\tindex\tlabel\tvalue\n");
}

TEST_F(ChartView, CopyImageHasTheChartsSize) {
    plot(10);
    chart()->findChild<QAction*>("CopyImage")->trigger();
    const QImage image = QApplication::clipboard()->image();
    EXPECT_EQ(image.size(), chart()->size() * chart()->devicePixelRatio());
}

// The view keeps to the ranges the axes show (ViewRanges.h), so that the axes
// never leave out a view the model holds: the same answer at every edge.
TEST(AxisRanges, TheViewShowsWhatTheAxesShow) {
    const double tiny = 1e-300, nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<double, double> ranges[] = {
        {0, 5},       {5, 0},          {-1e250, 0},    {-9e249, 0}, {0, 1e250},
        {0, 9e249},   {-5e249, 5e249}, {1, 1 + 1e-16}, {0, 1e-280}, {0, 2e-280},
        {tiny, 1e10}, {-1e10, -tiny},  {-tiny, 1e10},  {nan, 1},    {0, nan}};
    for (const auto& [lower, upper] : ranges)
        EXPECT_EQ(chart::axisCanShow({lower, upper}), QCPRange::validRange(lower, upper))
            << lower << " to " << upper;
}

// ---------------------------------------------------------------------------
// The typed view range, through its dialog (Ctrl+R) on the worked case's six
// points per series: what Copy data then copies, or the report for bad text,
// with the dialog left open and the view as it was.

struct RangeRow {
    std::string name;
    std::array<const char*, 4> texts;  // First point, Last point, Lowest value, Highest value
    std::string report;                // "" when the range applies
    qsizetype copiedRows;              // rows below the header, when it applies
    bool cancel = false;
};

class TypedRange : public ChartView, public testing::WithParamInterface<RangeRow> {};

TEST_P(TypedRange, ShowsExactlyTheTypedPointsOrSaysWhichFieldIsWrong) {
    const RangeRow& row = GetParam();
    plotCurves({4, 5, 8, 15});
    draw();
    bool stayedOpen = false;
    onDialog<QDialog>([&](QDialog* dialog) {
        const char* names[] = {"FirstPoint", "LastPoint", "LowestValue", "HighestValue"};
        for (std::size_t i = 0; i < 4; ++i)
            dialog->findChild<QLineEdit*>(names[i])->setText(QString::fromUtf8(row.texts[i]));
        if (row.cancel) {
            QTest::keyClick(dialog, Qt::Key_Escape);
            return;
        }
        QTest::keyClick(dialog->findChild<QLineEdit*>("FirstPoint"), Qt::Key_Return);
        stayedOpen = dialog->isVisible();
        dialog->reject();
    });
    QTest::mouseClick(chart(), Qt::LeftButton, Qt::NoModifier, plotArea().center());
    QTest::keyClick(chart(), Qt::Key_R, Qt::ControlModifier);
    draw();
    if (!row.report.empty()) {
        EXPECT_EQ(reports, std::vector<std::string>{row.report});
        EXPECT_TRUE(stayedOpen);
    } else {
        EXPECT_TRUE(reports.empty()) << reports.front();
    }
    const bool applies = row.report.empty() && !row.cancel;
    const bool allEmpty = std::all_of(row.texts.begin(), row.texts.end(),
                                      [](const char* text) { return *text == '\0'; });
    EXPECT_EQ(chart()->View().following(), !applies || allEmpty);
    copyData();
    EXPECT_EQ(clipboardText().count('\n'), 1 + (applies ? row.copiedRows : 12));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TypedRange,
    testing::Values(
        RangeRow{"PointsTwoToFour", {"2", "4", "", ""}, "", 6},
        RangeRow{"EndsBetweenPoints", {"1.5", " 3.5\n", "", ""}, "", 4},
        RangeRow{"PastTheData", {"-10", "1e6", "-1e9", "1e9"}, "", 12},
        RangeRow{"ValuesOnly", {"", "", "1", "3"}, "", 3},
        RangeRow{"AllEmptyFollowsThePoints", {"", "", "", ""}, "", 12},
        RangeRow{"NotANumber", {"abc", "4", "", ""}, "First point: 'abc' is not a valid number", 0},
        RangeRow{
            "FirstNotBelowLast", {"4", "2", "", ""}, "First point must be below Last point", 0},
        RangeRow{"LowestNotBelowHighest",
                 {"", "", "3", "3"},
                 "Lowest value must be below Highest value",
                 0},
        RangeRow{"BeyondWhatAnAxisShows",
                 {"0", "1e300", "", ""},
                 "Last point: '1e300' is out of range",
                 0},
        RangeRow{"Cancelled", {"2", "4", "", ""}, "", 0, true}),
    RowName());

}  // namespace
