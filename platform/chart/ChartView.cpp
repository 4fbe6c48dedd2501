#include "platform/chart/ChartView.h"

#include <QUndoCommand>

namespace chart {

namespace {

// A range no axis can show leaves the view's as it was; ends given the wrong
// way round are put right.
Range usable(Range wanted, Range old) {
    if (!axisCanShow(wanted)) return old;
    return wanted.lower <= wanted.upper ? wanted : Range{wanted.upper, wanted.lower};
}

// Keys narrower than two points are widened to that around their middle:
// any such range holds two points, for the bottom axis to label.
Range atLeastTwoPointsWide(Range keys) {
    if (!(keys.size() < ChartView::kNarrowestKeys)) return keys;
    const double middle = keys.centre();
    return {middle - ChartView::kNarrowestKeys / 2, middle + ChartView::kNarrowestKeys / 2};
}

}  // namespace

// One step of the history: the view before and after it. A step that
// continues a burst is merged into the one before (QUndoStack::push).
class ViewStep : public QUndoCommand {
public:
    ViewStep(ChartView& view, const ChartView::State& before, const ChartView::State& after,
             bool continues)
        : view_(view), before_(before), after_(after), continues_(continues) {}

    void undo() override { view_.apply(before_); }
    void redo() override { view_.apply(after_); }
    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand* next) override {
        const auto* step = static_cast<const ViewStep*>(next);
        if (!step->continues_) return false;
        after_ = step->after_;
        return true;
    }

private:
    ChartView& view_;
    ChartView::State before_, after_;
    bool continues_;
};

ChartView::ChartView(const ViewRanges& initial, QObject* parent)
    : QObject(parent), ranges_(initial), automatic_(initial) {
    history_.setUndoLimit(kKeptSteps);
}

void ChartView::fit(const ViewRanges& fitted) {
    automatic_ = fitted;
    if (following_) ranges_ = fitted;
}

void ChartView::show(const ViewRanges& ranges, Burst burst, std::int64_t timeMs) {
    step({{usable(atLeastTwoPointsWide(ranges.keys), ranges_.keys),
           usable(ranges.values, ranges_.values)},
          false},
         burst, timeMs);
}

void ChartView::showTyped(const TypedRanges& typed) {
    if (!typed.firstKey && !typed.lastKey && !typed.lowestValue && !typed.highestValue) {
        reset();
        return;
    }
    show({{typed.firstKey.value_or(automatic_.keys.lower),
           typed.lastKey.value_or(automatic_.keys.upper)},
          {typed.lowestValue.value_or(automatic_.values.lower),
           typed.highestValue.value_or(automatic_.values.upper)}});
}

void ChartView::reset() { step({ranges_, true}, Burst::None, 0); }

// A change that leaves the view as it is makes no step of its own, and opens
// no burst: a burst joins only steps of its own.
void ChartView::step(const State& after, Burst burst, std::int64_t timeMs) {
    const bool continues = burst != Burst::None && burst_ && burst_->kind == burst &&
                           (burst == Burst::Drag || timeMs - burst_->lastMs <= kWheelTurnMs);
    const State before{ranges_, following_};
    const bool unchanged =
        after.following == before.following && (after.following || after.ranges == before.ranges);
    if (!unchanged) history_.push(new ViewStep(*this, before, after, continues));
    if (continues || (!unchanged && burst != Burst::None))
        burst_ = OpenBurst{burst, timeMs};
    else
        burst_.reset();
}

void ChartView::back() {
    endBurst();
    history_.undo();
}

void ChartView::forward() {
    endBurst();
    history_.redo();
}

void ChartView::apply(const State& state) {
    ranges_ = state.ranges;
    following_ = state.following;
    emit changed();
}

}  // namespace chart
