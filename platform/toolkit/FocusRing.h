#pragma once
// A ring just outside the control that has the keyboard focus in a window,
// drawn the same under every platform style and from the moment the window
// opens. Styles draw their own focus frame only after the keyboard has moved
// the focus, and some never around a push button, so without it a user who has
// not pressed Tab cannot see which button Space or Enter will press.
//
// A QFocusFrame, so that it stays out of the accessibility tree and of the
// mouse's way; placed and painted here rather than by the style, whose focus
// frame margin may be zero.

#include <QFocusFrame>
#include <QPointer>

namespace toolkit {

class FocusRing : public QFocusFrame {
    Q_OBJECT

public:
    // Follows the focus among the controls of `window`, which owns the ring
    // (through whichever of its widgets holds the focused control).
    explicit FocusRing(QWidget* window);

    static constexpr int kWidth = 2;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void follow(QWidget* control);
    void place();

    const QWidget* window_;  // compared with, never used
    QPointer<QWidget> control_;
};

}  // namespace toolkit
