// Protects the main window as declared: every control's class, place, size,
// text, font and alignment; the tab order; and the OK command's points and
// error reports as seen from the window, to the bits of the expected-bits file.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <bit>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "plot/curves.h"
#include "plot/decimal.h"
#include "tests/expected_bits.h"
#include "tests/main_window_fixture.h"
#include "tests/row_name.h"
#include "tests/table_parser.h"

namespace {

struct ControlRow {
    const char* name;
    const char* className;
    const char* parent;
    int left, top, width, height;
    const char* text;  // caption or initial text; nullptr: none to check
    int fontHeight;    // -11: the window's, -13: labels', -16: the group box's
};

ControlRow labelRow(const char* name, int left, int top, int width, const char* caption) {
    return {name, "TLabel", "GroupBox1", left, top, width, 16, caption, -13};
}
ControlRow fieldRow(const char* name, int top, const char* text) {
    return {name, "TEdit", "GroupBox1", 64, top, 73, 28, text, -16};
}

std::vector<ControlRow> controlRows() {
    return {
        {"Chart1", "TChart", "Form1", 432, 216, 400, 250, nullptr, -11},
        {"Button2", "TButton", "Form1", 624, 88, 81, 25, "清除", -11},
        {"GroupBox1", "TGroupBox", "Form1", 32, 8, 161, 561, "", -16},
        {"Button1", "TButton", "Form1", 496, 88, 81, 25, "確定", -11},
        labelRow("Label1", 9, 32, 40, "Vramp"),
        fieldRow("Vramp", 32, "10"),
        labelRow("Label2", 8, 72, 42, "Span 1"),
        fieldRow("Span1", 72, "10"),
        labelRow("Label3", 7, 112, 45, "Omaga"),
        fieldRow("Omaga", 112, "10"),
        labelRow("Label4", 8, 152, 42, "Span 2"),
        fieldRow("Span2", 152, "10"),
        labelRow("Label5", 11, 192, 37, "A max"),
        fieldRow("Edit5", 192, ""),
        labelRow("Label6", 8, 232, 42, "Span 3"),
        fieldRow("Edit6", 232, ""),
        labelRow("Label7", 5, 272, 48, "A mid45"),
        fieldRow("Edit7", 272, ""),
        labelRow("Label8", 8, 312, 42, "Span 4"),
        fieldRow("Edit8", 312, ""),
        labelRow("Label9", 26, 352, 7, "k"),
        fieldRow("Edit9", 352, ""),
        labelRow("Label10", 8, 392, 42, "Span 5"),
        fieldRow("Edit10", 392, ""),
        labelRow("Label11", 5, 432, 48, "A mid67"),
        fieldRow("Edit11", 432, ""),
        labelRow("Label12", 8, 472, 42, "Span 6"),
        fieldRow("Edit12", 472, ""),
        labelRow("Label13", 8, 512, 42, "Span 7"),
        fieldRow("Edit13", 512, ""),
    };
}

class Layout : public MainWindowTest, public testing::WithParamInterface<ControlRow> {};

QString textOf(const QWidget* control) {
    if (auto* label = qobject_cast<const QLabel*>(control)) return label->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
    if (auto* box = qobject_cast<const QGroupBox*>(control)) return box->title();
    return {};
}

TEST_P(Layout, ControlIsDeclaredAsDesigned) {
    const ControlRow& row = GetParam();
    const auto* control = find<QWidget>(row.name);
    ASSERT_NE(control, nullptr);
    EXPECT_STREQ(control->metaObject()->className(), row.className);
    EXPECT_EQ(control->parentWidget()->objectName(), row.parent);
    EXPECT_EQ(control->geometry(), QRect(row.left, row.top, row.width, row.height));
    if (row.text) {
        EXPECT_EQ(textOf(control), QString::fromUtf8(row.text));
    }
    EXPECT_EQ(control->font().pixelSize(), -row.fontHeight);
    if (auto* label = qobject_cast<const QLabel*>(control)) {
        EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        ASSERT_NE(label->buddy(), nullptr);
        EXPECT_EQ(label->buddy()->geometry().top(), control->geometry().top());
    }
}

INSTANTIATE_TEST_SUITE_P(MainWindow, Layout, testing::ValuesIn(controlRows()), RowName{});

TEST_F(MainWindowTest, WindowHasItsCaptionSizeAndFont) {
    EXPECT_EQ(window->windowTitle(), "Form1");
    // The outer size and place, frame included where the platform reports one.
    EXPECT_EQ(window->frameGeometry(), QRect(92, 115, 949, 640));
    EXPECT_EQ(window->font().pixelSize(), 11);
}

TEST_F(MainWindowTest, ChartStartsWithTwoEmptySeriesAndItsSettings) {
    EXPECT_EQ(chart()->title(), "TChart");
    EXPECT_FALSE(chart()->legendVisible());
    EXPECT_FALSE(chart()->leftAxisVisible());
    EXPECT_EQ(chart()->backWallColor(), QColor(Qt::white));
    ASSERT_EQ(chart()->SeriesOnChart().size(), 2u);
    EXPECT_EQ(chart()->SeriesOnChart()[0], series("Series1"));
    EXPECT_EQ(chart()->SeriesOnChart()[1], series("Series2"));
    EXPECT_EQ(series("Series1")->seriesColor(), QColor(255, 0, 0));
    EXPECT_FALSE(series("Series1")->pointerVisible());
    EXPECT_EQ(series("Series2")->seriesColor(), QColor(0, 128, 0));
    EXPECT_TRUE(series("Series2")->pointerVisible());
    EXPECT_TRUE(series("Series1")->Points().empty());
    EXPECT_TRUE(series("Series2")->Points().empty());
}

TEST_F(MainWindowTest, TabRunsThroughTheFieldsWithVrampLast) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    field("Span1")->setFocus();
    const std::vector<QString> expected = {"Omaga",  "Span2", "Edit5",   "Edit6",   "Edit7",
                                           "Edit8",  "Edit9", "Edit10",  "Edit11",  "Edit12",
                                           "Edit13", "Vramp", "Button1", "Button2", "Span1"};
    for (const QString& name : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), name);
    }
}

