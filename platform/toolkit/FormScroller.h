#pragma once
// Scroll bars for a form whose controls sit at fixed places. When the window
// is smaller than the area its controls cover (a large scale factor on a small
// screen), every control keeps its place and size and the form scrolls under
// them: by the bars, by the wheel over the form, and by itself to bring the
// control that the keyboard focus moves to into view, with its caption. The
// form opens at its top-left corner. While everything fits, the bars are
// hidden and nothing moves.

#include <QObject>
#include <QPoint>
#include <QRect>

class QScrollBar;
class QWidget;

namespace toolkit {

class FormScroller : public QObject {
    Q_OBJECT

public:
    // Owned by `form`, which it watches.
    explicit FormScroller(QWidget* form);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Children that scroll: the form's controls, not its bars or windows.
    bool scrolls(const QObject* child) const;
    // The area the controls cover at their own places, with the form's origin
    // and a margin beyond the last of them.
    QRect controlArea() const;
    void updateBars();
    void scrollTo(QPoint offset);
    QRect placeInForm(const QWidget* control) const;
    void bringIntoView(const QWidget* control);

    QWidget* form_;
    QScrollBar* horizontal_;
    QScrollBar* vertical_;
    QPoint offset_;
};

}  // namespace toolkit
