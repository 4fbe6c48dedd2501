#pragma once
// The window classes the main window is declared with. A TForm is a top-level
// window whose controls, settings and event bindings come from a Designer
// .ui file; these classes add the few settings Qt widgets lack: a font height
// in pixels, and a window position and outer size that include the frame.
//
// A window that would not fit the screen's available area (a large scale
// factor on a small screen) opens moved onto it, and no larger than it; its
// controls keep their places and sizes, and the form scrolls (FormScroller).
// Every form shows which control has the keyboard focus (FocusRing).
// Closing it while it saves a large file asks first (WorkProgress).

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPoint>
#include <QPointer>
#include <QPushButton>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <string>
#include <string_view>

#include "platform/toolkit/FocusRing.h"
#include "platform/toolkit/FormScroller.h"

using TObject = QObject;
using TComponent = QWidget;

// Sets the font's pixel height; like the classic font "height", a negative
// value counts the character height without leading (-11 is an 11-pixel font).
void SetFontHeight(QWidget* control, int height);
int FontHeight(const QWidget* control);

class TForm : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QPoint position READ position WRITE setPosition)
    Q_PROPERTY(int fontHeight READ fontHeight WRITE setFontHeight)

public:
    explicit TForm(TComponent* Owner = nullptr);

    // Where the window's outer top-left corner goes on screen.
    QPoint position() const { return position_; }
    void setPosition(QPoint position);
    int fontHeight() const { return FontHeight(this); }
    void setFontHeight(int height) { SetFontHeight(this, height); }

    void setVisible(bool visible) override;

protected:
    bool event(QEvent* event) override;
    // While long work runs in the window (WorkProgress), asks whether to stop
    // it; the window then closes once the work has unwound.
    void closeEvent(QCloseEvent* event) override;

private:
    void fitOnScreen();
    void fitFrameToDeclaredSize();

    // A child of whichever widget of the form holds the focused control.
    QPointer<toolkit::FocusRing> focusRing_;
    toolkit::FormScroller scroller_{this};
    QPoint position_;
    QSize declaredSize_;
    QRect outer_;  // where the frame goes: as declared, or fitted to the screen
    bool frameFitted_ = false;
};

class TLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(int fontHeight READ fontHeight WRITE setFontHeight)

public:
    explicit TLabel(QWidget* parent = nullptr) : QLabel(parent) {}
    int fontHeight() const { return FontHeight(this); }
    void setFontHeight(int height) { SetFontHeight(this, height); }
};

class TGroupBox : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(int fontHeight READ fontHeight WRITE setFontHeight)

public:
    explicit TGroupBox(QWidget* parent = nullptr) : QGroupBox(parent) {}
    int fontHeight() const { return FontHeight(this); }
    void setFontHeight(int height) { SetFontHeight(this, height); }
};

// A push button that Space, Enter and keypad Enter press while it has the
// keyboard focus (a plain QPushButton takes Enter only inside a dialog).
class TButton : public QPushButton {
    Q_OBJECT

public:
    explicit TButton(QWidget* parent = nullptr) : QPushButton(parent) {}

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A one-line text field; its text reads and writes as UTF-8. It takes text of
// any length, so that a long paste arrives whole rather than silently cut.
class TEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TEdit(QWidget* parent = nullptr);
    std::string Text() const { return text().toStdString(); }
    void SetText(std::string_view text) {
        setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
};
