#pragma once
// What part of its points a chart shows (ViewRanges), and whether it follows
// the points (fitted to all of them after every change) or stays where the
// user put it. The one place the chart's view is kept: zooming and panning
// are operations on this model, and the chart's axes show what it holds.
//
// Every change the user makes is one step of a history (a QUndoStack), so that
// Back and Forward walk through past views. Changes that come in a burst, the
// notches of one wheel turn or the moves of one drag, make one step. Following
// the points is a view like any other; new points never touch the history.

#include <QObject>
#include <QUndoStack>
#include <cstdint>
#include <optional>

#include "platform/chart/ViewRanges.h"

namespace chart {

// A range typed by the user; an end left out is the automatic view's.
struct TypedRanges {
    std::optional<double> firstKey, lastKey, lowestValue, highestValue;
};

class ChartView : public QObject {
    Q_OBJECT

public:
    // What the user's changes may continue: a burst of them makes one step.
    enum class Burst { None, KeyWheel, ValueWheel, PanWheel, Drag };
    // Wheel notches closer together than this are one turn.
    static constexpr std::int64_t kWheelTurnMs = 300;
    static constexpr int kKeptSteps = 100;
    // The narrowest view the user can make spans this many keys.
    static constexpr double kNarrowestKeys = 2;
    // The view before there are any points.
    static constexpr ViewRanges kBeforeAnyPoint{{0, 5}, {0, 5}};

    explicit ChartView(const ViewRanges& initial = kBeforeAnyPoint, QObject* parent = nullptr);

    bool following() const { return following_; }
    const ViewRanges& ranges() const { return ranges_; }
    // The view that following the points gives now.
    const ViewRanges& automatic() const { return automatic_; }

    // The chart's own fitting to the points as they now are: the automatic
    // view, shown while following. Signals nothing and is no step.
    void fit(const ViewRanges& fitted);

    // The user's changes. A change of burst kind `burst` at `timeMs` joins
    // the step before when it continues the same burst: a drag until
    // endBurst(), a wheel turn until its notches are kWheelTurnMs apart. Keys
    // narrower than kNarrowestKeys are widened to that around their middle;
    // a range no axis can show (axisCanShow) leaves that axis as it was.
    void show(const ViewRanges& ranges, Burst burst = Burst::None, std::int64_t timeMs = 0);
    void showTyped(const TypedRanges& typed);
    void reset();
    void endBurst() { burst_.reset(); }

    bool canGoBack() const { return history_.canUndo(); }
    bool canGoForward() const { return history_.canRedo(); }
    void back();
    void forward();

signals:
    void changed();

private:
    friend class ViewStep;
    struct State {
        ViewRanges ranges;
        bool following;
    };
    void step(const State& after, Burst burst, std::int64_t timeMs);
    void apply(const State& state);

    ViewRanges ranges_;
    ViewRanges automatic_;
    bool following_ = true;
    QUndoStack history_;
    struct OpenBurst {
        Burst kind;
        std::int64_t lastMs;
    };
    std::optional<OpenBurst> burst_;  // what the next change may continue
};

}  // namespace chart
