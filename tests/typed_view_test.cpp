// Protects a typed view range as the view model applies it: an end typed
// replaces the automatic view's, an end left out keeps it, nothing typed
// follows the points again; keys narrower than two points widen around their
// middle, ends the wrong way round are put right, and a range no axis can
// show leaves that axis as it was. A typed range is one step of the history.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

#include "platform/chart/ChartView.h"
#include "tests/row_name.h"

namespace chart {
void PrintTo(const ViewRanges& view, std::ostream* out) {
    *out << "keys " << view.keys.lower << " to " << view.keys.upper << ", values "
         << view.values.lower << " to " << view.values.upper;
}
}  // namespace chart

namespace {

using chart::ViewRanges;

constexpr ViewRanges kAutomatic{{-0.5, 10.5}, {-1, 1}};

struct TypedRow {
    std::string name;
    chart::TypedRanges typed;
    std::optional<ViewRanges> shown;  // nothing: following the points
};

class TypedView : public testing::TestWithParam<TypedRow> {};

TEST_P(TypedView, ShowsTheTypedEndsAndTheAutomaticViewsForTheRest) {
    chart::ChartView view;
    view.fit(kAutomatic);
    view.showTyped(GetParam().typed);
    EXPECT_EQ(view.following(), !GetParam().shown);
    if (GetParam().shown) {
        EXPECT_EQ(view.ranges(), *GetParam().shown);
    }
    EXPECT_EQ(view.canGoBack(), GetParam().shown.has_value());
}

constexpr auto kNone = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Rows, TypedView,
    testing::Values(
        TypedRow{"NothingTypedFollowsThePoints", {kNone, kNone, kNone, kNone}, kNone},
        TypedRow{"PointsTwoToFour", {2, 4, kNone, kNone}, ViewRanges{{2, 4}, {-1, 1}}},
        TypedRow{"LastPointOnly", {kNone, 7, kNone, kNone}, ViewRanges{{-0.5, 7}, {-1, 1}}},
        TypedRow{"ValuesOnly", {kNone, kNone, 0.25, 3}, ViewRanges{{-0.5, 10.5}, {0.25, 3}}},
        TypedRow{
            "NarrowerThanTwoPoints", {2, 2.5, kNone, kNone}, ViewRanges{{1.25, 3.25}, {-1, 1}}},
        TypedRow{
            "EndsTheWrongWayRound", {kNone, kNone, 3, 0.25}, ViewRanges{{-0.5, 10.5}, {0.25, 3}}},
        TypedRow{"BeyondWhatAnAxisShows", {0, 1e300, kNone, kNone}, kAutomatic}),
    RowName());

}  // namespace
