// Protects the user's language: in Chinese, what the tool writes (the chart's
// menu, conversion errors) and Qt's own dialogs read in Chinese, while the
// texts the window declares stay exactly as declared; in a language the tool
// lacks, Qt's texts stay English too; in each, the view range dialog's labels
// keep clear of their fields.

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScopeGuard>
#include <QTimer>

#include "tests/main_window_fixture.h"
#include "tests/row_name.h"

namespace {

struct LanguageRow {
    std::string name;
    const char* locale;
    const char* copyData;  // the menu's first entry
    const char* error;     // for "abc" in Omaga
    bool qtTranslated;     // Qt's own texts too
};

class Language : public MainWindowTest, public testing::WithParamInterface<LanguageRow> {};

TEST_P(Language, TheToolsTextsFollowItAndTheDeclaredOnesStay) {
    const LanguageRow& row = GetParam();
    Application->UseLanguage(QLocale(row.locale));
    const auto english = qScopeGuard([] { Application->UseLanguage(QLocale::c()); });
    window = std::make_unique<TForm1>(nullptr);
    window->show();

    EXPECT_EQ(chart()->findChild<QMenu*>()->actions().value(0)->text(),
              QString::fromUtf8(row.copyData));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:") != "Look in:",
              row.qtTranslated);
    type("Omaga", "abc");
    clickOk();
    EXPECT_EQ(reports, std::vector<std::string>{row.error});

    EXPECT_EQ(window->windowTitle(), "Form1");
    EXPECT_EQ(find<QLabel>("Label2")->text(), "Span 1");
    EXPECT_EQ(find<QAbstractButton>("Button1")->text(), "確定");

    // The view range dialog: each label's ink ends well short of its field
    // (10 pixels; with Qt's spacing a CJK label came within a few), and
    // the longest number the dialog writes fits its field whole.
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        const QImage image = dialog->grab().toImage();
        const QRgb background = image.pixel(0, 0);
        for (auto* edit : dialog->findChildren<QLineEdit*>()) {
            int inkEnd = 0;
            for (int x = 0; x < edit->x(); ++x)
                for (int y = edit->y(); y < edit->geometry().bottom(); ++y)
                    if (image.pixel(x, y) != background) inkEnd = x;
            EXPECT_GE(edit->x() - inkEnd, 10) << edit->objectName().toStdString();
            edit->setText("-2.2250738585072014e-308");
            EXPECT_GT(edit->width(), edit->fontMetrics().horizontalAdvance(edit->text()) + 8);
        }
        dialog->close();
    });
    window->findChild<QAction*>("ViewRange")->trigger();
}

INSTANTIATE_TEST_SUITE_P(Languages, Language,
                         testing::Values(LanguageRow{"Simplified", "zh_CN", "复制数据",
                                                     "Omaga：'abc' 不是有效的数字", true},
                                         LanguageRow{"Traditional", "zh_TW", "複製資料",
                                                     "Omaga：'abc' 不是有效的數字", true},
                                         LanguageRow{"GermanWhichTheToolLacks", "de_DE",
                                                     "Copy data",
                                                     "Omaga: 'abc' is not a valid number", false}),
                         RowName());

}  // namespace
