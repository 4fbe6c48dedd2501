#pragma once
// What the mouse and keys do on a chart, as changes to its view model or
// entries of its menu; nothing here keeps the view itself.
//   mouse: drag a rectangle with the left button to zoom into it, turn the
//   wheel to zoom the bottom axis around the pointer (with Ctrl the value
//   axis, with Shift pan along the points), drag with the right button to
//   pan, double-click to follow the points again; hovering near a point
//   shows its readout; a right click opens the menu.
//   keys on the focused chart: the arrows pan by a tenth of the view, + (or =)
//   and − zoom the bottom axis by 2 around the middle (with Ctrl the value
//   axis), the menu key or Shift+F10 open the menu, and each menu entry's
//   keys run it.

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <optional>

#include "platform/chart/ViewRanges.h"

class QKeyEvent;
class QMouseEvent;
class QRubberBand;
class QWheelEvent;
class TChart;

namespace chart {

class ChartMenu;
class ChartPlot;

class ChartInput : public QObject {
    Q_OBJECT

public:
    // Takes the events of `chart`, drawn by `plot`, first, while it lives.
    ChartInput(TChart& chart, ChartPlot& plot);

    // One wheel notch scales an axis by this (zooming in) or pans by
    // kStepFraction of the view.
    static constexpr double kWheelZoomFactor = 0.85;
    static constexpr double kStepFraction = 0.1;
    static constexpr double kKeyZoomFactor = 0.5;
    // A press and release closer together than this is a click, not a drag.
    static constexpr int kClickPixels = 3;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool mousePress(const QMouseEvent& event);
    bool mouseMove(const QMouseEvent& event);
    bool mouseRelease(const QMouseEvent& event);
    void wheel(const QWheelEvent& event);
    bool key(const QKeyEvent& event);
    void zoomInto(QPoint from, QPoint to);

    TChart& chart_;
    ChartPlot& plot_;
    ChartMenu* menu_;         // a child of the chart
    QRubberBand* rectangle_;  // a child of the chart: the zoom rectangle being dragged
    QElapsedTimer clock_;     // times wheel notches

    struct Drag {
        QPoint start;
        bool moved = false;
    };
    std::optional<Drag> zoom_;  // while the left button is down
    struct Pan : Drag {
        ViewRanges from;
    };
    std::optional<Pan> pan_;  // while the right button is down
};

}  // namespace chart
