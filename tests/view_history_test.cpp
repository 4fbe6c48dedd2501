// Protects the view's history: Back and Forward walk through the views the
// user made, a change after Back drops the steps ahead, at most kKeptSteps
// steps are kept, a burst (one wheel turn, one drag) is one step, and the
// points' own fitting never makes a step. Random sessions are checked against
// a plain list of views after every operation.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/chart/ChartView.h"
#include "tests/row_name.h"

namespace {

using chart::ChartView;
using chart::ViewRanges;
using Burst = ChartView::Burst;

struct View {
    ViewRanges ranges;
    bool following;
};

// The history as a list of views and a position in it.
class ReferenceHistory {
public:
    explicit ReferenceHistory(const ViewRanges& start) : views_{{start, true}} {}

    void change(const View& next, Burst burst, std::int64_t ms) {
        const bool continues = burst != Burst::None && open_ && openKind_ == burst &&
                               (burst == Burst::Drag || ms - openMs_ <= ChartView::kWheelTurnMs);
        const bool unchanged = next.following == current().following &&
                               (next.following || next.ranges == current().ranges);
        if (!unchanged) {
            views_.resize(at_ + 1);
            if (continues && at_ > 0) {
                views_[at_] = next;
            } else {
                views_.push_back(next);
                if (views_.size() > ChartView::kKeptSteps + 1) views_.erase(views_.begin());
                at_ = views_.size() - 1;
            }
        }
        open_ = continues || (!unchanged && burst != Burst::None);
        openKind_ = burst;
        openMs_ = ms;
    }
    // Back (-1), Forward (+1) or neither (0); each ends a burst.
    void go(int steps) {
        open_ = false;
        if (steps < 0 && canGoBack()) --at_;
        if (steps > 0 && canGoForward()) ++at_;
    }
    // Following, the view is whatever the points give.
    void fit(const ViewRanges& fitted) {
        if (current().following) views_[at_].ranges = fitted;
    }
    const View& current() const { return views_[at_]; }
    bool canGoBack() const { return at_ > 0; }
    bool canGoForward() const { return at_ + 1 < views_.size(); }

private:
    std::vector<View> views_;
    std::size_t at_ = 0;
    bool open_ = false;
    Burst openKind_ = Burst::None;
    std::int64_t openMs_ = 0;
};

struct SessionRow {
    std::string name;
    unsigned seed;
    int steps;
};

class ViewHistory : public testing::TestWithParam<SessionRow> {};

TEST_P(ViewHistory, FollowsAPlainListOfViewsThroughRandomSessions) {
    std::mt19937 random(GetParam().seed);
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    // Few distinct ranges, so that changes that change nothing come up too.
    const auto ranges = [&] {
        return ViewRanges{{static_cast<double>(pick(3)), 10.0 + pick(3)},
                          {static_cast<double>(-pick(2)), 1.0 + pick(2)}};
    };
    const ViewRanges start{{0, 5}, {0, 5}};
    ChartView view(start);
    ReferenceHistory reference(start);
    std::int64_t ms = 0;
    for (int step = 0; step < GetParam().steps; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        switch (pick(9)) {
            case 0:
                view.back();
                reference.go(-1);
                break;
            case 1:
                view.forward();
                reference.go(+1);
                break;
            case 2:
                view.reset();
                reference.change({view.ranges(), true}, Burst::None, ms);
                break;
            case 3: {
                const ViewRanges fitted = ranges();
                view.fit(fitted);
                reference.fit(fitted);
                break;
            }
            case 4:
                view.endBurst();
                reference.go(0);
                break;
            default: {
                const Burst burst = std::array{Burst::None, Burst::KeyWheel, Burst::ValueWheel,
                                               Burst::Drag}[static_cast<std::size_t>(pick(4))];
                ms += std::array{0, 100, 299, 300, 301, 1000}[static_cast<std::size_t>(pick(6))];
                const ViewRanges next = ranges();
                view.show(next, burst, ms);
                reference.change({next, false}, burst, ms);
            }
        }
        ASSERT_EQ(view.following(), reference.current().following);
        // Following, the chart fits the view to the points anew anyway.
        if (!view.following()) {
            ASSERT_TRUE(view.ranges() == reference.current().ranges);
        }
        ASSERT_EQ(view.canGoBack(), reference.canGoBack());
        ASSERT_EQ(view.canGoForward(), reference.canGoForward());
    }
}

INSTANTIATE_TEST_SUITE_P(Sessions, ViewHistory,
                         testing::Values(SessionRow{"Short", 1, 60}, SessionRow{"Long", 2, 3000},
                                         // Long enough runs of changes to reach the step limit.
                                         SessionRow{"PastTheStepLimit", 3, 20000}),
                         RowName());

}  // namespace
