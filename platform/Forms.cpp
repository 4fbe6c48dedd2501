#include "platform/Forms.h"

#include <QEvent>
#include <QFont>

void SetFontHeight(QWidget* control, int height) {
    QFont font = control->font();
    font.setPixelSize(height < 0 ? -height : height);
    control->setFont(font);
}

int FontHeight(const QWidget* control) { return -control->font().pixelSize(); }

TForm::TForm(TComponent* Owner) : QWidget(Owner) {}

void TForm::setPosition(QPoint position) {
    position_ = position;
    move(position);
}

// The declared size is the window's outer size. Where the window system adds
// a frame, the client area shrinks by the frame, once the frame is known
// (after the window is shown); without a frame the two are the same.
bool TForm::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    switch (event->type()) {
        case QEvent::Show:
            if (!declaredSize_.isValid()) declaredSize_ = size();
            fitFrameToDeclaredSize();
            break;
        case QEvent::Move:
        case QEvent::Resize:
            if (isVisible()) fitFrameToDeclaredSize();
            break;
        default:
            break;
    }
    return handled;
}

void TForm::fitFrameToDeclaredSize() {
    if (frameFitted_) return;
    const QSize frame = frameGeometry().size() - geometry().size();
    if (frame.width() <= 0 && frame.height() <= 0) return;
    frameFitted_ = true;
    resize(declaredSize_ - frame);
    move(position_);
}
