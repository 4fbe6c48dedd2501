// Protects using the window from the keyboard alone: the focus on 清除 at
// start and a ring that shows it wherever it goes, F6 to the chart and back,
// the keys that press a focused button (and not a field), the chart's menu
// opened and used from the keyboard, and the focus back on the chart after
// every dialog it opens.

#include <QClipboard>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "tests/main_window_fixture.h"
#include "tests/row_name.h"

namespace {

// Failures name a table row rather than dumping its bytes.
template <class Row>
requires requires(const Row& row) { row.name; }
void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

class Keyboard : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QWidget* focused() const { return QApplication::focusWidget(); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QTest::keyClick(focused(), key, modifiers);
    }
    // Whether the window, as drawn now, shows the focus ring just outside
    // each edge of `control`.
    bool ringAround(const QWidget* control) const {
        const QImage image = window->grab().toImage();
        const QRect r(control->mapTo(window.get(), QPoint(0, 0)), control->size());
        const QColor ring = window->palette().color(QPalette::Active, QPalette::Highlight);
        for (const QPoint probe :
             {QPoint(r.left() - 1, r.center().y()), QPoint(r.right() + 1, r.center().y()),
              QPoint(r.center().x(), r.top() - 1), QPoint(r.center().x(), r.bottom() + 1)})
            if (image.pixelColor(probe) != ring) return false;
        return true;
    }
};

TEST_F(Keyboard, FocusStartsOnClearAndTheRingFollowsItEverywhere) {
    TButton* clear = find<TButton>("Button2");
    ASSERT_EQ(focused(), clear);
    const QRect around = clear->geometry().adjusted(-3, -3, 3, 3);
    const QImage focusedLook = window->grab(around).toImage();
    EXPECT_TRUE(ringAround(clear));

    // Round the whole tab order, to the chart with F6 and back to 清除.
    std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys(15, {Qt::Key_Tab, {}});
    keys.push_back({Qt::Key_F6, {}});
    keys.push_back({Qt::Key_F6, Qt::ShiftModifier});
    QWidget* previous = clear;
    for (const auto& [key, modifiers] : keys) {
        press(key, modifiers);
        SCOPED_TRACE(focused()->objectName().toStdString());
        EXPECT_TRUE(ringAround(focused()));
        EXPECT_FALSE(ringAround(previous));
        previous = focused();
    }
    EXPECT_EQ(focused(), clear);
    press(Qt::Key_Tab);
    EXPECT_NE(window->grab(around).toImage(), focusedLook);
}

struct KeyPress {
    const char* name;
    const char* control;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    std::size_t pointsAfter;  // OK plots the defaults: 11 points
    const char* vrampAfter;   // Clear empties the fields
};

class KeyOnAControl : public Keyboard, public testing::WithParamInterface<KeyPress> {};

TEST_P(KeyOnAControl, PressesTheFocusedButtonOnceAndNoField) {
    const KeyPress& row = GetParam();
    find<QWidget>(row.control)->setFocus();
    press(row.key, row.modifiers);
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(series("Series1")->Points().size(), row.pointsAfter);
    EXPECT_EQ(field("Vramp")->Text(), row.vrampAfter);
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, KeyOnAControl,
    testing::Values(
        KeyPress{"EnterOnOk", "Button1", Qt::Key_Return, {}, 11, "10"},
        KeyPress{"KeypadEnterOnOk", "Button1", Qt::Key_Enter, Qt::KeypadModifier, 11, "10"},
        KeyPress{"SpaceOnOk", "Button1", Qt::Key_Space, {}, 11, "10"},
        KeyPress{"EnterOnClear", "Button2", Qt::Key_Return, {}, 0, ""},
        KeyPress{"KeypadEnterOnClear", "Button2", Qt::Key_Enter, Qt::KeypadModifier, 0, ""},
        KeyPress{"SpaceOnClear", "Button2", Qt::Key_Space, {}, 0, ""},
        KeyPress{"EnterInAField", "Vramp", Qt::Key_Return, {}, 0, "10"},
        KeyPress{"KeypadEnterInAField", "Edit13", Qt::Key_Enter, Qt::KeypadModifier, 0, "10"}),
    RowName{});

struct MenuKey {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

class ChartMenuKey : public Keyboard, public testing::WithParamInterface<MenuKey> {};

TEST_P(ChartMenuKey, OpensTheMenuOnCopyDataAndEnterCopies) {
    setParameters("4", "5", "8", "15");
    find<TButton>("Button1")->setFocus();
    press(Qt::Key_Return);
    press(Qt::Key_F6);
    ASSERT_EQ(focused(), chart());
    QApplication::clipboard()->setText("before");

    press(GetParam().key, GetParam().modifiers);
    auto* menu = chart()->findChild<QMenu*>();
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }, 2000));
    ASSERT_NE(menu->activeAction(), nullptr);
    EXPECT_EQ(menu->activeAction()->objectName(), "CopyData");
    QTest::keyClick(menu, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !menu->isVisible(); }, 2000));
    const QString table = QApplication::clipboard()->text();
    EXPECT_TRUE(table.startsWith("series\tindex\tlabel\tvalue\nSeries1\t0\t0\t0\n"));
    EXPECT_EQ(table.count('\n'), 13);
    EXPECT_TRUE(reports.empty());
}

INSTANTIATE_TEST_SUITE_P(MainWindow, ChartMenuKey,
                         testing::Values(MenuKey{"ShiftF10", Qt::Key_F10, Qt::ShiftModifier},
                                         MenuKey{"MenuKey", Qt::Key_Menu, Qt::NoModifier}),
                         RowName{});

