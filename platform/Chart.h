#pragma once
// The chart control and its line series. A TChart is a QCustomPlot that shows
// the TLineSeries declared inside it; appending points marks the chart for
// redrawing, which happens once, when the chart is next painted.

#include <qcustomplot.h>

#include <string_view>
#include <vector>

#include "platform/SeriesPoints.h"

class SeriesPlottable;
class TLineSeries;

class TChart : public QCustomPlot {
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
    bool leftAxisVisible() const { return yAxis->visible(); }
    void setLeftAxisVisible(bool visible) { yAxis->setVisible(visible); }
    QColor backWallColor() const { return axisRect()->backgroundBrush().color(); }
    void setBackWallColor(const QColor& colour) { axisRect()->setBackground(QBrush(colour)); }

    // Takes every series off the chart. The series live on with their points
    // and can still be appended to; the chart no longer shows them.
    void RemoveAllSeries();

    // The series shown, in the order they were put on the chart.
    const std::vector<TLineSeries*>& SeriesOnChart() const { return shown_; }

    // Asks for a redraw with the axes fitted to the points shown.
    void SeriesChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    friend class TLineSeries;
    void show(TLineSeries* series);
    void forget(TLineSeries* series);
    void fitAxesToPoints();

    QCPTextElement* title_;
    std::vector<TLineSeries*> shown_;
    std::vector<TLineSeries*> owned_;
    bool redrawPending_ = false;
};

// A series drawn as a line through its points. Declared as a child of its
// chart in the window's .ui file; it has no pixels of its own.
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
    virtual void Add(double value, std::string_view label, TColor colour);

    // Makes room for `count` more points, or throws std::bad_alloc with the
    // series unchanged.
    void ReserveMore(std::size_t count) { points_.reserveMore(count); }

    const SeriesPoints& Points() const { return points_; }
    TChart* ParentChart() const { return chart_; }
    bool IsShown() const { return plottable_ != nullptr; }

private:
    friend class TChart;
    void restyle();

    TChart* chart_;
    SeriesPlottable* plottable_ = nullptr;  // owned by the chart while shown
    SeriesPoints points_;
    QColor colour_ = Qt::red;
    bool pointerVisible_ = false;
};
