#pragma once
// The chart component over QCustomPlot. A TChart shows the TLineSeries
// declared inside it, as its view model (ChartView) says; ChartInput turns
// mouse and keys into view changes and commands (ChartCommands). Appending
// points marks the chart for redrawing, which happens once, when the chart is
// next painted.

#include <qcustomplot.h>

#include <vector>

#include "platform/chart/LineSeries.h"

namespace chart {
class ChartView;
class SeriesPlottable;
}  // namespace chart

class TChart : public QCustomPlot, public chart::SeriesOwner {
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
    bool legendVisible() const { return legend->visible(); }
    void setLegendVisible(bool visible) { legend->setVisible(visible); }
    bool leftAxisVisible() const { return leftAxisDeclared_; }
    void setLeftAxisVisible(bool visible);
    QColor backWallColor() const { return axisRect()->backgroundBrush().color(); }
    void setBackWallColor(const QColor& colour) { axisRect()->setBackground(QBrush(colour)); }

    // Takes every series off the chart. The series live on with their points
    // and can still be appended to; the chart no longer shows them.
    void RemoveAllSeries();

    // The series shown, in the order they were put on the chart.
    std::vector<TLineSeries*> SeriesOnChart() const;
    // The line the plot area shows: that the series were taken off, or that
    // no point is in view and how to bring them back; or "".
    QString Notice() const;

    // The value axis with its numbers, shown or hidden by the user for as
    // long as the program runs; at first as the window declares it.
    bool ValueAxisShown() const { return yAxis->visible(); }
    void ShowValueAxis(bool shown);

    // What part of the points the chart shows.
    chart::ChartView& View() const { return *view_; }

    // Fits the axes to points appended since the last paint, as the next
    // paint would: for commands that draw or read the chart before then.
    void BringUpToDate();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void SeriesCreated(TLineSeries& series) override;
    void SeriesDestroyed(TLineSeries& series) override;
    void PointsAppended(TLineSeries& series) override;
    void StyleChanged(TLineSeries& series) override;

    struct Shown {
        TLineSeries* series;
        chart::SeriesPlottable* plottable;  // owned by QCustomPlot
    };
    const Shown* shownEntryOf(const TLineSeries& series) const;
    // Asks for a redraw; one redraw covers any number of changes.
    void requestRedraw();
    // The view's ranges on the axes.
    void showView();
    void updateNotice();
    // Room beside the plot area for half the widest label at its ends.
    void makeRoomForEndLabels();

    QCPTextElement* title_;
    QCPItemText* notice_;
    chart::ChartView* view_;
    std::vector<Shown> shown_;  // in the order they were put on the chart
    bool takenOff_ = false;     // RemoveAllSeries has run
    bool leftAxisDeclared_ = true;
    bool redrawPending_ = false;
    bool showingView_ = false;  // the axes' range changes under way are the view's own
};
