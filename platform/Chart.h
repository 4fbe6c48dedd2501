#pragma once
// The chart control and its line series. A TChart is a QCustomPlot that shows
// the TLineSeries declared inside it; appending points marks the chart for
// redrawing, which happens once, when the chart is next painted.

#include <qcustomplot.h>

#include <optional>
#include <vector>

#include "series/PointTable.h"
#include "series/SeriesPoints.h"

class QPrinter;
class SeriesPlottable;
class TLineSeries;
struct TableSlice;

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
    void SeriesCreated(TLineSeries& series) override;
    void SeriesDestroyed(TLineSeries& series) override;
    void PointsAppended(TLineSeries& series) override;
    void StyleChanged(TLineSeries& series) override;

    struct Shown {
        TLineSeries* series;
        SeriesPlottable* plottable;  // owned by QCustomPlot
    };
    Shown* shownEntryOf(const TLineSeries& series);
    // The series shown, by name, for the tables of Copy data and Save data.
    std::vector<NamedSeries> namedSeries() const;
    // The keys and values in view.
    ViewRect view() const;
    // Asks for a redraw (with the axes fitted to the points, unless the user
    // has zoomed or panned); one redraw covers any number of changes.
    void requestRedraw();
    void fitAxesToPoints();
    // Fits the axes to new points now, as the next paint would.
    void applyPendingRedraw();
    static void fitRange(QCPAxis* axis, double lower, double upper, int pixels);
    void panTo(QPoint pixel);
    std::vector<TableSlice> pointsToSave() const;
    // A context menu entry running `command`, showing `keys` beside it.
    void addMenuCommand(const char* text, const char* name, const QKeySequence& keys,
                        void (TChart::*command)());
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

    // Appends `count` points at once, with the same result as as many Add
    // calls: labels and colour are set now, values are written through the
    // batch (see SeriesPoints::Batch), and the chart redraws once, when the
    // batch ends. Room must have been made with ReserveMore.
    class Batch;
    Batch AddBatch(std::size_t count, CountingLabels labels, TColor colour);

    // Makes room for `count` more points, or throws std::bad_alloc with the
    // series unchanged.
    void ReserveMore(std::size_t count) { points_.reserveMore(count); }

    const SeriesPoints& Points() const { return points_; }
    TChart* ParentChart() const { return qobject_cast<TChart*>(parentWidget()); }

private:
    void pointsChanged() {
        if (owner_) owner_->PointsAppended(*this);
    }

    SeriesOwner* owner_;
    SeriesPoints points_;
    QColor colour_ = Qt::red;
    bool pointerVisible_ = false;
};

class TLineSeries::Batch {
public:
    void Write(std::size_t at, std::span<const float> values) { points_.write(at, values); }
    ~Batch() {
        points_.finish();
        series_.pointsChanged();
    }

private:
    friend class TLineSeries;
    Batch(TLineSeries& series, std::size_t count, CountingLabels labels, TColor colour)
        : series_(series), points_(series.points_.appendBatch(count, labels, colour)) {}

    TLineSeries& series_;
    SeriesPoints::Batch points_;
};
