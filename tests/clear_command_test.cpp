// Protects the Clear command: series off the chart but kept, every field
// emptied, nothing reported, and later OK clicks appending out of sight.

#include "tests/curve_pixels.h"
#include "tests/main_window_fixture.h"

namespace {

const char* const kAllFields[] = {"Vramp", "Span1", "Omaga",  "Span2",  "Edit5",  "Edit6", "Edit7",
                                  "Edit8", "Edit9", "Edit10", "Edit11", "Edit12", "Edit13"};

using ClearCommand = MainWindowTest;

TEST_F(ClearCommand, OnAFreshWindowEmptiesEveryFieldAndTheChartStaysEmpty) {
    for (const char* name : kAllFields) type(name, "12.5");
    clickClear();
    for (const char* name : kAllFields) EXPECT_EQ(field(name)->Text(), "") << name;
    EXPECT_TRUE(chart()->SeriesOnChart().empty());
    EXPECT_EQ(curvePixels(chart()), 0);
    EXPECT_TRUE(reports.empty());
}

TEST_F(ClearCommand, AfterAPlotTheChartShowsNothingButTheSeriesKeepTheirPoints) {
    clickOk();
    ASSERT_GT(curvePixels(chart()), 0);
    clickClear();
    EXPECT_EQ(curvePixels(chart()), 0);
    EXPECT_EQ(series("Series1")->Points().size(), 11u);
    EXPECT_EQ(series("Series2")->Points().size(), 11u);
    EXPECT_EQ(series("Series1")->parentWidget(), chart());
}

TEST_F(ClearCommand, TwiceReportsNothing) {
    clickOk();
    clickClear();
    clickClear();
    EXPECT_TRUE(reports.empty());
    for (const char* name : kAllFields) EXPECT_EQ(field(name)->Text(), "") << name;
}

TEST_F(ClearCommand, LaterOkNeedsNumbersAgainAndAppendsOutOfSight) {
    clickOk();
    clickClear();
    clickOk();
    ASSERT_EQ(reports, std::vector<std::string>{"Vramp: '' is not a valid number"});
    EXPECT_EQ(series("Series1")->Points().size(), 11u);

    setParameters("4", "5", "8", "15");
    clickOk();
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_EQ(series("Series1")->Points().size(), 17u);
    EXPECT_EQ(series("Series2")->Points().size(), 17u);
    EXPECT_EQ(series("Series1")->Points().label(16), "5");
    EXPECT_EQ(curvePixels(chart()), 0);
    EXPECT_EQ(chart()->title(), "TChart");
    EXPECT_EQ(chart()->backWallColor(), QColor(Qt::white));
}

}  // namespace
