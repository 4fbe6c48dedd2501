// Protects pasted text in the fields: kept whole however long, a copied
// cell's line break accepted, and the error box for a huge paste one short
// line that names the field and fits on the screen.

#include <QClipboard>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include "tests/main_window_fixture.h"

namespace {

class FieldText : public MainWindowTest {
protected:
    void paste(const char* fieldName, const QString& text) const {
        QApplication::clipboard()->setText(text);
        TEdit* target = field(fieldName);
        target->setFocus();
        target->selectAll();
        QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    }
};

TEST_F(FieldText, ACopiedCellWithItsLineBreakIsTakenAsItsNumber) {
    paste("Span1", "10\r\n");
    EXPECT_EQ(field("Span1")->text(), "10\r\n");
    clickOk();
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(series("Series1")->Points().size(), 11u);
}

TEST_F(FieldText, AHundredThousandCharacterPasteIsKeptWholeAndReportedOnOneLine) {
    paste("Omaga", QString(100'000, '9'));
    EXPECT_EQ(field("Omaga")->text().size(), 100'000);
    clickOk();
    EXPECT_EQ(reports, std::vector<std::string>{
                           "Omaga: '9999999999999999…9999999999999999' (100,000 characters) "
                           "is out of range"});
}

TEST_F(FieldText, TheErrorBoxForAHugePasteFitsOnTheScreen) {
    paste("Omaga", QString(50'000, '1') + "\n" + QString(50'000, 'x'));
    Application->OnException = nullptr;  // the real box
    QRect box, screen;
    QString title, text;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!shown) return;
        watch.stop();
        box = shown->frameGeometry();
        screen = shown->screen()->availableGeometry();
        title = shown->windowTitle();
        text = shown->text();
        shown->done(QMessageBox::Ok);
    });
    watch.start(10);
    clickOk();
    EXPECT_EQ(title, "Error");
    EXPECT_EQ(text,
              "Omaga: '1111111111111111…xxxxxxxxxxxxxxxx' (100,001 characters) "
              "is not a valid number");
    EXPECT_TRUE(screen.contains(box)) << box.width() << "x" << box.height();
    EXPECT_TRUE(QRect(0, 0, 1280, 1024).contains(box));
}

}  // namespace
