// Protects what a screen reader learns of the window: a window named by its
// caption, fields named by their captions and buttons by their text, a chart
// named by its title whose description follows what it shows, and a chart
// menu that its action opens, with every item named.

#include <QAccessible>
#include <QMenu>

#include "platform/chart/ChartView.h"
#include "tests/main_window_fixture.h"

namespace {

QAccessibleInterface* accessibleOf(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

using Accessibility = MainWindowTest;

TEST_F(Accessibility, WindowAndChartAreNamedAndTheChartSaysWhatItShows) {
    QAccessibleInterface* form = accessibleOf(window.get());
    QAccessibleInterface* plot = accessibleOf(chart());
    EXPECT_EQ(form->role(), QAccessible::Window);
    EXPECT_EQ(form->text(QAccessible::Name), "Form1");
    EXPECT_EQ(plot->role(), QAccessible::Chart);
    EXPECT_EQ(plot->text(QAccessible::Name), "TChart");
    EXPECT_EQ(plot->childCount(), 0);
    const auto description = [&] { return plot->text(QAccessible::Description); };
    EXPECT_EQ(description(), "Series1: no points; Series2: no points");

    setParameters("4", "5", "8", "15");
    clickOk();
    EXPECT_EQ(description(),
              "Series1: 6 points, values 0 to 0.234375; Series2: 6 points, values 1.25 to 5");
    chart()->View().show({{1.5, 4}, {-1, 9}});
    EXPECT_EQ(description(),
              "Series1: 6 points, values 0 to 0.234375; Series2: 6 points, values 1.25 to 5; "
              "showing points 2 to 4 of 6");
    clickClear();
    const QString removed = "Series taken off the chart; new points are not shown";
    EXPECT_EQ(description(), removed);
    setParameters("4", "5", "8", "15");
    clickOk();  // appended out of sight
    EXPECT_EQ(description(), removed);
    EXPECT_EQ(form->text(QAccessible::Name), "Form1");
    EXPECT_EQ(plot->text(QAccessible::Name), "TChart");

    const std::pair<const char*, const char*> controls[] = {{"Vramp", "Vramp"},
                                                            {"Span1", "Span 1"},
                                                            {"Edit9", "k"},
                                                            {"Button1", "確定"},
                                                            {"Button2", "清除"}};
    for (const auto& [name, spoken] : controls)
        EXPECT_EQ(accessibleOf(find<QWidget>(name))->text(QAccessible::Name),
                  QString::fromUtf8(spoken));
}

TEST_F(Accessibility, TheChartMenuOpensByItsActionAndItsItemsAreNamed) {
    QAccessibleActionInterface* actions = accessibleOf(chart())->actionInterface();
    ASSERT_NE(actions, nullptr);
    actions->doAction(QAccessibleActionInterface::showMenuAction());
    auto* menu = chart()->findChild<QMenu*>();
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }, 2000));
    QAccessibleInterface* items = accessibleOf(menu);
    ASSERT_EQ(items->childCount(), menu->actions().size());
    for (int i = 0; i < items->childCount(); ++i) {
        if (menu->actions()[i]->isSeparator()) continue;
        EXPECT_FALSE(menu->actions()[i]->text().isEmpty());
        EXPECT_EQ(items->child(i)->text(QAccessible::Name), menu->actions()[i]->text());
    }
    menu->close();
}

}  // namespace
