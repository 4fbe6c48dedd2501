#pragma once
// TLineSeries: a series drawn as a line through its points. Declared as a
// child of its chart in a Designer .ui file; it has no pixels of its own, and
// tells its chart (through SeriesOwner) when it is created, changed or
// destroyed. The points themselves are a series::SeriesPoints.

#include <QColor>
#include <QWidget>
#include <cstddef>
#include <span>

#include "platform/toolkit/Colours.h"
#include "series/AllocationBudget.h"
#include "series/SeriesPoints.h"

class TLineSeries;

namespace chart {

// What a series tells the chart it belongs to.
class SeriesOwner {
public:
    virtual void SeriesCreated(TLineSeries& series) = 0;    // shown from the start
    virtual void SeriesDestroyed(TLineSeries& series) = 0;  // while the chart still lives
    virtual void PointsAppended(TLineSeries& series) = 0;
    virtual void StyleChanged(TLineSeries& series) = 0;

protected:
    ~SeriesOwner() = default;
};

}  // namespace chart

class TLineSeries : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor seriesColor READ seriesColor WRITE setSeriesColor)
    Q_PROPERTY(bool pointerVisible READ pointerVisible WRITE setPointerVisible)

public:
    explicit TLineSeries(QWidget* parent);
    ~TLineSeries() override;

    QColor seriesColor() const { return colour_; }
    void setSeriesColor(const QColor& colour);
    bool pointerVisible() const { return pointerVisible_; }
    void setPointerVisible(bool visible);

    // Appends one point after the existing ones.
    void Add(double value, series::NumberLabel label, TColor colour);

    // Appends `count` points at once, with the same result as as many Add
    // calls: labels and colour are set now, values are written through the
    // batch (see SeriesPoints::Batch), and the chart redraws once, when the
    // batch ends. Room must have been made with ReserveMore.
    class Batch;
    Batch AddBatch(std::size_t count, series::CountingLabels labels, TColor colour);

    // Makes room for `count` more points, or throws std::bad_alloc with the
    // series unchanged.
    void ReserveMore(std::size_t count) { points_.reserveMore(count, budget_); }
    // Limits what ReserveMore may allocate (null: no limit), to rehearse
    // running out of memory; the budget must outlive its use.
    void SetAllocationBudget(series::AllocationBudget* budget) { budget_ = budget; }

    const series::SeriesPoints& Points() const { return points_; }

private:
    void pointsChanged() {
        if (owner_) owner_->PointsAppended(*this);
    }

    chart::SeriesOwner* owner_;
    series::SeriesPoints points_;
    series::AllocationBudget* budget_ = nullptr;
    QColor colour_ = Qt::red;
    bool pointerVisible_ = false;
};

class TLineSeries::Batch {
public:
    void Write(std::size_t at, std::span<const float> values) { points_.write(at, values); }
    // Where the values may be written in place, then handed to Write (see
    // SeriesPoints::Batch::destination).
    std::span<float> Destination() { return points_.destination(); }
    ~Batch() {
        points_.finish();
        series_.pointsChanged();
    }

private:
    friend class TLineSeries;
    Batch(TLineSeries& series, std::size_t count, series::CountingLabels labels, TColor colour)
        : series_(series), points_(series.points_.appendBatch(count, labels, colour)) {}

    TLineSeries& series_;
    series::SeriesPoints::Batch points_;
};
