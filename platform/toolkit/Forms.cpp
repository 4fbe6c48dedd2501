#include "platform/toolkit/Forms.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFont>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <algorithm>
#include <limits>

#include "platform/toolkit/WorkProgress.h"

void SetFontHeight(QWidget* control, int height) {
    QFont font = control->font();
    font.setPixelSize(height < 0 ? -height : height);
    control->setFont(font);
}

int FontHeight(const QWidget* control) { return -control->font().pixelSize(); }

TForm::TForm(TComponent* Owner) : QWidget(Owner), focusRing_(new toolkit::FocusRing(this)) {}

void TForm::setPosition(QPoint position) {
    position_ = position;
    move(position);
}

// Fitted before the native window exists, so that the window manager takes
// the position as the frame's, as it does the declared one.
void TForm::setVisible(bool visible) {
    if (visible && isWindow() && !declaredSize_.isValid()) {
        declaredSize_ = size();
        fitOnScreen();
    }
    QWidget::setVisible(visible);
}

// The declared size is the window's outer size. Where the window system adds
// a frame, the client area shrinks by the frame, once the frame is known
// (after the window is shown); without a frame the two are the same.
bool TForm::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
            if (isVisible()) fitFrameToDeclaredSize();
            break;
        default:
            break;
    }
    return handled;
}

void TForm::closeEvent(QCloseEvent* event) {
    if (toolkit::WorkProgress* work = toolkit::WorkProgress::runningIn(this)) {
        event->ignore();
        work->askToStopAndClose();
        return;
    }
    QWidget::closeEvent(event);
}

// Until the window manager has framed the window, Qt may report no frame, or
// one of negative size.
void TForm::fitFrameToDeclaredSize() {
    if (frameFitted_) return;
    const QSize frame = frameGeometry().size() - geometry().size();
    if (frame.width() < 0 || frame.height() < 0 || frame.isNull()) return;
    frameFitted_ = true;
    resize(outer_.size() - frame);
    move(outer_.topLeft());
}

namespace {

// The screen that holds most of `frame`; the primary one if none holds any.
const QScreen* screenHolding(QRect frame) {
    const QScreen* best = QGuiApplication::primaryScreen();
    qint64 bestArea = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect common = screen->availableGeometry() & frame;
        const qint64 area = qint64{common.width()} * common.height();
        if (area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    return best;
}

}  // namespace

// Where the declared frame would leave the available area of its screen, it
// is moved onto it, and cut to its size where it is larger.
void TForm::fitOnScreen() {
    const QRect declared(position_, declaredSize_);
    const QRect available = screenHolding(declared)->availableGeometry();
    const QSize size = declared.size().boundedTo(available.size());
    outer_ = QRect(
        QPoint(std::clamp(declared.left(), available.left(), available.right() + 1 - size.width()),
               std::clamp(declared.top(), available.top(), available.bottom() + 1 - size.height())),
        size);
    if (outer_ == declared) return;
    resize(outer_.size());
    move(outer_.topLeft());
}

void TButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QPushButton::keyPressEvent(event);
        return;
    }
    // A held key presses once, as a held Space does.
    if (!event->isAutoRepeat()) click();
}

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) { setMaxLength(std::numeric_limits<int>::max()); }
