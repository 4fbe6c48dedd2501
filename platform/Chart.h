#pragma once
// The chart control and its line series. A TChart is a QCustomPlot that shows
// the TLineSeries declared inside it; appending points marks the chart for
// redrawing, which happens once, when the chart is next painted.

#include <qcustomplot.h>

#include <optional>
#include <vector>

#include "series/SeriesPoints.h"

class SeriesPlottable;
class TLineSeries;

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

class TChart : public QCustomPlot, public SeriesOwner {
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
    std::vector<TLineSeries*> SeriesOnChart() const;

    // Viewing. The view follows the points (fitted to all of them) until the
    // user zooms or pans: drag a rectangle with the left button to zoom into
    // it, turn the wheel to zoom the bottom axis around the pointer, drag with
    // the right button to pan. A double click, Home or Escape resets it. The
    // menu key or Shift+F10 opens the context menu.
    bool FollowsPoints() const { return following_; }
    void ResetView();

    // "Series1  label 5  value 0.234375" for the shown point nearest to
    // `pixel`, when one lies within kReadoutRadius pixels of it.
    std::optional<QString> PointReadout(QPoint pixel) const;
    static constexpr double kReadoutRadius = 6;

    // Ctrl+C and the context menu: the points in view as a table on the
    // clipboard (throws Exception when there are more than a table holds), or
    // the chart as an image.
    void CopyData() const;
    void CopyImage();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void SeriesCreated(TLineSeries& series) override;
    void SeriesDestroyed(TLineSeries& series) override;
    void PointsAppended(TLineSeries& series) override;
    void StyleChanged(TLineSeries& series) override;

    struct Shown {
        TLineSeries* series;
        SeriesPlottable* plottable;  // owned by QCustomPlot
    };
    Shown* shownEntryOf(const TLineSeries& series);
    // Asks for a redraw (with the axes fitted to the points, unless the user
    // has zoomed or panned); one redraw covers any number of changes.
    void requestRedraw();
    void fitAxesToPoints();
    static void fitRange(QCPAxis* axis, double lower, double upper, int pixels);
    void panTo(QPoint pixel);
    void popupMenuFromKeyboard();

    QCPTextElement* title_;
    QMenu* menu_;
    std::vector<Shown> shown_;  // in the order they were put on the chart
    bool redrawPending_ = false;
    bool following_ = true;
    bool fitting_ = false;  // the range changes under way are the chart's own

    struct Pan {
        QPoint start;
        QCPRange keys, values;
        bool moved = false;
    };
    std::optional<Pan> pan_;  // while the right button is down
};

// A series drawn as a line through its points. Declared as a child of its
// chart in the window's .ui file; it has no pixels of its own, and tells its
// chart (through SeriesOwner) when it is created, changed or destroyed.
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
    void Add(double value, NumberLabel label, TColor colour);

    // Makes room for `count` more points, or throws std::bad_alloc with the
    // series unchanged.
    void ReserveMore(std::size_t count) { points_.reserveMore(count); }

    const SeriesPoints& Points() const { return points_; }
    TChart* ParentChart() const { return qobject_cast<TChart*>(parentWidget()); }

private:
    SeriesOwner* owner_;
    SeriesPoints points_;
    QColor colour_ = Qt::red;
    bool pointerVisible_ = false;
};
