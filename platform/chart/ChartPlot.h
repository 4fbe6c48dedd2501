#pragma once
// What draws a TChart, inside it: a QCustomPlot with the title above the plot
// area, each series shown as a SeriesPlottable, a line of notice in the
// middle, and axes labelled by AxisTickers. The axes show the ranges of the
// chart's view model (ChartView) and nothing else sets them.
//
// Appending points only marks the plot for redrawing; bringUpToDate() fits
// the automatic view to them once, when the plot is next painted or when a
// command reads or draws the chart before then.

#include <qcustomplot.h>

#include <QString>
#include <vector>

class TChart;
class TLineSeries;

namespace chart {

class ChartView;
class SeriesPlottable;

class ChartPlot : public QCustomPlot {
    Q_OBJECT

public:
    // A child of `chart` that shows `view`.
    ChartPlot(TChart& chart, ChartView& view);

    QCPTextElement& title() { return *title_; }
    // The value axis with its numbers.
    bool valueAxisShown() const { return yAxis->visible(); }
    void showValueAxis(bool shown);

    // The series shown, in the order they were put on the chart. What a
    // series tells its chart is passed on here; changes to a series not
    // shown change nothing.
    std::vector<TLineSeries*> seriesShown() const;
    void addSeries(TLineSeries& series);
    void removeSeries(const TLineSeries& series);
    void pointsAppended(const TLineSeries& series);
    void styleChanged(const TLineSeries& series);
    void removeAllSeries();

    // The line the plot area shows: that the series were taken off, or that
    // no point is in view and how to bring them back; or "".
    QString notice() const { return notice_->visible() ? notice_->text() : QString(); }

    // Asks for a redraw; one redraw covers any number of changes.
    void requestRedraw();
    // Fits the view to points appended since the last paint, as the next
    // paint would: for commands that read or draw the chart before then.
    void bringUpToDate();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Shown {
        TLineSeries* series;
        SeriesPlottable* plottable;  // owned by QCustomPlot
    };
    const Shown* shownEntryOf(const TLineSeries& series) const;
    // The view's ranges on the axes.
    void showView();
    void fitViewToPoints();
    void updateNotice();
    // Room beside the plot area for half the widest label at its ends.
    void makeRoomForEndLabels();

    TChart& chart_;
    ChartView& view_;
    QCPTextElement* title_;
    QCPItemText* notice_;
    std::vector<Shown> shown_;  // in the order they were put on the chart
    bool takenOff_ = false;     // removeAllSeries has run
    bool redrawPending_ = false;
};

// The plot inside `chart`, for the chart's own parts.
ChartPlot& plotOf(TChart& chart);
const ChartPlot& plotOf(const TChart& chart);

}  // namespace chart
