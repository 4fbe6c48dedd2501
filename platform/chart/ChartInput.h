#pragma once
// What the mouse and keys do on a chart. Drag a rectangle with the left button
// to zoom into it, turn the wheel to zoom the bottom axis around the pointer,
// drag with the right button to pan; a double click, Home or Escape follows
// the points again. Hovering near a point shows its readout. A right click,
// the menu key or Shift+F10 opens the menu of the chart's commands, whose keys
// also work while the chart has the focus. Everything changes the chart's
// view model or runs a command; nothing here keeps the view itself.

#include <QObject>
#include <QPoint>
#include <QRect>
#include <optional>

#include "platform/chart/ChartView.h"

class QMenu;
class QKeyEvent;
class QMouseEvent;
class QWheelEvent;
class TChart;

namespace chart {

class ChartInput : public QObject {
    Q_OBJECT

public:
    // Owned by `chart`, whose events it takes first.
    explicit ChartInput(TChart& chart);

    // The wheel scales the bottom axis by this per notch (zooming in).
    static constexpr double kWheelZoomFactor = 0.85;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool mousePress(const QMouseEvent& event);
    bool mouseMove(const QMouseEvent& event);
    bool mouseRelease(const QMouseEvent& event);
    void wheel(const QWheelEvent& event);
    bool key(const QKeyEvent& event);
    void zoomInto(const QRect& pixels);
    void popupMenuFromKeyboard();

    TChart& chart_;
    QMenu* menu_;

    struct Pan {
        QPoint start;
        ViewRanges from;
        bool moved = false;
    };
    std::optional<Pan> pan_;  // while the right button is down
};

}  // namespace chart
