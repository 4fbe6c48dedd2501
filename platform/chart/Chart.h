#pragma once
// TChart: the chart control a window declares, with the line series
// (TLineSeries) declared inside it. It shows the points of its series as its
// view model (View()) says; the mouse, the keys and its menu change the view
// and run its commands (ChartInput, ChartMenu, ChartCommands). What draws it
// stays inside (ChartPlot, over QCustomPlot), so that its users see only this
// vocabulary. Appending points marks the chart for redrawing, which happens
// once, when the chart is next painted.

#include <QColor>
#include <QRect>
#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

#include "platform/chart/ChartView.h"
#include "platform/chart/LineSeries.h"

class TChart;

namespace chart {
class ChartInput;
class ChartPlot;
ChartPlot& plotOf(TChart& chart);
const ChartPlot& plotOf(const TChart& chart);
}  // namespace chart

class TChart : public QWidget, public chart::SeriesOwner {
    Q_OBJECT
    Q_PROPERTY(QString title READ title WRITE setTitle)
    Q_PROPERTY(bool legendVisible READ legendVisible WRITE setLegendVisible)
    Q_PROPERTY(bool leftAxisVisible READ leftAxisVisible WRITE setLeftAxisVisible)
    Q_PROPERTY(QColor backWallColor READ backWallColor WRITE setBackWallColor)

public:
    explicit TChart(QWidget* parent = nullptr);
    ~TChart() override;

    QString title() const;
    void setTitle(const QString& text);
    bool legendVisible() const;
    void setLegendVisible(bool visible);
    // The value axis as the window declares it; the user may show or hide
    // it for as long as the program runs, which leaves this as declared.
    bool leftAxisVisible() const { return leftAxisDeclared_; }
    void setLeftAxisVisible(bool visible);
    QColor backWallColor() const;
    void setBackWallColor(const QColor& colour);

    // Takes every series off the chart. The series live on with their points
    // and can still be appended to; the chart no longer shows them.
    void RemoveAllSeries();

    // The series shown, in the order they were put on the chart.
    std::vector<TLineSeries*> SeriesOnChart() const;
    // The line the plot area shows: that the series were taken off, or that
    // no point is in view and how to bring them back; or "".
    QString Notice() const;
    // Where the points are drawn, in the chart's pixels: the view's keys run
    // from its left edge to its right, its values from its bottom to its top.
    QRect PlotArea() const;

    // What part of the points the chart shows.
    chart::ChartView& View() { return view_; }
    const chart::ChartView& View() const { return view_; }

private:
    friend chart::ChartPlot& chart::plotOf(TChart& chart);
    friend const chart::ChartPlot& chart::plotOf(const TChart& chart);

    void SeriesCreated(TLineSeries& series) override;
    void SeriesDestroyed(TLineSeries& series) override;
    void PointsAppended(TLineSeries& series) override;
    void StyleChanged(TLineSeries& series) override;

    chart::ChartView view_;
    chart::ChartPlot* plot_;  // a child filling the chart
    std::unique_ptr<chart::ChartInput> input_;
    bool leftAxisDeclared_ = true;
};
