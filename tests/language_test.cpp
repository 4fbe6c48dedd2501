// Protects the user's language: in Chinese, what the tool writes (the chart's
// menu, conversion errors) and Qt's own dialogs read in Chinese, while the
// texts the window declares stay exactly as declared.

#include <QMenu>
#include <QScopeGuard>

#include "tests/main_window_fixture.h"
#include "tests/row_name.h"

namespace {

struct LanguageRow {
    std::string name;
    const char* locale;
    const char* copyData;  // the menu's first entry
    const char* error;     // for "abc" in Omaga
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
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), "Look in:");
    type("Omaga", "abc");
    clickOk();
    EXPECT_EQ(reports, std::vector<std::string>{row.error});

    EXPECT_EQ(window->windowTitle(), "Form1");
    EXPECT_EQ(find<QLabel>("Label2")->text(), "Span 1");
    EXPECT_EQ(find<QAbstractButton>("Button1")->text(), "確定");
}

INSTANTIATE_TEST_SUITE_P(
    Chinese, Language,
    testing::Values(LanguageRow{"Simplified", "zh_CN", "复制数据", "Omaga：'abc' 不是有效的数字"},
                    LanguageRow{"Traditional", "zh_TW", "複製資料", "Omaga：'abc' 不是有效的數字"}),
    RowName());

}  // namespace
