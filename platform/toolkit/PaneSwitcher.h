#pragma once
// F6 and Shift+F6 move the keyboard focus from a window's fields and buttons
// to a pane that Tab leaves out, and from the pane back to the control that
// had the focus. The chart is such a pane: it takes no part in the window's
// tab order, yet its menu, copying and view keys must be reachable without a
// mouse.

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace toolkit {

class PaneSwitcher : public QObject {
    Q_OBJECT

public:
    // Works in `window` while it lives; `pane` is one of its widgets.
    PaneSwitcher(QWidget* window, QWidget* pane);

private:
    void switchFocus();
    void focusFirstControlAfterPane() const;

    QPointer<QWidget> pane_;
    QPointer<QWidget> previous_;  // where the focus was before it went to the pane
};

}  // namespace toolkit