// Panned past the points, the plot area says so and names the key that brings
// them back; the value axis shows on request, the window's declaration as it
// was.
TEST_F(Keyboard, TheChartSaysWhereThePointsAreAndShowsTheValueAxisOnRequest) {
    clickOk();  // the window's defaults: 11 points
    press(Qt::Key_F6);
    for (int i = 0; i < 15; ++i) press(Qt::Key_Right);
    EXPECT_EQ(chart()->Notice(), "No points in view: press Home to show them all");
    press(Qt::Key_Home);
    EXPECT_EQ(chart()->Notice(), "");

    const QImage withoutAxis = chart()->grab().toImage();
    auto* showValueAxis = chart()->findChild<QAction*>("ShowValueAxis");
    press(Qt::Key_Y, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(showValueAxis->isChecked());
    EXPECT_NE(chart()->grab().toImage(), withoutAxis);
    EXPECT_FALSE(chart()->leftAxisVisible());
    press(Qt::Key_Y, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(showValueAxis->isChecked());
    EXPECT_EQ(chart()->grab().toImage(), withoutAxis);
}

// One dialog's answer: `act` runs on the dialog of class `dialogClass` once
// it is the one in front.
struct Answer {
    const char* dialogClass;
    std::function<void(QWidget* dialog, const QString& folder)> act;
};

Answer pressing(const char* dialogClass, Qt::Key key) {
    return {dialogClass, [key](QWidget* dialog, const QString&) { QTest::keyClick(dialog, key); }};
}

Answer naming(const char* file) {
    return {"QFileDialog", [file](QWidget* dialog, const QString& folder) {
                auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
                name->setText(folder + "/" + file);
                QTest::keyClick(name, Qt::Key_Return);
            }};
}

struct DialogRow {
    std::string name;
    const char* span;       // Span 1 and Span 2 plotted first
    QKeyCombination opens;  // the first dialog, pressed on the chart
    std::vector<Answer> answers;
};

class DialogFromTheChart : public Keyboard, public testing::WithParamInterface<DialogRow> {};

TEST_P(DialogFromTheChart, GivesTheFocusBackToTheChart) {
    const DialogRow& row = GetParam();
#ifdef _WIN32
    if (row.opens.key() == Qt::Key_P && QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "no printer here: Windows' print dialog does not open without one";
#endif
    Application->OnException = nullptr;  // errors in a message box, as the user sees them
    QTemporaryDir folder;
    QFile(folder.filePath("chart.png")).open(QIODevice::WriteOnly);
    setParameters("4", row.span, "8", row.span);
    clickOk();
    press(Qt::Key_F6);
    ASSERT_EQ(focused(), chart());

    std::size_t answered = 0;
    const QWidget* lastAnswered = nullptr;
    QTimer answering;
    QObject::connect(&answering, &QTimer::timeout, &answering, [&] {
        QWidget* front = QApplication::activeModalWidget();
        for (QProgressDialog* progress : window->findChildren<QProgressDialog*>())
            if (!front && progress->isVisible()) front = progress;
        if (!front || front == lastAnswered || answered == row.answers.size() ||
            !front->inherits(row.answers[answered].dialogClass))
            return;
        lastAnswered = front;
        // From the event loop: an answer may open the next dialog, for this
        // timer to answer in turn.
        QTimer::singleShot(0, front, [front, act = row.answers[answered++].act, &folder] {
            act(front, folder.path());
        });
    });
    answering.start(20);
    press(row.opens.key(), row.opens.keyboardModifiers());
    answering.stop();

    EXPECT_EQ(answered, row.answers.size());
    EXPECT_TRUE(QTest::qWaitFor([&] { return focused() == chart(); }, 2000))
        << (focused() ? focused()->objectName().toStdString() : "no widget has the focus");
    EXPECT_EQ(QApplication::activeWindow(), window.get());
}

constexpr QKeyCombination kSaveImage = Qt::CTRL | Qt::Key_S;
constexpr QKeyCombination kSaveData = Qt::CTRL | Qt::SHIFT | Qt::Key_S;
Answer closingTheWindow() {
    return {"QProgressDialog",
            [](QWidget* progress, const QString&) { progress->parentWidget()->window()->close(); }};
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(MainWindow, DialogFromTheChart, testing::Values(
    DialogRow{"ReplaceConfirmed", "5", kSaveImage,
              {naming("chart.png"), pressing("QMessageBox", Qt::Key_Y)}},
    DialogRow{"ReplaceDeclined", "5", kSaveImage,
              {naming("chart.png"), pressing("QMessageBox", Qt::Key_N),
               pressing("QFileDialog", Qt::Key_Escape)}},
    DialogRow{"ErrorThenCancel", "5", kSaveImage,
              {naming("gone/chart.png"), pressing("QMessageBox", Qt::Key_Return),
               pressing("QFileDialog", Qt::Key_Escape)}},
    DialogRow{"ProgressCancelled", "8000000", kSaveData,
              {naming("points.csv"), pressing("QProgressDialog", Qt::Key_Escape)}},
    DialogRow{"CloseDuringSaveDeclined", "8000000", kSaveData,
              {naming("points.csv"), closingTheWindow(), pressing("QMessageBox", Qt::Key_N)}},
    DialogRow{"ViewRange", "5", Qt::CTRL | Qt::Key_R,
              {pressing("chart::ViewRangeDialog", Qt::Key_Return)}},
    DialogRow{"Print", "5", Qt::CTRL | Qt::Key_P, {pressing("QPrintDialog", Qt::Key_Escape)}}),
    RowName{});
// clang-format on

}  // namespace