// --- The OK command -------------------------------------------------------

struct PlotCase {
    const char* name;
    const char *vramp, *span1, *omaga, *span2;
    plot::Parameters parameters;
};

class OkCommand : public MainWindowTest, public testing::WithParamInterface<PlotCase> {};

std::vector<plot::Pass> passesOf(const plot::Parameters& p) {
    std::vector<plot::Pass> passes;
    plot::sampleCurves(p, plot::deriveCoefficients(p),
                       [&](const plot::Pass& pass) { passes.push_back(pass); });
    return passes;
}

TEST_P(OkCommand, AppendsOnePointPerPassToEachSeriesTwiceOnTwoClicks) {
    const PlotCase& c = GetParam();
    setParameters(c.vramp, c.span1, c.omaga, c.span2);
    const std::vector<plot::Pass> passes = passesOf(c.parameters);
    clickOk();
    clickOk();
    EXPECT_TRUE(reports.empty());
    const series::SeriesPoints& s1 = series("Series1")->Points();
    const series::SeriesPoints& s2 = series("Series2")->Points();
    ASSERT_EQ(s1.size(), 2 * passes.size());
    ASSERT_EQ(s2.size(), 2 * passes.size());
    for (std::size_t i = 0; i < s1.size(); ++i) {
        const plot::Pass& pass = passes[i % passes.size()];
        SCOPED_TRACE("point " + std::to_string(i));
        EXPECT_EQ(std::bit_cast<std::uint64_t>(s1.value(i)),
                  std::bit_cast<std::uint64_t>(static_cast<double>(pass.y1)));
        EXPECT_EQ(std::bit_cast<std::uint64_t>(s2.value(i)),
                  std::bit_cast<std::uint64_t>(static_cast<double>(pass.y2)));
        EXPECT_EQ(s1.label(i), std::to_string(i % passes.size()));
        EXPECT_EQ(s2.label(i), std::to_string(i % passes.size() + 10));
        EXPECT_EQ(s1.colour(i), 0xFF0000u);
        EXPECT_EQ(s2.colour(i), 0x00FFFFu);
    }
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, OkCommand,
    testing::Values(PlotCase{"Defaults", "10", "10", "10", "10", {10, 10, 10, 10}},
                    PlotCase{"Vramp4Span5Omaga8Span15", "4", "5", "8", "15", {4, 5, 8, 15}},
                    PlotCase{"Vramp10Span2Omaga10Span12", "10", "2", "10", "12", {10, 2, 10, 12}},
                    PlotCase{"NonWholeSpans",
                             " 4 ",
                             "5.5",
                             "8",
                             "1.55e1",
                             {4, plot::Extended(5.5), 8, plot::Extended(15.5)}},
                    PlotCase{"NoPass", "1", "-1", "1", "9", {1, -1, 1, 9}},
                    // Blocks of passes sampled on every core.
                    PlotCase{"SeveralBlocks", "3", "20000", "-7", "5", {3, 20000, -7, 5}}),
    RowName{});

