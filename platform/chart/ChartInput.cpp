#include "platform/chart/ChartInput.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>

#include "platform/chart/Chart.h"
#include "platform/chart/ChartCommands.h"
#include "platform/chart/PointReadout.h"
#include "platform/toolkit/Application.h"

namespace chart {

ChartInput::ChartInput(TChart& chart) : QObject(&chart), chart_(chart), menu_(new QMenu(&chart)) {
    // Rectangles and the wheel change the view model, not the axes directly.
    chart.setSelectionRectMode(QCP::srmCustom);
    chart.setInteractions({});
    connect(chart.selectionRect(), &QCPSelectionRect::accepted, this,
            [this](const QRect& pixels) { zoomInto(pixels); });

    for (const ChartCommand& command : chartCommands()) {
        if (!command.run) {
            menu_->addSeparator();
            continue;
        }
        QAction* action = menu_->addAction(
            command.text, this, [this, run = command.run] { RunGuarded([&] { run(chart_); }); });
        action->setObjectName(command.name);
        action->setShortcuts(command.keys);
        action->setShortcutContext(Qt::WidgetShortcut);  // the keys go through key() below
    }
    chart.installEventFilter(this);
}

bool ChartInput::eventFilter(QObject*, QEvent* event) {
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
                popupMenuFromKeyboard();
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
        const QPoint moved = event.pos() - pan_->start;
        if (!pan_->moved && moved.manhattanLength() < QApplication::startDragDistance())
            return true;
        pan_->moved = true;
        const QRect area = chart_.axisRect()->rect();
        chart_.View().pan(pan_->from, -moved.x() * pan_->from.keys.size() / area.width(),
                          moved.y() * pan_->from.values.size() / area.height());
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
    const bool moved = pan_->moved;
    pan_.reset();
    if (!moved) menu_->popup(event.globalPosition().toPoint());
    return true;
}

// Over the plot area and its axes, one notch zooms by kWheelZoomFactor.
void ChartInput::wheel(const QWheelEvent& event) {
    const QPointF at = event.position();
    if (!chart_.axisRect()->outerRect().contains(at.toPoint())) return;
    const double notches = event.angleDelta().y() / 120.0;
    chart_.View().zoomKeys(std::pow(kWheelZoomFactor, notches), chart_.xAxis->pixelToCoord(at.x()));
}

void ChartInput::zoomInto(const QRect& pixels) {
    if (!chart_.axisRectAt(pixels.topLeft())) return;
    const QRectF area(pixels);
    chart_.View().show({QCPRange(chart_.xAxis->pixelToCoord(area.left()),
                                 chart_.xAxis->pixelToCoord(area.right())),
                        QCPRange(chart_.yAxis->pixelToCoord(area.top()),
                                 chart_.yAxis->pixelToCoord(area.bottom()))});
}

bool ChartInput::key(const QKeyEvent& event) {
    const QKeySequence pressed(event.keyCombination());
    for (QAction* action : menu_->actions())
        if (action->shortcuts().contains(pressed)) {
            action->trigger();
            return true;
        }
    if (event.key() == Qt::Key_Home || event.key() == Qt::Key_Escape) {
        chart_.View().reset();
        return true;
    }
    if (event.key() == Qt::Key_Menu ||
        (event.key() == Qt::Key_F10 && event.modifiers() == Qt::ShiftModifier)) {
        popupMenuFromKeyboard();
        return true;
    }
    return false;
}

// Over the plot area, with the first entry chosen, so that Enter runs it and
// the arrow keys move on from there.
void ChartInput::popupMenuFromKeyboard() {
    if (menu_->isVisible()) return;
    menu_->popup(chart_.mapToGlobal(chart_.axisRect()->rect().center()));
    menu_->setActiveAction(menu_->actions().value(0));
}

}  // namespace chart
