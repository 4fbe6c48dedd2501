#include "platform/chart/Chart.h"

#include <QVBoxLayout>

#include "platform/chart/ChartAccessible.h"
#include "platform/chart/ChartInput.h"
#include "platform/chart/ChartPlot.h"

TChart::TChart(QWidget* parent)
    : QWidget(parent),
      plot_(new chart::ChartPlot(*this, view_)),
      input_(std::make_unique<chart::ChartInput>(*this, *plot_)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(QMargins());
    layout->setSizeConstraint(QLayout::SetNoConstraint);  // the window sets the size
    layout->addWidget(plot_);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    chart::InstallChartAccessibility();
}

TChart::~TChart() {
    // The series are child widgets; destroyed here, they still find the chart
    // whole when they say goodbye.
    qDeleteAll(findChildren<TLineSeries*>(Qt::FindDirectChildrenOnly));
}

QString TChart::title() const { return plot_->title().text(); }
void TChart::setTitle(const QString& text) { plot_->title().setText(text); }
bool TChart::legendVisible() const { return plot_->legend->visible(); }
void TChart::setLegendVisible(bool visible) { plot_->legend->setVisible(visible); }

void TChart::setLeftAxisVisible(bool visible) {
    leftAxisDeclared_ = visible;
    plot_->showValueAxis(visible);
}

QColor TChart::backWallColor() const { return plot_->axisRect()->backgroundBrush().color(); }
void TChart::setBackWallColor(const QColor& colour) {
    plot_->axisRect()->setBackground(QBrush(colour));
}

void TChart::RemoveAllSeries() { plot_->removeAllSeries(); }
std::vector<TLineSeries*> TChart::SeriesOnChart() const { return plot_->seriesShown(); }
QString TChart::Notice() const { return plot_->notice(); }
QRect TChart::PlotArea() const { return plot_->axisRect()->rect().translated(plot_->pos()); }

void TChart::SeriesCreated(TLineSeries& series) { plot_->addSeries(series); }
void TChart::SeriesDestroyed(TLineSeries& series) { plot_->removeSeries(series); }
void TChart::PointsAppended(TLineSeries& series) { plot_->pointsAppended(series); }
void TChart::StyleChanged(TLineSeries& series) { plot_->styleChanged(series); }

chart::ChartPlot& chart::plotOf(TChart& chart) { return *chart.plot_; }
const chart::ChartPlot& chart::plotOf(const TChart& chart) { return *chart.plot_; }
