#pragma once
// What part of its points a chart shows: a range of keys (point indices) and
// of values, and whether it follows the points (fitted to all of them after
// every change) or stays where the user put it. Zooming and panning are
// operations on this model; the chart draws whatever it holds.
//
// Every change the user makes is one step of a history (a QUndoStack), so that
// Back and Forward walk through past views. Changes that come in a burst, the
// notches of one wheel turn or the moves of one drag, make one step. Following
// the points is a view like any other; new points never touch the history.

#include <qcustomplot.h>

#include <QObject>
#include <QSize>
#include <QUndoStack>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace chart {

struct ViewRanges {
    QCPRange keys, values;
};

// The automatic view of `count` points with values from `lowest` to
// `highest` on a plot area of `pixels`: every point, with a few pixels to
// spare at each end so that the markers of the first and last points are
// drawn whole.
ViewRanges fittedView(std::size_t count, double lowest, double highest, QSize pixels);

// `range` scaled by `factor` (below 1 zooms in) around `centre`, and moved by
// `fraction` of its size.
QCPRange zoomed(const QCPRange& range, double factor, double centre);
QCPRange moved(const QCPRange& range, double fraction);

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

    ChartView(const ViewRanges& initial, QObject* parent);

    bool following() const { return following_; }
    const ViewRanges& ranges() const { return ranges_; }
    // The view that following the points gives now.
    const ViewRanges& automatic() const { return automatic_; }

    // The chart's own fitting to the points as they now are: the automatic
    // view, shown while following. Signals nothing and is no step.
    void fit(const ViewRanges& fitted);

    // The user's changes. A change of burst kind `burst` at `timeMs` joins
    // the step before when it continues the same burst: a drag until
    // endBurst(), a wheel turn until its notches are kWheelTurnMs apart.
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
