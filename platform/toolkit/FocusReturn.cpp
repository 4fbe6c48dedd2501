#include "platform/toolkit/FocusReturn.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QHash>
#include <QPointer>
#include <QTimer>

namespace toolkit {

namespace {

// The widget with the focus as the dialog opens; the window it opened
// from keeps it as its focus widget even when no window is active.
QPointer<QWidget> focusBefore(const QDialog& dialog) {
    if (QWidget* focused = QApplication::focusWidget(); focused && focused->window() != &dialog)
        return focused;
    if (const QWidget* opener = dialog.parentWidget())
        return opener->window()->focusWidget() ? opener->window()->focusWidget() : opener->window();
    return nullptr;
}

void giveFocusBack(QWidget& widget) {
    QWidget* window = widget.window();
    if (!window->isVisible()) return;  // it closed too
    // Another dialog in front (the next one of a sequence) keeps the keys.
    const QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != window) return;
    const QWidget* active = QApplication::activeWindow();
    if (active && active != window && active->isVisible()) return;
    window->activateWindow();
    widget.setFocus(Qt::ActiveWindowFocusReason);
}

}  // namespace

FocusReturn::FocusReturn(QApplication& application) { application.installEventFilter(this); }

bool FocusReturn::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Show && event->type() != QEvent::Hide) return false;
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (!dialog || !dialog->isWindow()) return false;
    if (event->type() == QEvent::Show)
        focusBefore_.insert(dialog, focusBefore(*dialog));
    else if (const QPointer<QWidget> widget = focusBefore_.take(dialog))
        // Once the hide has run its course, and whatever closes with it.
        QTimer::singleShot(0, widget, [widget] { giveFocusBack(*widget); });
    return false;
}

}  // namespace toolkit
