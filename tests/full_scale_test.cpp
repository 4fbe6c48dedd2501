// Protects appending at scale: a click whose points find no memory (for either
// series, at any allocation) appends nothing, says so, and leaves the window
// working, and a click queued behind a full-scale one appends its points
// after all of it.

#include "plot/curves.h"
#include "series/AllocationBudget.h"
#include "tests/main_window_fixture.h"

namespace {

// Both series draw their memory from one budget, as from one heap.
class OutOfMemory : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        series("Series1")->SetAllocationBudget(&budget);
        series("Series2")->SetAllocationBudget(&budget);
    }
    series::AllocationBudget budget;
};

TEST_F(OutOfMemory, AClickThatFindsNoMemoryAppendsNothingAndSaysSo) {
    clickOk();
    budget.largestBytes = 1 << 20;
    type("Span1", "1000000");
    clickOk();
    budget.largestBytes = std::numeric_limits<std::size_t>::max();
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
    clickOk();
    type("Span1", "5000");
    for (std::size_t granted = 0;; ++granted) {
        ASSERT_LT(granted, 100u) << "the click never got all its memory";
        SCOPED_TRACE("allocations granted: " + std::to_string(granted));
        reports.clear();
        budget.allocationsLeft = granted;
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
    const series::SeriesPoints& points1 = series("Series1")->Points();
    const series::SeriesPoints& points2 = series("Series2")->Points();
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
