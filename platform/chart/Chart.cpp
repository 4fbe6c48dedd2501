#include "platform/chart/Chart.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "platform/chart/AxisTickers.h"
#include "platform/chart/ChartAccessible.h"
#include "platform/chart/ChartInput.h"
#include "platform/chart/ChartView.h"
#include "platform/chart/SeriesPlottable.h"

TChart::TChart(QWidget* parent)
    : QCustomPlot(parent),
      title_(new QCPTextElement(this)),
      view_(new chart::ChartView({xAxis->range(), yAxis->range()}, this)) {
    plotLayout()->insertRow(0);
    plotLayout()->addElement(0, 0, title_);
    // Series taken off the chart stay off: a user pressing OK afterwards
    // sees nothing change, and this says why.
    notice_ = new QCPItemText(this);
    notice_->position->setType(QCPItemPosition::ptAxisRectRatio);
    notice_->position->setCoords(0.5, 0.5);
    notice_->setColor(Qt::darkGray);
    notice_->setVisible(false);
    xAxis->setTicker(QSharedPointer<chart::LabelTicker>::create(
        [this]() -> const series::SeriesPoints* {
            return shown_.empty() ? nullptr : &shown_.front().series->Points();
        },
        xAxis));
    yAxis->setTicker(QSharedPointer<chart::ValueTicker>::create());
    xAxis->grid()->setVisible(false);
    yAxis->grid()->setVisible(false);
    setPlottingHints(QCP::phCacheLabels);
    setBackground(palette().window());
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);

    connect(view_, &chart::ChartView::changed, this, [this] {
        if (view_->following()) {
            updateNotice();
            requestRedraw();
        } else {
            showView();
            replot(rpQueuedReplot);
            chart::AnnounceDescriptionChange(this);
        }
    });
    // Ranges set on the axes from outside (a program using the chart as a
    // QCustomPlot) are a view like any other.
    for (QCPAxis* axis : {xAxis, yAxis})
        connect(axis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this, [this] {
            if (!showingView_) view_->show({xAxis->range(), yAxis->range()});
        });
    new chart::ChartInput(*this);
    chart::InstallChartAccessibility();
}

TChart::~TChart() {
    // The series are child widgets; destroyed here, they still find the chart
    // whole when they say goodbye.
    qDeleteAll(findChildren<TLineSeries*>(Qt::FindDirectChildrenOnly));
}

QString TChart::title() const { return title_->text(); }
void TChart::setTitle(const QString& text) { title_->setText(text); }

void TChart::setLeftAxisVisible(bool visible) {
    leftAxisDeclared_ = visible;
    yAxis->setVisible(visible);
}

void TChart::ShowValueAxis(bool shown) {
    yAxis->setVisible(shown);
    requestRedraw();
}

std::vector<TLineSeries*> TChart::SeriesOnChart() const {
    std::vector<TLineSeries*> series;
    for (const Shown& shown : shown_) series.push_back(shown.series);
    return series;
}

const TChart::Shown* TChart::shownEntryOf(const TLineSeries& series) const {
    const auto entry = std::find_if(shown_.begin(), shown_.end(),
                                    [&](const Shown& shown) { return shown.series == &series; });
    return entry == shown_.end() ? nullptr : &*entry;
}

void TChart::SeriesCreated(TLineSeries& series) {
    shown_.push_back(
        {&series, new chart::SeriesPlottable(xAxis, yAxis, series.Points(),
                                             {series.seriesColor(), series.pointerVisible()})});
    requestRedraw();
}

void TChart::SeriesDestroyed(TLineSeries& series) {
    if (const Shown* shown = shownEntryOf(series)) {
        removePlottable(shown->plottable);
        std::erase_if(shown_, [&](const Shown& s) { return s.series == &series; });
        requestRedraw();
    }
}

void TChart::PointsAppended(TLineSeries& series) {
    if (!redrawPending_ && shownEntryOf(series)) requestRedraw();
}

void TChart::StyleChanged(TLineSeries& series) {
    if (const Shown* shown = shownEntryOf(series)) {
        shown->plottable->setStyle({series.seriesColor(), series.pointerVisible()});
        requestRedraw();
    }
}

void TChart::RemoveAllSeries() {
    for (const Shown& shown : shown_) removePlottable(shown.plottable);
    shown_.clear();
    takenOff_ = true;
    updateNotice();
    requestRedraw();
}

QString TChart::Notice() const { return notice_->visible() ? notice_->text() : QString(); }

namespace {

// Whether any point or line of `shown` crosses the view. A line between two
// points outside the view may cross it, so the points on either side of the
// keys in view count too; nothing is drawn only when their values lie all
// above or all below the view.
template <class Shown>
bool anythingInView(const std::vector<Shown>& shown, const chart::ViewRanges& view) {
    for (const Shown& s : shown) {
        const series::SeriesPoints& points = s.series->Points();
        const series::IndexRange near =
            points.indicesBetween(std::floor(view.keys.lower), std::ceil(view.keys.upper));
        if (near.first >= near.last) continue;
        const series::Extent values = points.extent(near.first, near.last);
        if (values.min <= view.values.upper && values.max >= view.values.lower) return true;
    }
    return false;
}

}  // namespace

void TChart::updateNotice() {
    bool anyPoints = false;
    for (const Shown& shown : shown_) anyPoints |= !shown.series->Points().empty();
    QString text;
    if (takenOff_)
        text = tr("Series taken off the chart; new points are not shown");
    else if (anyPoints && !view_->following() && !anythingInView(shown_, view_->ranges()))
        text = tr("No points in view: press Home to show them all");
    notice_->setText(text);
    notice_->setVisible(!text.isEmpty());
}

void TChart::makeRoomForEndLabels() {
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
    const QMargins margins(side, kLeastMargin, side, kLeastMargin);
    if (axisRect()->minimumMargins() == margins) return;
    axisRect()->setMinimumMargins(margins);
    updateLayout();  // the plot area's new size, for fitting the view to it
}

void TChart::requestRedraw() {
    if (redrawPending_) return;
    redrawPending_ = true;
    update();
}

void TChart::showView() {
    showingView_ = true;
    xAxis->setRange(view_->ranges().keys);
    yAxis->setRange(view_->ranges().values);
    showingView_ = false;
    updateNotice();
}

void TChart::paintEvent(QPaintEvent* event) {
    BringUpToDate();
    QCustomPlot::paintEvent(event);
}

void TChart::BringUpToDate() {
    if (!redrawPending_) return;
    redrawPending_ = false;
    std::size_t count = 0;
    series::Extent values;
    for (const Shown& shown : shown_) {
        count = std::max(count, shown.series->Points().size());
        values.include(shown.series->Points().extent());
    }
    if (count > 0) {
        makeRoomForEndLabels();
        view_->fit(chart::fittedView(count, values.min, values.max, axisRect()->size()));
        if (view_->following()) showView();
    }
    replot(rpQueuedRefresh);
    chart::AnnounceDescriptionChange(this);
}
