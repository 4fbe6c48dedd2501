#include "platform/chart/ChartInput.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>

#include "platform/chart/Chart.h"
#include "platform/chart/ChartMenu.h"
#include "platform/chart/PointReadout.h"

namespace chart {

ChartInput::ChartInput(TChart& chart)
    : QObject(&chart), chart_(chart), menu_(new ChartMenu(chart)) {
    // Rectangles and the wheel change the view model, not the axes directly.
    chart.setSelectionRectMode(QCP::srmCustom);
    chart.setInteractions({});
    connect(chart.selectionRect(), &QCPSelectionRect::accepted, this,
            [this](const QRect& pixels) { zoomInto(pixels); });
    chart.installEventFilter(this);
    clock_.start();
}

bool ChartInput::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
            // A gesture starts from the view as the next paint would show it,
            // points appended since the last paint included.
            chart_.BringUpToDate();
            break;
        default:
            break;
    }
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            return mousePress(static_cast<QMouseEvent&>(*event));
        case QEvent::MouseMove:
            return mouseMove(static_cast<QMouseEvent&>(*event));
        case QEvent::MouseButtonRelease:
            return mouseRelease(static_cast<QMouseEvent&>(*event));
        case QEvent::MouseButtonDblClick:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) chart_.View().reset();
            return false;
        case QEvent::Wheel:
            wheel(static_cast<QWheelEvent&>(*event));
            return true;
        case QEvent::KeyPress:
            return key(static_cast<QKeyEvent&>(*event));
        case QEvent::ContextMenu:
            // The mouse opens the menu on release, so that a right-button drag
            // pans instead; the menu key opens it here.
            if (static_cast<QContextMenuEvent*>(event)->reason() != QContextMenuEvent::Mouse)
                menu_->popupFromKeyboard();
            return true;
        default:
            return false;
    }
}

bool ChartInput::mousePress(const QMouseEvent& event) {
    if (event.button() != Qt::RightButton) return false;
    pan_ = Pan{event.pos(), chart_.View().ranges()};
    return true;
}

// Moves the view with the pointer, once it has moved a few pixels from where
// the right button went down (less is a click, which opens the menu).
bool ChartInput::mouseMove(const QMouseEvent& event) {
    if (pan_) {
        const QPoint offset = event.pos() - pan_->start;
        if (!pan_->moved && offset.manhattanLength() < QApplication::startDragDistance())
            return true;
        pan_->moved = true;
        const QRect area = chart_.axisRect()->rect();
        chart_.View().show(
            {pan_->from.keys - offset.x() * pan_->from.keys.size() / area.width(),
             pan_->from.values + offset.y() * pan_->from.values.size() / area.height()},
            ChartView::Burst::Drag);
        return true;
    }
    if (event.buttons() != Qt::NoButton) return false;
    if (const std::optional<QString> readout = pointReadout(chart_, event.pos()))
        QToolTip::showText(event.globalPosition().toPoint(), *readout, &chart_);
    else
        QToolTip::hideText();
    return false;
}

bool ChartInput::mouseRelease(const QMouseEvent& event) {
    if (event.button() != Qt::RightButton || !pan_) return false;
    const bool dragged = pan_->moved;
    pan_.reset();
    chart_.View().endBurst();
    if (!dragged) menu_->popup(event.globalPosition().toPoint());
    return true;
}

// Over the plot area and its axes: the bottom axis zooms around the pointer,
// with Ctrl the value axis, and with Shift the view pans along the points.
void ChartInput::wheel(const QWheelEvent& event) {
    const QPointF at = event.position();
    if (!chart_.axisRect()->outerRect().contains(at.toPoint())) return;
    // Some systems turn a vertical wheel with Shift held into a horizontal one.
    const QPoint delta = event.angleDelta();
    const double notches = (delta.y() != 0 ? delta.y() : delta.x()) / 120.0;
    const ViewRanges& view = chart_.View().ranges();
    const qint64 now = clock_.elapsed();
    if (event.modifiers() & Qt::ShiftModifier) {
        chart_.View().show({moved(view.keys, -notches * kStepFraction), view.values},
                           ChartView::Burst::PanWheel, now);
    } else if (event.modifiers() & Qt::ControlModifier) {
        chart_.View().show({view.keys, zoomed(view.values, std::pow(kWheelZoomFactor, notches),
                                              chart_.yAxis->pixelToCoord(at.y()))},
                           ChartView::Burst::ValueWheel, now);
    } else {
        chart_.View().show({zoomed(view.keys, std::pow(kWheelZoomFactor, notches),
                                   chart_.xAxis->pixelToCoord(at.x())),
                            view.values},
                           ChartView::Burst::KeyWheel, now);
    }
}

void ChartInput::zoomInto(const QRect& pixels) {
    if (!chart_.axisRectAt(pixels.topLeft())) return;
    // From the pixel where the drag started to the one where it ended, both
    // inside (a QRectF of the rectangle would end a pixel further).
    chart_.View().show({QCPRange(chart_.xAxis->pixelToCoord(pixels.left()),
                                 chart_.xAxis->pixelToCoord(pixels.right())),
                        QCPRange(chart_.yAxis->pixelToCoord(pixels.top()),
                                 chart_.yAxis->pixelToCoord(pixels.bottom()))});
}

bool ChartInput::key(const QKeyEvent& event) {
    if (menu_->runKeys(QKeySequence(event.keyCombination()))) return true;
    const ViewRanges& view = chart_.View().ranges();
    const bool values = event.modifiers() & Qt::ControlModifier;
    const auto zoom = [&](double factor) {
        if (values)
            chart_.View().show({view.keys, zoomed(view.values, factor, view.values.center())});
        else
            chart_.View().show({zoomed(view.keys, factor, view.keys.center()), view.values});
    };
    switch (event.key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
            chart_.View().show(
                {moved(view.keys, event.key() == Qt::Key_Right ? kStepFraction : -kStepFraction),
                 view.values});
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
            chart_.View().show(
                {view.keys,
                 moved(view.values, event.key() == Qt::Key_Up ? kStepFraction : -kStepFraction)});
            return true;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            zoom(kKeyZoomFactor);
            return true;
        case Qt::Key_Minus:
            zoom(1 / kKeyZoomFactor);
            return true;
        case Qt::Key_Menu:
            menu_->popupFromKeyboard();
            return true;
        case Qt::Key_F10:
            if (event.modifiers() != Qt::ShiftModifier) return false;
            menu_->popupFromKeyboard();
            return true;
        default:
            return false;
    }
}

}  // namespace chart
