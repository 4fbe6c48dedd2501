#include "platform/toolkit/PaneSwitcher.h"

#include <QApplication>
#include <QKeySequence>
#include <QShortcut>

namespace toolkit {

PaneSwitcher::PaneSwitcher(QWidget* window, QWidget* pane) : pane_(pane) {
    for (const QKeySequence& key : {QKeySequence(Qt::Key_F6), QKeySequence(Qt::SHIFT | Qt::Key_F6)})
        connect(new QShortcut(key, window), &QShortcut::activated, this,
                &PaneSwitcher::switchFocus);
}

void PaneSwitcher::switchFocus() {
    if (!pane_) return;
    if (!pane_->hasFocus()) {
        previous_ = QApplication::focusWidget();
        pane_->setFocus(Qt::ShortcutFocusReason);
    } else if (previous_ && previous_->isVisible() && previous_->isEnabled()) {
        previous_->setFocus(Qt::ShortcutFocusReason);
    } else {
        focusFirstControlAfterPane();
    }
}

void PaneSwitcher::focusFirstControlAfterPane() const {
    for (QWidget* w = pane_->nextInFocusChain(); w != pane_; w = w->nextInFocusChain()) {
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::ShortcutFocusReason);
            return;
        }
    }
}

}  // namespace toolkit
