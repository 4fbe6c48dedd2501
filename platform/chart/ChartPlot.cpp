#include "platform/chart/ChartPlot.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "platform/chart/AxisTickers.h"
#include "platform/chart/Chart.h"
#include "platform/chart/ChartAccessible.h"
#include "platform/chart/ChartView.h"
#include "platform/chart/SeriesPlottable.h"

namespace chart {

ChartPlot::ChartPlot(TChart& chart, ChartView& view)
    : QCustomPlot(&chart),
      chart_(chart),
      view_(view),
      title_(new QCPTextElement(this)),
      notice_(new QCPItemText(this)) {
    plotLayout()->insertRow(0);
    plotLayout()->addElement(0, 0, title_);
    // Series taken off the chart stay off: a user pressing OK afterwards
    // sees nothing change, and this says why.
    notice_->position->setType(QCPItemPosition::ptAxisRectRatio);
    notice_->position->setCoords(0.5, 0.5);
    notice_->setColor(Qt::darkGray);
    notice_->setVisible(false);
    xAxis->setTicker(QSharedPointer<LabelTicker>::create(
        [this]() -> const series::SeriesPoints* {
            return shown_.empty() ? nullptr : &shown_.front().series->Points();
        },
        xAxis));
    yAxis->setTicker(QSharedPointer<ValueTicker>::create());
    xAxis->grid()->setVisible(false);
    yAxis->grid()->setVisible(false);
    setPlottingHints(QCP::phCacheLabels);
    setBackground(palette().window());
    // The chart takes the mouse and the keys (ChartInput); this only draws.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    showView();

    connect(&view_, &ChartView::changed, this, [this] {
        if (view_.following()) {
            updateNotice();
            requestRedraw();
        } else {
            showView();
            replot(rpQueuedReplot);
            AnnounceDescriptionChange(&chart_);
        }
    });
}

void ChartPlot::showValueAxis(bool shown) {
    yAxis->setVisible(shown);
    requestRedraw();  // the plot area's width changes
}

std::vector<TLineSeries*> ChartPlot::seriesShown() const {
    std::vector<TLineSeries*> series;
    for (const Shown& shown : shown_) series.push_back(shown.series);
    return series;
}

const ChartPlot::Shown* ChartPlot::shownEntryOf(const TLineSeries& series) const {
    const auto entry = std::find_if(shown_.begin(), shown_.end(),
                                    [&](const Shown& shown) { return shown.series == &series; });
    return entry == shown_.end() ? nullptr : &*entry;
}

void ChartPlot::addSeries(TLineSeries& series) {
    shown_.push_back(
        {&series, new SeriesPlottable(xAxis, yAxis, series.Points(),
                                      {series.seriesColor(), series.pointerVisible()})});
    requestRedraw();
}

void ChartPlot::removeSeries(const TLineSeries& series) {
    if (const Shown* shown = shownEntryOf(series)) {
        removePlottable(shown->plottable);
        std::erase_if(shown_, [&](const Shown& s) { return s.series == &series; });
        requestRedraw();
    }
}

void ChartPlot::pointsAppended(const TLineSeries& series) {
    if (!redrawPending_ && shownEntryOf(series)) requestRedraw();
}

void ChartPlot::styleChanged(const TLineSeries& series) {
    if (const Shown* shown = shownEntryOf(series)) {
        shown->plottable->setStyle({series.seriesColor(), series.pointerVisible()});
        requestRedraw();
    }
}

void ChartPlot::removeAllSeries() {
    for (const Shown& shown : shown_) removePlottable(shown.plottable);
    shown_.clear();
    takenOff_ = true;
    updateNotice();
    requestRedraw();
}

namespace {

// Whether any point or line of `shown` crosses the view. A line between two
// points outside the view may cross it, so the points on either side of the
// keys in view count too; nothing is drawn only when their values lie all
// above or all below the view.
bool anythingInView(const std::vector<TLineSeries*>& shown, const ViewRanges& view) {
    for (const TLineSeries* series : shown) {
        const series::SeriesPoints& points = series->Points();
        const series::IndexRange near =
            points.indicesBetween(std::floor(view.keys.lower), std::ceil(view.keys.upper));
        if (near.first >= near.last) continue;
        const series::Extent values = points.extent(near.first, near.last);
        if (values.min <= view.values.upper && values.max >= view.values.lower) return true;
    }
    return false;
}

}  // namespace

void ChartPlot::updateNotice() {
    const std::vector<TLineSeries*> shown = seriesShown();
    const bool anyPoints = std::any_of(shown.begin(), shown.end(), [](const TLineSeries* series) {
        return !series->Points().empty();
    });
    QString text;
    if (takenOff_)
        text = tr("Series taken off the chart; new points are not shown");
    else if (anyPoints && !view_.following() && !anythingInView(shown, view_.ranges()))
        text = tr("No points in view: press Home to show them all");
    notice_->setText(text);
    notice_->setVisible(!text.isEmpty());
}

void ChartPlot::makeRoomForEndLabels() {
    const QFontMetrics metrics(xAxis->tickLabelFont());
    int widest = 0;
    if (!shown_.empty() && !shown_.front().series->Points().empty()) {
        const series::SeriesPoints& points = shown_.front().series->Points();
        for (const std::size_t end : {std::size_t{0}, points.size() - 1})
            widest = std::max(widest,
                              metrics.horizontalAdvance(QString::fromStdString(points.label(end))));
    }
    // QCustomPlot leaves out a label that would reach past the widget's edge.
    constexpr int kLeastMargin = 15;  // QCustomPlot's own
    const int side = std::max(kLeastMargin, widest / 2 + 2);
    axisRect()->setMinimumMargins(QMargins(side, kLeastMargin, side, kLeastMargin));
}

void ChartPlot::requestRedraw() {
    if (redrawPending_) return;
    redrawPending_ = true;
    update();
}

void ChartPlot::showView() {
    xAxis->setRange(view_.ranges().keys.lower, view_.ranges().keys.upper);
    yAxis->setRange(view_.ranges().values.lower, view_.ranges().values.upper);
    updateNotice();
}

void ChartPlot::paintEvent(QPaintEvent* event) {
    bringUpToDate();
    QCustomPlot::paintEvent(event);
}

void ChartPlot::bringUpToDate() {
    if (!redrawPending_) return;
    redrawPending_ = false;
    fitViewToPoints();
    replot(rpQueuedRefresh);
    AnnounceDescriptionChange(&chart_);
}

// The plot area's size depends on the axes' labels, and so on the view shown:
// a view is fitted to the area as laid out now, and while it follows the
// points, once more to the area as laid out for its own labels.
void ChartPlot::fitViewToPoints() {
    std::size_t count = 0;
    series::Extent values;
    for (const Shown& shown : shown_) {
        count = std::max(count, shown.series->Points().size());
        values.include(shown.series->Points().extent());
    }
    if (count == 0) return;
    makeRoomForEndLabels();
    updateLayout();
    view_.fit(fittedView(count, values.min, values.max, axisRect()->size()));
    if (!view_.following()) return;
    showView();
    const QSize fittedTo = axisRect()->size();
    updateLayout();
    if (axisRect()->size() == fittedTo) return;
    view_.fit(fittedView(count, values.min, values.max, axisRect()->size()));
    showView();
}

}  // namespace chart
