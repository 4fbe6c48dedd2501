#include "platform/toolkit/FocusRing.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QRegion>

namespace toolkit {

FocusRing::FocusRing(QWidget* window) : QFocusFrame(window), window_(window) {
    hide();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        // Focus that leaves for another window (a menu, a message box) comes
        // back to the same control: the ring stays where it is.
        if (now && now != window_ && now->window() == window_) follow(now);
        if (!now && control_ && !control_->isVisible()) follow(nullptr);
    });
}

void FocusRing::follow(QWidget* control) {
    if (control == control_) return;
    if (control_) control_->removeEventFilter(this);
    control_ = control;
    if (!control) {
        hide();
        return;
    }
    control->installEventFilter(this);
    setParent(control->parentWidget());
    place();
    setVisible(control->isVisible());
}

// A sibling of the control, under it, reaching kWidth pixels beyond each edge;
// the mask leaves the control's own area to the control.
void FocusRing::place() {
    setGeometry(control_->geometry().adjusted(-kWidth, -kWidth, kWidth, kWidth));
    setMask(QRegion(rect()) - QRegion(rect().adjusted(kWidth, kWidth, -kWidth, -kWidth)));
    stackUnder(control_);
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
    if (watched != control_) return false;
    switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::ZOrderChange:
            place();
            break;
        case QEvent::ParentChange:
            setParent(control_->parentWidget());
            place();
            setVisible(control_->isVisible());
            break;
        case QEvent::Show:
            place();
            show();
            break;
        case QEvent::Hide:
            hide();
            break;
        default:
            break;
    }
    return false;
}

// The active highlight colour, also while another window is active, so that
// the ring keeps its contrast with the window behind it.
void FocusRing::paintEvent(QPaintEvent*) {
    if (!control_) return;
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Active, QPalette::Highlight));
}

}  // namespace toolkit
