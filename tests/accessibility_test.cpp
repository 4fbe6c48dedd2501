// Protects what a screen reader learns of the window: a window named by its
// caption, fields named by their captions and buttons by their text, a chart
// named by its title whose description follows what it shows, menu items and
// the point readout named by their text.

#include <QAccessible>
#include <QMenu>
#include <QToolTip>

#include "tests/main_window_fixture.h"
#include "tests/row_name.h"

namespace {

// Failures name a table row rather than dumping its bytes.
template <class Row>
requires requires(const Row& row) { row.name; }
void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

QAccessibleInterface* accessibleOf(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

class Accessibility : public MainWindowTest {
protected:
    QAccessibleInterface* chartInterface() const { return accessibleOf(chart()); }
    QString chartDescription() const { return chartInterface()->text(QAccessible::Description); }
};

TEST_F(Accessibility, WindowAndChartAreNamedAndTheChartSaysWhatItShows) {
    QAccessibleInterface* form = accessibleOf(window.get());
    EXPECT_EQ(form->role(), QAccessible::Window);
    EXPECT_EQ(form->text(QAccessible::Name), "Form1");

    QAccessibleInterface* plot = chartInterface();
    EXPECT_EQ(plot->role(), QAccessible::Chart);
    EXPECT_EQ(plot->text(QAccessible::Name), "TChart");
    EXPECT_EQ(plot->childCount(), 0);
    EXPECT_EQ(form->indexOfChild(plot) >= 0, true);
    EXPECT_EQ(chartDescription(), "Series1: no points; Series2: no points");

    setParameters("4", "5", "8", "15");
    clickOk();
    EXPECT_EQ(chartDescription(),
              "Series1: 6 points, values 0 to 0.234375; Series2: 6 points, values 1.25 to 5");
    clickClear();
    EXPECT_EQ(chartDescription(), "no series shown");
    setParameters("4", "5", "8", "15");
    clickOk();  // appended out of sight
    EXPECT_EQ(chartDescription(), "no series shown");
    EXPECT_EQ(plot->text(QAccessible::Name), "TChart");
}

TEST_F(Accessibility, FieldsCarryTheirCaptionsAndButtonsTheirText) {
    const std::pair<const char*, const char*> named[] = {
        {"Vramp", "Vramp"},   {"Span1", "Span 1"}, {"Omaga", "Omaga"},
        {"Span2", "Span 2"},  {"Edit5", "A max"},  {"Edit9", "k"},
        {"Edit13", "Span 7"}, {"Button1", "確定"}, {"Button2", "清除"},
    };
    for (const auto& [name, spoken] : named)
        EXPECT_EQ(accessibleOf(find<QWidget>(name))->text(QAccessible::Name),
                  QString::fromUtf8(spoken))
            << name;
}

TEST_F(Accessibility, TheChartMenuOpensByItsActionAndItsItemsAreNamed) {
    QAccessibleActionInterface* actions = chartInterface()->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::showMenuAction()));
    actions->doAction(QAccessibleActionInterface::showMenuAction());
    auto* menu = chart()->findChild<QMenu*>();
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }, 2000));
    QAccessibleInterface* items = accessibleOf(menu);
    ASSERT_EQ(items->childCount(), menu->actions().size());
    for (int i = 0; i < items->childCount(); ++i) {
        const QString name = items->child(i)->text(QAccessible::Name);
        EXPECT_FALSE(name.isEmpty());
        EXPECT_EQ(name, menu->actions()[i]->text());
    }
    menu->close();
}

TEST_F(Accessibility, ThePointReadoutIsATooltipNamedByItsText) {
    setParameters("4", "5", "8", "15");
    clickOk();
    chart()->grab();
    const QPoint point(static_cast<int>(std::lround(chart()->xAxis->coordToPixel(5))),
                       static_cast<int>(std::lround(chart()->yAxis->coordToPixel(0.234375))));
    QTest::mouseMove(chart(), point);
    ASSERT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 2000));
    QWidget* tip = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "qtooltip_label" && w->isVisible()) tip = w;
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(accessibleOf(tip)->role(), QAccessible::ToolTip);
    EXPECT_EQ(accessibleOf(tip)->text(QAccessible::Name), "Series1  label 5  value 0.234375");
}

struct Described {
    const char* name;
    std::vector<double> values;
    const char* description;
};

class ChartDescriptionOf : public testing::TestWithParam<Described> {};

TEST_P(ChartDescriptionOf, NamesCountAndValueRange) {
    TChart chart;
    auto* series = new TLineSeries(&chart);
    series->setObjectName("Series1");
    for (const double v : GetParam().values) series->Add(v, NumberLabel{0}, clBlue);
    EXPECT_EQ(accessibleOf(&chart)->text(QAccessible::Description),
              QString::fromUtf8(GetParam().description));
}

INSTANTIATE_TEST_SUITE_P(
    Accessibility, ChartDescriptionOf,
    testing::Values(
        Described{"Empty", {}, "Series1: no points"},
        Described{"OnePoint", {2.5}, "Series1: 1 point, value 2.5"},
        Described{"AllEqual", {0, 0, 0}, "Series1: 3 points, all 0"},
        Described{"MinusSigns", {-4.2, 17.5, -0.5}, "Series1: 3 points, values −4.2 to 17.5"},
        Described{"GroupedCount", std::vector<double>(1234, 1.0), "Series1: 1,234 points, all 1"}),
    RowName{});

}  // namespace
