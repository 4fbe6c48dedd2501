#pragma once
// The chart control and its line series. A TChart is a QCustomPlot that shows
// the TLineSeries declared inside it; appending points marks the chart for
// redrawing, which happens once, when the chart is next painted.

#include <qcustomplot.h>

#include <optional>
#include <string_view>
#include <vector>

#include "platform/SeriesPoints.h"

class QPrinter;
class SeriesPlottable;
class TLineSeries;
struct TableSlice;

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

    // Asks for a redraw (with the axes fitted to the points, unless the user
    // has zoomed or panned).
    void SeriesChanged();

    // Viewing. The view follows the points (fitted to all of them) until the
    // user zooms or pans: drag a rectangle with the left button to zoom into
    // it, turn the wheel to zoom the bottom axis around the pointer, drag with
    // the right button to pan. A double click, Home or Escape resets it.
    bool FollowsPoints() const { return following_; }
    void ResetView();

    // "Series1  label 5  value 0.234375" for the shown point nearest to
    // `pixel`, when one lies within kReadoutRadius pixels of it.
    std::optional<QString> PointReadout(QPoint pixel) const;
    static constexpr double kReadoutRadius = 6;

    // Ctrl+C and the context menu: the points in view as a table on the
    // clipboard, or the chart as an image.
    void CopyData() const;
    void CopyImage();

    // Saving and printing (ChartSaving.cpp). The context menu and the keys
    // Ctrl+S, Ctrl+Shift+S and Ctrl+P ask for a file or a printer, then call
    // these; errors are thrown as Exception naming the file and the reason.
    // SaveImage: by the name's extension, PNG at the chart's size times the
    // screen's pixel ratio times `scale`, or SVG or PDF as vectors.
    void SaveImage(const QString& fileName, double scale = 1);
    // The points as CSV or TSV, by the name's extension: every point of the
    // shown series, or the points in view once the user has zoomed or panned.
    // Returns false when the user cancelled it.
    bool SaveData(const QString& fileName);
    void PrintTo(QPrinter& printer);
    void SaveImageAs();
    void SaveDataAs();
    void Print();
    void PrintPreview();
    static inline const QKeySequence kSaveImageKeys{Qt::CTRL | Qt::Key_S};
    static inline const QKeySequence kSaveDataKeys{Qt::CTRL | Qt::SHIFT | Qt::Key_S};
    static inline const QKeySequence kPrintKeys{Qt::CTRL | Qt::Key_P};

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    friend class TLineSeries;
    void attach(TLineSeries* series);  // a new series, shown from the start
    void detach(TLineSeries* series);  // a series being destroyed
    void fitAxesToPoints();
    // Fits the axes to new points now, as the next paint would.
    void applyPendingRedraw();
    static void fitRange(QCPAxis* axis, double lower, double upper, int pixels);
    void panTo(QPoint pixel);
    std::vector<TableSlice> pointsToSave() const;
    // A context menu entry running `command`, showing `keys` beside it.
    void addMenuCommand(const char* text, const char* name, const QKeySequence& keys,
                        void (TChart::*command)());

    QCPTextElement* title_;
    QMenu* menu_;
    std::vector<TLineSeries*> shown_;
    std::vector<TLineSeries*> owned_;  // every series of this chart, shown or not
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
    void Add(double value, NumberLabel label, TColor colour);

    // Makes room for `count` more points, or throws std::bad_alloc with the
    // series unchanged.
    void ReserveMore(std::size_t count) { points_.reserveMore(count); }

    const SeriesPoints& Points() const { return points_; }
    TChart* ParentChart() const { return chart_; }
    bool IsShown() const { return plottable_ != nullptr; }

private:
    friend class TChart;
    void restyle();
    void pointsChanged() const;

    TChart* chart_;
    SeriesPlottable* plottable_ = nullptr;  // owned by the chart while shown
    SeriesPoints points_;
    QColor colour_ = Qt::red;
    bool pointerVisible_ = false;
};
