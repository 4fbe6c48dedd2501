// Protects the window on screens it does not fit: moved onto the screen's
// available area, no larger than it, controls at their places and sizes, the
// form opening at its top-left and bringing a focused control and its caption into view.

#include <QScreen>
#include <QScrollBar>

#include "tests/main_window_fixture.h"

namespace {

QScreen* screenNamed(const char* name) {
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->name() == name) return screen;
    return nullptr;
}

class ScreenFit : public MainWindowTest {
protected:
    // A fresh window declared at `position` (outer top-left corner).
    void reopenAt(QPoint position) {
        window = std::make_unique<TForm1>(nullptr);
        window->setPosition(position);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    QScrollBar* bar(const char* name) const { return find<QScrollBar>(name); }
    // The part of the form not under a scroll bar (both shown here).
    QRect view() const {
        return {0, 0, bar("VerticalScrollBar")->x(), bar("HorizontalScrollBar")->y()};
    }
    QRect placeInForm(const QWidget* control) const {
        return QRect(control->mapTo(window.get(), QPoint(0, 0)), control->size());
    }
};

TEST_F(ScreenFit, WindowRunningOffTheScreenIsMovedOntoItWhole) {
    reopenAt({-50, 900});
    EXPECT_EQ(window->frameGeometry(), QRect(0, 1024 - 640, 949, 640));
    EXPECT_EQ(chart()->geometry(), QRect(432, 216, 400, 250));
    EXPECT_FALSE(bar("VerticalScrollBar")->isVisible());
}

TEST_F(ScreenFit, OnAScreenTooSmallTheWindowFillsItAndEveryControlCanBeReached) {
    QScreen* small = screenNamed("Laptop200");
    ASSERT_NE(small, nullptr);
    const QRect available = small->availableGeometry();
    ASSERT_LT(available.width(), 949);
    reopenAt(available.topLeft() + QPoint(20, 20));
    EXPECT_EQ(window->screen(), small);
    EXPECT_EQ(window->frameGeometry(), available);
    EXPECT_TRUE(bar("HorizontalScrollBar")->isVisible());
    EXPECT_TRUE(bar("VerticalScrollBar")->isVisible());
    EXPECT_EQ(chart()->size(), QSize(400, 250));
    EXPECT_EQ(find<QWidget>("GroupBox1")->size(), QSize(161, 561));

    // The form opens at its top-left, where the captions are. With the keyboard only, every
    // control in the tab order (with its caption), and the chart through F6, comes into view
    // whole when it takes the focus, and keeps its place relative to the others.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(find<QWidget>("GroupBox1")->pos(), QPoint(32, 8));
    const QPoint groupToChart = chart()->pos() - find<QWidget>("GroupBox1")->pos();
    for (int step = 0; step < 16; ++step) {
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QWidget* focused = QApplication::focusWidget();
        SCOPED_TRACE(focused->objectName().toStdString());
        EXPECT_TRUE(view().contains(placeInForm(focused)));
        for (const QLabel* caption : window->findChildren<QLabel*>())
            EXPECT_TRUE(caption->buddy() != focused || view().contains(placeInForm(caption)));
        EXPECT_EQ(chart()->pos() - find<QWidget>("GroupBox1")->pos(), groupToChart);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    ASSERT_TRUE(chart()->hasFocus());
    EXPECT_TRUE(view().contains(placeInForm(chart())));
}

}  // namespace
