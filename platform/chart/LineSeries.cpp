#include "platform/chart/LineSeries.h"

TLineSeries::TLineSeries(QWidget* parent)
    : QWidget(parent), owner_(dynamic_cast<chart::SeriesOwner*>(parent)) {
    setVisible(false);
    if (owner_) owner_->SeriesCreated(*this);
}

TLineSeries::~TLineSeries() {
    if (owner_) owner_->SeriesDestroyed(*this);
}

void TLineSeries::setSeriesColor(const QColor& colour) {
    colour_ = colour;
    if (owner_) owner_->StyleChanged(*this);
}

void TLineSeries::setPointerVisible(bool visible) {
    pointerVisible_ = visible;
    if (owner_) owner_->StyleChanged(*this);
}

void TLineSeries::Add(double value, series::NumberLabel label, TColor colour) {
    points_.append(value, label, colour);
    pointsChanged();
}

TLineSeries::Batch TLineSeries::AddBatch(std::size_t count, series::CountingLabels labels,
                                         TColor colour) {
    return Batch(*this, count, labels, colour);
}
