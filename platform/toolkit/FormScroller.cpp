#include "platform/toolkit/FormScroller.h"

#include <QApplication>
#include <QFocusFrame>
#include <QLabel>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

namespace toolkit {

namespace {

// Room left beyond the right- and bottom-most controls, and around a control
// scrolled into view (its focus ring included).
constexpr int kMargin = 8;

}  // namespace

FormScroller::FormScroller(QWidget* form)
    : QObject(form),
      form_(form),
      horizontal_(new QScrollBar(Qt::Horizontal, form)),
      vertical_(new QScrollBar(Qt::Vertical, form)) {
    horizontal_->setObjectName("HorizontalScrollBar");
    vertical_->setObjectName("VerticalScrollBar");
    horizontal_->setAccessibleName(tr("Scroll the form sideways"));
    vertical_->setAccessibleName(tr("Scroll the form up and down"));
    for (QScrollBar* bar : {horizontal_, vertical_}) {
        bar->hide();
        bar->setFocusPolicy(Qt::NoFocus);  // the tab order is the form's own
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            scrollTo({horizontal_->value(), vertical_->value()});
        });
    }
    form->installEventFilter(this);
    // Only a move of the focus within the form scrolls: the focus the window
    // gets when it opens or comes back leaves the view where it is, so that
    // the form opens at its top-left corner, where its captions are.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (old && now && form_->isAncestorOf(old) && form_->isAncestorOf(now)) bringIntoView(now);
    });
}

bool FormScroller::scrolls(const QObject* child) const {
    const auto* widget = qobject_cast<const QWidget*>(child);
    return widget && widget != horizontal_ && widget != vertical_ && !widget->isWindow() &&
           !qobject_cast<const QFocusFrame*>(widget);
}

QRect FormScroller::controlArea() const {
    QRect area;
    for (const QObject* child : form_->children())
        if (scrolls(child)) area |= static_cast<const QWidget*>(child)->geometry();
    return (area.translated(offset_) | QRect(0, 0, 1, 1)).adjusted(0, 0, kMargin, kMargin);
}

bool FormScroller::eventFilter(QObject* watched, QEvent* event) {
    if (watched != form_) return false;
    switch (event->type()) {
        case QEvent::Show:
        case QEvent::Resize:
            updateBars();
            break;
        case QEvent::Wheel: {
            // The wheel over the form, or over a control that leaves it unused.
            QScrollBar* bar = vertical_->isVisible() ? vertical_ : horizontal_;
            if (!bar->isVisible()) break;
            QApplication::sendEvent(bar, event);
            return true;
        }
        default:
            break;
    }
    return false;
}

void FormScroller::updateBars() {
    const QRect area = controlArea();
    const QSize size = form_->size();
    const int thickness = form_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, form_);
    // A bar along one edge takes room from the other direction.
    bool across = area.right() >= size.width();
    bool down = area.bottom() >= size.height();
    down = down || (across && area.bottom() >= size.height() - thickness);
    across = across || (down && area.right() >= size.width() - thickness);
    const QSize view(size.width() - (down ? thickness : 0),
                     size.height() - (across ? thickness : 0));

    horizontal_->setGeometry(0, view.height(), view.width(), thickness);
    horizontal_->setRange(0, across ? area.right() + 1 - view.width() : 0);
    horizontal_->setPageStep(view.width());
    horizontal_->setSingleStep(20);
    horizontal_->setVisible(across);
    vertical_->setGeometry(view.width(), 0, thickness, view.height());
    vertical_->setRange(0, down ? area.bottom() + 1 - view.height() : 0);
    vertical_->setPageStep(view.height());
    vertical_->setSingleStep(20);
    vertical_->setVisible(down);
    horizontal_->raise();
    vertical_->raise();
    // The ranges may have cut the values, which then moved the controls.
    scrollTo({horizontal_->value(), vertical_->value()});
}

void FormScroller::scrollTo(QPoint offset) {
    const QPoint shift = offset - offset_;
    if (shift.isNull()) return;
    offset_ = offset;
    for (QObject* child : form_->children())
        if (scrolls(child)) {
            auto* widget = static_cast<QWidget*>(child);
            widget->move(widget->pos() - shift);
        }
}

QRect FormScroller::placeInForm(const QWidget* control) const {
    return QRect(control->mapTo(form_, QPoint(0, 0)), control->size());
}

// The control with its caption, the label whose buddy it is, where one is.
void FormScroller::bringIntoView(const QWidget* control) {
    QRect wanted = placeInForm(control);
    for (const QLabel* label : form_->findChildren<QLabel*>())
        if (label->buddy() == control) wanted |= placeInForm(label);
    wanted.adjust(-kMargin, -kMargin, kMargin, kMargin);
    const int viewWidth = vertical_->isVisible() ? vertical_->x() : form_->width();
    const int viewHeight = horizontal_->isVisible() ? horizontal_->y() : form_->height();
    const auto shiftFor = [](int first, int last, int viewLength) {
        if (first < 0) return first;
        if (last >= viewLength) return std::min(first, last + 1 - viewLength);
        return 0;
    };
    horizontal_->setValue(horizontal_->value() +
                          shiftFor(wanted.left(), wanted.right(), viewWidth));
    vertical_->setValue(vertical_->value() + shiftFor(wanted.top(), wanted.bottom(), viewHeight));
}

}  // namespace toolkit
