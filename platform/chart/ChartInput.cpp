#include "platform/chart/ChartInput.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRubberBand>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "platform/chart/Chart.h"
#include "platform/chart/ChartMenu.h"
#include "platform/chart/ChartPlot.h"
#include "platform/chart/PointReadout.h"

namespace chart {

ChartInput::ChartInput(TChart& chart, ChartPlot& plot)
    : chart_(chart),
      plot_(plot),
      menu_(new ChartMenu(chart)),
      rectangle_(new QRubberBand(QRubberBand::Rectangle, &chart)) {
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
            plot_.bringUpToDate();
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
    if (event.button() == Qt::LeftButton) {
        zoom_ = Drag{event.pos()};
        return true;
    }
    if (event.button() != Qt::RightButton) return false;
    pan_ = Pan{{event.pos()}, chart_.View().ranges()};
    return true;
}

// A left drag shows the rectangle it zooms into; a right drag moves the view
// with the pointer, once it has moved a few pixels from where the button went
// down (less is a click, which opens the menu).
bool ChartInput::mouseMove(const QMouseEvent& event) {
    if (zoom_) {
        zoom_->moved |= (event.pos() - zoom_->start).manhattanLength() > kClickPixels;
        rectangle_->setGeometry(QRect(zoom_->start, event.pos()).normalized());
        rectangle_->setVisible(zoom_->moved);
        return true;
    }
    if (pan_) {
        const QPoint offset = event.pos() - pan_->start;
        if (!pan_->moved && offset.manhattanLength() < QApplication::startDragDistance())
            return true;
        pan_->moved = true;
        const QRect area = chart_.PlotArea();
        chart_.View().show(
            {pan_->from.keys.shifted(-offset.x() * pan_->from.keys.size() / area.width()),
             pan_->from.values.shifted(offset.y() * pan_->from.values.size() / area.height())},
            ChartView::Burst::Drag);
        return true;
    }
    if (event.buttons() != Qt::NoButton) return false;
    if (const std::optional<QString> readout = PointReadout::at(chart_, event.pos()))
        QToolTip::showText(event.globalPosition().toPoint(), *readout, &chart_);
    else
        QToolTip::hideText();
    return false;
}

bool ChartInput::mouseRelease(const QMouseEvent& event) {
    if (event.button() == Qt::LeftButton && zoom_) {
        const bool dragged = zoom_->moved;
        const QPoint start = zoom_->start;
        zoom_.reset();
        rectangle_->hide();
        if (dragged) zoomInto(start, event.pos());
        return true;
    }
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
    if (!plot_.axisRect()->outerRect().contains(at.toPoint())) return;
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
                                              plot_.yAxis->pixelToCoord(at.y()))},
                           ChartView::Burst::ValueWheel, now);
    } else {
        chart_.View().show({zoomed(view.keys, std::pow(kWheelZoomFactor, notches),
                                   plot_.xAxis->pixelToCoord(at.x())),
                            view.values},
                           ChartView::Burst::KeyWheel, now);
    }
}

// From the pixel where the drag started to the one where it ended, both
// inside, whichever way it went; the rectangle starts over the plot area or
// beside it, among the axes.
void ChartInput::zoomInto(QPoint from, QPoint to) {
    const QPoint topLeft(std::min(from.x(), to.x()), std::min(from.y(), to.y()));
    const QPoint bottomRight(std::max(from.x(), to.x()), std::max(from.y(), to.y()));
    if (!plot_.axisRectAt(topLeft)) return;
    chart_.View().show(
        {{plot_.xAxis->pixelToCoord(topLeft.x()), plot_.xAxis->pixelToCoord(bottomRight.x())},
         {plot_.yAxis->pixelToCoord(topLeft.y()), plot_.yAxis->pixelToCoord(bottomRight.y())}});
}

bool ChartInput::key(const QKeyEvent& event) {
    if (menu_->runKeys(QKeySequence(event.keyCombination()))) return true;
    const ViewRanges& view = chart_.View().ranges();
    const bool values = event.modifiers() & Qt::ControlModifier;
    const auto zoom = [&](double factor) {
        if (values)
            chart_.View().show({view.keys, zoomed(view.values, factor, view.values.centre())});
        else
            chart_.View().show({zoomed(view.keys, factor, view.keys.centre()), view.values});
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
