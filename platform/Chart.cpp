#include "platform/Chart.h"

#include <algorithm>

#include "platform/LabelTicker.h"
#include "platform/SeriesPlottable.h"

TChart::TChart(QWidget* parent) : QCustomPlot(parent), title_(new QCPTextElement(this)) {
    plotLayout()->insertRow(0);
    plotLayout()->addElement(0, 0, title_);
    xAxis->setTicker(QSharedPointer<LabelTicker>::create(
        [this]() -> const SeriesPoints* {
            return shown_.empty() ? nullptr : &shown_.front()->Points();
        },
        xAxis));
    xAxis->grid()->setVisible(false);
    yAxis->grid()->setVisible(false);
    setPlottingHints(QCP::phCacheLabels);
}

TChart::~TChart() {
    // Series are child widgets and outlive this part of the chart.
    for (TLineSeries* series : owned_) {
        series->chart_ = nullptr;
        series->plottable_ = nullptr;
    }
}

QString TChart::title() const { return title_->text(); }
void TChart::setTitle(const QString& text) { title_->setText(text); }

void TChart::show(TLineSeries* series) {
    owned_.push_back(series);
    shown_.push_back(series);
    series->plottable_ =
        new SeriesPlottable(xAxis, yAxis, series->points_, {series->colour_, series->pointerVisible_});
    SeriesChanged();
}

void TChart::forget(TLineSeries* series) {
    if (series->plottable_) removePlottable(series->plottable_);
    series->plottable_ = nullptr;
    std::erase(shown_, series);
    std::erase(owned_, series);
    SeriesChanged();
}

void TChart::RemoveAllSeries() {
    for (TLineSeries* series : shown_) {
        removePlottable(series->plottable_);
        series->plottable_ = nullptr;
    }
    shown_.clear();
    SeriesChanged();
}

void TChart::SeriesChanged() {
    if (redrawPending_) return;  // one redraw covers a whole batch of points
    redrawPending_ = true;
    update();
}

void TChart::fitAxesToPoints() {
    std::size_t count = 0;
    Extent values;
    for (const TLineSeries* series : shown_) {
        count = std::max(count, series->points_.size());
        values.include(series->points_.extent());
    }
    if (count == 0) return;
    const double lastIndex = static_cast<double>(count - 1);
    xAxis->setRange(count == 1 ? QCPRange(-0.5, 0.5) : QCPRange(0, lastIndex));
    const double margin = values.max > values.min ? (values.max - values.min) * 0.05 : 1;
    yAxis->setRange(values.min - margin, values.max + margin);
}

void TChart::paintEvent(QPaintEvent* event) {
    if (redrawPending_) {
        redrawPending_ = false;
        fitAxesToPoints();
        replot(rpQueuedRefresh);
    }
    QCustomPlot::paintEvent(event);
}

TLineSeries::TLineSeries(QWidget* parent) : QWidget(parent), chart_(qobject_cast<TChart*>(parent)) {
    setVisible(false);
    if (chart_) chart_->show(this);
}

TLineSeries::~TLineSeries() {
    if (chart_) chart_->forget(this);
}

void TLineSeries::setSeriesColor(const QColor& colour) {
    colour_ = colour;
    restyle();
}

void TLineSeries::setPointerVisible(bool visible) {
    pointerVisible_ = visible;
    restyle();
}

void TLineSeries::restyle() {
    if (!plottable_) return;
    plottable_->setStyle({colour_, pointerVisible_});
    chart_->SeriesChanged();
}

void TLineSeries::Add(double value, std::string_view label, TColor colour) {
    points_.append(value, label, colour);
    if (chart_ && plottable_) chart_->SeriesChanged();
}
