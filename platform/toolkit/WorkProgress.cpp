#include "platform/toolkit/WorkProgress.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <vector>

namespace toolkit {

namespace {

constexpr int kShowAfterMs = 500;
constexpr int kSteps = 1000;

// What a modal dialog keeps from the windows it blocks: the user's input.
bool isInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
        case QEvent::ToolTip:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletMove:
        case QEvent::TabletRelease:
            return true;
        default:
            return false;
    }
}

}  // namespace

WorkProgress::WorkProgress(QWidget* parent, const QString& title, const QString& label,
                           QString stopQuestion)
    : QObject(parent->window()),
      window_(parent->window()),
      dialog_(label, tr("Cancel"), 0, kSteps, parent),
      stopQuestion_(std::move(stopQuestion)) {
    dialog_.setWindowTitle(title);
    dialog_.setMinimumDuration(kShowAfterMs);
    dialog_.setAutoReset(false);
    dialog_.setValue(0);
    qApp->installEventFilter(this);
}

WorkProgress::~WorkProgress() {
    if (closeWhenDone_) QTimer::singleShot(0, window_, [window = window_] { window->close(); });
}

// Work under way is a child of its window, the latest last.
WorkProgress* WorkProgress::runningIn(const QWidget* window) {
    const auto works = window->findChildren<WorkProgress*>(Qt::FindDirectChildrenOnly);
    return works.isEmpty() ? nullptr : works.last();
}

bool WorkProgress::advance(double done) {
    dialog_.setValue(static_cast<int>(kSteps * std::clamp(done, 0.0, 1.0)));
    // A modal progress dialog handles events in setValue; this one is not modal.
    if (dialog_.isVisible()) QCoreApplication::processEvents();
    return !dialog_.wasCanceled();
}

void WorkProgress::askToStopAndClose() {
    const QMessageBox::StandardButton answer =
        QMessageBox::question(window_, dialog_.windowTitle(), stopQuestion_,
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes) return;
    closeWhenDone_ = true;
    dialog_.cancel();
}

bool WorkProgress::inWindow(const QObject* receiver) const {
    if (receiver->isWidgetType()) return static_cast<const QWidget*>(receiver)->window() == window_;
    return receiver == window_->windowHandle();
}

// Input for the window is dropped; a click or key there brings the dialog to
// the front, as it would a modal one. A shortcut override taken here keeps the
// window's shortcuts from firing.
bool WorkProgress::eventFilter(QObject* watched, QEvent* event) {
    if (!isInput(event->type()) || !inWindow(watched)) return false;
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress) {
        dialog_.raise();
        dialog_.activateWindow();
    }
    event->accept();
    return true;
}

}  // namespace toolkit