// Inputs of the expected-bits file with up to a few thousand passes, typed
// into a fresh window each: the points Copy data gives (each pass's counters
// as labels, its samples as values, x from the pass) hash to the file's bits.
TEST_F(MainWindowTest, CopyDataGivesTheExpectedBitsFilesPoints) {
    int checked = 0;
    for (const expected_bits::Line& line : expected_bits::readLines(CURVEPLOT_EXPECTED_BITS_FILE)) {
        std::istringstream result(line.result);
        std::string word;
        for (int i = 0; i < 10; ++i) result >> word;  // the coefficients
        std::size_t passes = 0;
        if (!(result >> passes) || passes > 3000 || line.number % 3 != 0) continue;
        window = std::make_unique<TForm1>(nullptr);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        setParameters(line.fields[0].c_str(), line.fields[1].c_str(), line.fields[2].c_str(),
                      line.fields[3].c_str());
        clickOk();
        chart()->repaint();  // the points on screen, as the user sees them before copying
        chart()->findChild<QAction*>("CopyData")->trigger();
        const auto table = parseTable(QApplication::clipboard()->text().toStdString(), '\t', "\n");
        ASSERT_TRUE(table && table->size() == 1 + 2 * passes) << "line " << line.number;
        const plot::Parameters typed{
            *plot::parseDecimal(line.fields[0]), *plot::parseDecimal(line.fields[1]),
            *plot::parseDecimal(line.fields[2]), *plot::parseDecimal(line.fields[3])};
        const std::vector<plot::Pass> core = passesOf(typed);
        expected_bits::PassHash hash;
        // strtof: a subnormal value reads back exactly, where stof would throw.
        const auto number = [](const std::string& text) {
            return std::strtof(text.c_str(), nullptr);
        };
        for (std::size_t i = 0; i < passes; ++i) {
            const Record& one = (*table)[1 + i];
            const Record& two = (*table)[1 + passes + i];
            // A table writes zero as "0", whatever its sign.
            const auto value = [&](const Record& row, float sample) {
                const float read = number(row[3]);
                return read == 0 ? sample : read;
            };
            hash.add(core[i].x, number(one[2]), number(two[2]), value(one, core[i].y1),
                     value(two, core[i].y2));
        }
        EXPECT_EQ(std::stoull(line.result.substr(line.result.rfind(' ') + 1), nullptr, 16),
                  hash.value())
            << "line " << line.number;
        ++checked;
    }
    EXPECT_GE(checked, 200);
}

TEST_F(MainWindowTest, OkGivesTheDriftedValuesToTheBit) {
    setParameters("1", "10", "10", "20");
    clickOk();
    const series::SeriesPoints& s1 = series("Series1")->Points();
    const series::SeriesPoints& s2 = series("Series2")->Points();
    ASSERT_EQ(s1.size(), 11u);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(static_cast<float>(s1.value(10))), 0x3F000002u);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(static_cast<float>(s2.value(10))), 0x40200001u);
    EXPECT_EQ(s1.label(10), "10");
    EXPECT_EQ(s2.label(10), "20");
}

TEST_F(MainWindowTest, OkWritesNoField) {
    const char* others[] = {"Edit5",  "Edit6",  "Edit7",  "Edit8", "Edit9",
                            "Edit10", "Edit11", "Edit12", "Edit13"};
    for (const char* name : others) type(name, "keep me");
    setParameters("4", "5", "8", "15");
    clickOk();
    for (const char* name : others) EXPECT_EQ(field(name)->Text(), "keep me") << name;
    EXPECT_EQ(field("Vramp")->Text(), "4");
    EXPECT_EQ(field("Span2")->Text(), "15");
}

struct BadInput {
    const char* name;
    const char *vramp, *span1, *omaga, *span2;
    const char* report;
};

class OkReports : public MainWindowTest, public testing::WithParamInterface<BadInput> {};

TEST_P(OkReports, TheFirstProblemAppendsNothingAndTheWindowGoesOn) {
    const BadInput& c = GetParam();
    setParameters("4", "5", "8", "15");
    clickOk();
    setParameters(c.vramp, c.span1, c.omaga, c.span2);
    clickOk();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], c.report);
    EXPECT_EQ(series("Series1")->Points().size(), 6u);
    EXPECT_EQ(series("Series2")->Points().size(), 6u);

    setParameters("4", "5", "8", "15");
    clickOk();
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_EQ(series("Series1")->Points().size(), 12u);
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, OkReports,
    testing::Values(
        BadInput{"LettersInVramp", "abc", "5", "8", "15", "Vramp: 'abc' is not a valid number"},
        BadInput{"EmptySpan1", "4", "", "8", "15", "Span 1: '' is not a valid number"},
        BadInput{"LettersInOmaga", "4", "5", "abc", "15", "Omaga: 'abc' is not a valid number"},
        BadInput{"CommaInSpan2", "4", "5", "8", "1,5", "Span 2: '1,5' is not a valid number"},
        BadInput{"FirstBadFieldWins", "4", "x", "y", "", "Span 1: 'x' is not a valid number"},
        BadInput{"AllEmptyNamesVramp", "", "", "", "", "Vramp: '' is not a valid number"},
        BadInput{"OmagaBeyondRange", "4", "5", "1e5000", "15", "Omaga: '1e5000' is out of range"},
        BadInput{"OmagaRoundsToZero", "4", "5", "1e-5000", "15",
                 "Omaga: '1e-5000' is too small: it becomes zero"},
        BadInput{"LineBreakInsideSpan2", "4", "5", "8", "1\n5",
                 "Span 2: '1\\n5' is not a valid number"},
        BadInput{"ZeroOmaga", "4", "5", "0", "15", "Omaga must not be zero"},
        BadInput{"ZeroOmagaWithNoPass", "4", "-1", "0", "0", "Omaga must not be zero"},
        BadInput{"SamplesBeyondFloat", "1e38", "30", "10", "30",
                 "The curves grow too large to plot (at x = 0.70000005)"}),
    RowName{});

}  // namespace
