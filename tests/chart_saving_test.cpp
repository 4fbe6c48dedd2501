// Protects saving and printing the chart: pictures (and a printed page) show
// the curves where the screen does, tables hold the points shown or in view,
// the file dialogs say what is saved and add the chosen extension, and a
// failed or cancelled save reports itself, writes nothing and leaves an
// existing file as it was.

#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIcon>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <QXmlStreamReader>
#include <cmath>
#include <functional>
#include <set>

#include "platform/chart/ChartCommands.h"
#include "platform/chart/FileFormats.h"
#include "platform/toolkit/AtomicFileWriter.h"
#include "tests/chart_fixture.h"
#include "tests/row_name.h"
#include "tests/system_faults.h"

namespace {

// The curves' colours, told by hue so that any rasteriser's antialiased
// edges (colour blended with white) count, and black, grey and white don't.
bool isBlue(QRgb p) { return qBlue(p) - std::max(qRed(p), qGreen(p)) > 64; }
bool isYellow(QRgb p) { return std::min(qRed(p), qGreen(p)) - qBlue(p) > 64; }
bool isCurve(QRgb p) { return isBlue(p) || isYellow(p); }

using Rows = std::optional<std::pair<int, int>>;

// Rows [top, bottom] of the pixels of column x that `matches`, if any.
Rows rowsIn(const QImage& image, int x, bool (*matches)(QRgb)) {
    Rows rows;
    for (int y = 0; y < image.height(); ++y) {
        if (!matches(image.pixel(x, y))) continue;
        if (!rows) rows = std::pair{y, y};
        rows->second = y;
    }
    return rows;
}

// Whether `rows` of some column matches column x, x-1 or x+1 of `columns`
// within `slack` rows.
bool matchesNear(const Rows& rows, const std::vector<Rows>& columns, std::size_t x, int slack) {
    for (std::size_t near = x == 0 ? 0 : x - 1; near <= x + 1 && near < columns.size(); ++near) {
        const Rows& other = columns[near];
        if (rows.has_value() == other.has_value() &&
            (!rows || (std::abs(rows->first - other->first) <= slack &&
                       std::abs(rows->second - other->second) <= slack)))
            return true;
    }
    return false;
}

// Column by column of `area` in `expected`, the curves cover the same rows
// in `actual` (at `offset`): a rasteriser may round a line's edge a few rows
// (`slack`) and a shape's edge a column differently from another. The rows
// compared are those of both curves, since where they overlap a line drawn a
// pixel wider shows one under the other; each curve must show in as many
// columns or more.
void expectSameCurves(const QImage& expected, const QImage& actual, QRect area, QPoint offset = {},
                      int slack = 2) {
    std::vector<Rows> want, got;
    int blue[2] = {}, yellow[2] = {};  // columns showing it: expected, actual
    for (int x = area.left() + 1; x < area.right(); ++x) {
        const int xActual = x + offset.x();
        want.push_back(rowsIn(expected, x, isCurve));
        got.push_back(rowsIn(actual, xActual, isCurve));
        if (got.back())
            got.back() = std::pair{got.back()->first - offset.y(), got.back()->second - offset.y()};
        blue[0] += rowsIn(expected, x, isBlue).has_value();
        blue[1] += rowsIn(actual, xActual, isBlue).has_value();
        yellow[0] += rowsIn(expected, x, isYellow).has_value();
        yellow[1] += rowsIn(actual, xActual, isYellow).has_value();
    }
    int differing = 0;
    for (std::size_t x = 0; x < want.size(); ++x)
        if (!matchesNear(want[x], got, x, slack) || !matchesNear(got[x], want, x, slack))
            ++differing;
    // A marker's edge column, or a curve's end, may go either way; a picture
    // laid out or scaled differently differs nearly everywhere. A curve hidden
    // under the other on screen may peek out from under a wider line.
    EXPECT_LE(differing, static_cast<int>(want.size() / 20));
    EXPECT_GE(blue[1], blue[0] - 3 - blue[0] / 30);
    EXPECT_GE(yellow[1], yellow[0] - 3 - yellow[0] / 30);
}

QByteArray contentOf(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& fileName, const QByteArray& content) {
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

class Saving : public ChartTest {
protected:
    void plotWorkedCase() {
        plotCurves({4, 5, 8, 15});
        draw();
    }
    QString path(const QString& name) const { return folder.filePath(name); }
    chart::ChartCommands commands() const { return chart::ChartCommands(*chart()); }

    // In memory where the system has it: the folder of 100,000 files below
    // takes seconds to make on some disks.
    QTemporaryDir folder{QDir("/dev/shm").exists() ? "/dev/shm/curveplot-saving-XXXXXX"
                                                   : QDir::tempPath() + "/curveplot-saving-XXXXXX"};
};

// ---------------------------------------------------------------------------
// Pictures: PNG and PDF (through pdftoppm, without antialiasing) read back
// show the curves in the screen's pixel columns. SVG is read as XML below:
// its renderers antialias, and blended curve colours can't be told apart.

enum class Output { Png, Pdf, PrintedPage };

struct PictureRow {
    std::string name;
    const char* fileName;
    Output output;
    double scale;
};

class SavedPicture : public Saving, public testing::WithParamInterface<PictureRow> {
protected:
    QImage saveAndReadBack() {
        const PictureRow& row = GetParam();
        const QString file = path(row.fileName);
        const QSize size = chart()->size();
        if (row.output == Output::PrintedPage) {
            QPrinter printer;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file);
            printer.setPageLayout(QPageLayout(
                QPageSize(QSizeF(size) * 0.75, QPageSize::Point, {}, QPageSize::ExactMatch),
                QPageLayout::Portrait, QMarginsF()));
            commands().printTo(printer);
        } else {
            commands().saveImage(file, row.scale);
        }
        switch (row.output) {
            case Output::Png:
                return QImage(file);
            case Output::Pdf:
            case Output::PrintedPage:
                return pdfPage(file);
        }
        return {};
    }
};

TEST_P(SavedPicture, ShowsTheCurvesWhereTheScreenDoes) {
    if (GetParam().output != Output::Png && kNoSuchFault) GTEST_SKIP() << kNoSuchFault;
    const double scale = GetParam().scale;
    for (const int span1 : {5, 200000, -1}) {  // worked case, dense, nothing (cleared)
        SCOPED_TRACE(span1);
        if (span1 < 0)
            chart()->RemoveAllSeries();
        else
            plotCurves({4, span1, 8, 15});
        QImage screen = chart()->grab().toImage();
        const QImage picture = saveAndReadBack();
        ASSERT_FALSE(picture.isNull());
        if (GetParam().output == Output::Png) {
            EXPECT_EQ(picture.size(), chart()->size() * chart()->devicePixelRatio() * scale);
        }
        if (scale != 1) screen = screen.scaled(picture.size());
        const QRect area(plotArea().topLeft() * scale, plotArea().size() * scale);
        expectSameCurves(screen, picture, area, {}, static_cast<int>(2 * scale));
    }
    EXPECT_TRUE(reports.empty()) << reports.front();
}

INSTANTIATE_TEST_SUITE_P(Formats, SavedPicture,
                         testing::Values(PictureRow{"Png", "chart.png", Output::Png, 1},
                                         PictureRow{"PngTwiceTheSize", "chart.PNG", Output::Png, 2},
                                         PictureRow{"Pdf", "chart.pdf", Output::Pdf, 1},
                                         PictureRow{"PrintedToAPdfFile", "printed.pdf",
                                                    Output::PrintedPage, 1}),
                         RowName());

// Each polyline or path of an SVG file with the stroke colour in force there
// and its number of points.
std::multiset<std::pair<QString, qsizetype>> svgLines(const QString& fileName) {
    QFile file(fileName);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader svg(&file);
    std::vector<QString> strokes{"none"};  // group by group
    std::multiset<std::pair<QString, qsizetype>> lines;
    while (!svg.atEnd()) {
        if (svg.readNext() == QXmlStreamReader::EndElement && svg.name() == u"g")
            strokes.pop_back();
        if (!svg.isStartElement()) continue;
        const QXmlStreamAttributes attributes = svg.attributes();
        if (svg.name() == u"g")
            strokes.push_back(attributes.hasAttribute("stroke")
                                  ? attributes.value("stroke").toString()
                                  : strokes.back());
        if (svg.name() == u"polyline" || svg.name() == u"path")
            lines.insert(
                {strokes.back(), attributes.value("points").split(' ', Qt::SkipEmptyParts).size()});
    }
    EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
    return lines;
}

TEST_F(Saving, SvgDrawsEachCurveInItsColourOneStrokePerPixelColumn) {
    if (!chart::kSvgSaving) GTEST_SKIP() << "this build writes no SVG (no Qt SVG for Windows)";
    plotWorkedCase();
    commands().saveImage(path("chart.svg"));
    auto lines = svgLines(path("chart.svg"));
    EXPECT_EQ(lines.count({"#0000ff", 6}), 1u);  // Series1: six points, one line
    EXPECT_EQ(lines.count({"#ffff00", 6}), 1u);

    plotCurves({4, 200000, 8, 15});  // 200,001 more points per series
    commands().saveImage(path("dense.svg"));
    lines = svgLines(path("dense.svg"));
    const qsizetype width = plotArea().width();
    for (const char* colour : {"#0000ff", "#ffff00"}) {
        SCOPED_TRACE(colour);
        qsizetype points = 0;
        for (const auto& [stroke, count] : lines)
            if (stroke == colour) points += count;
        // First, lowest, highest and last value of each column the curve crosses.
        EXPECT_GE(points, 2 * width);
        EXPECT_LE(points, 4 * (width + 2));
    }
}

TEST_F(Saving, APrintedPageIsTheChartLaidOutAtThePrintableAreasSize) {
    if (kNoSuchFault) GTEST_SKIP() << kNoSuchFault;
    plotWorkedCase();
    const double keyPixel = chartPlot().xAxis->coordToPixel(3);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path("page.pdf"));
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                      QMarginsF(10, 15, 10, 15), QPageLayout::Millimeter));
    commands().printTo(printer);
    // The chart on screen keeps its own layout.
    EXPECT_EQ(chartPlot().xAxis->coordToPixel(3), keyPixel);

    const QRect printable = printer.pageLayout().paintRectPixels(96);
    const QImage page = pdfPage(path("page.pdf"));
    EXPECT_EQ(page.pixel(printable.topLeft()), qRgb(255, 255, 255));  // not the window's grey
    chart()->resize(printable.size());
    draw();
    expectSameCurves(chart()->grab().toImage(), page, plotArea(), printable.topLeft());
    EXPECT_GT(plotArea().width(), 3 * 400 / 2);  // the page is wider than the chart on screen
}

TEST_F(Saving, PrintPreviewShowsOnePageTurnedToTheChartsShape) {
    plotWorkedCase();
    int pages = 0;
    QPageLayout::Orientation orientation{};
    onDialog<QPrintPreviewDialog>([&](QPrintPreviewDialog* preview) {
        pages = preview->findChild<QPrintPreviewWidget*>()->pageCount();
        orientation = preview->findChild<QPrintPreviewWidget*>()->orientation();
        preview->reject();
    });
    chart()->findChild<QAction*>("PrintPreview")->trigger();
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(orientation, QPageLayout::Landscape);  // 400 wide, 250 tall
    EXPECT_TRUE(reports.empty());
}

// ---------------------------------------------------------------------------
// Tables: Copy data's table (pinned to the worked case's exact text in
// chart_view_test.cpp), in the file's separator and line end, for all points,
// for those in view once zoomed, and for a cleared chart.

struct TableRow {
    std::string name;
    const char* fileName;
    QString separator, lineEnd;
};

class SavedTable : public Saving, public testing::WithParamInterface<TableRow> {};

TEST_P(SavedTable, HoldsCopyDatasRowsForAllPointsOrThoseInViewOnceZoomed) {
    const QString file = path(GetParam().fileName);
    for (const char* step : {"all", "zoomed", "cleared"}) {
        SCOPED_TRACE(step);
        if (step == std::string("all")) plotWorkedCase();
        if (step == std::string("zoomed"))
            chart()->View().show({{0.5, 2.5}, chart()->View().ranges().values});
        if (step == std::string("cleared")) chart()->RemoveAllSeries();
        commands().copyData();
        const QString copied = QApplication::clipboard()->text();
        EXPECT_TRUE(commands().saveData(file));
        EXPECT_EQ(contentOf(file).toStdString(), QString(copied)
                                                     .replace('\t', GetParam().separator)
                                                     .replace('\n', GetParam().lineEnd)
                                                     .toStdString());
        EXPECT_EQ(copied.count('\n'), step == std::string("cleared") ? 1
                                      : step == std::string("all")   ? 13
                                                                     : 5);
    }
    EXPECT_TRUE(reports.empty());
}

INSTANTIATE_TEST_SUITE_P(Formats, SavedTable,
                         testing::Values(TableRow{"Csv", "points.csv", ",", "\r\n"},
                                         TableRow{"Tsv", "points.tsv", "\t", "\n"}),
                         RowName());

// ---------------------------------------------------------------------------
// What is shown, said four ways: the axes, Copy data, Save data and the
// chart's description agree with the view model, after a gesture and right
// after new points arrive, before a paint has fitted them in.

TEST_F(Saving, AxesTablesAndDescriptionShowTheViewEvenBeforeAPaint) {
    const auto agree = [&](const char* step) {
        SCOPED_TRACE(step);
        commands().copyData();
        const QString copied = QApplication::clipboard()->text();
        ASSERT_TRUE(commands().saveData(path("points.tsv")));
        EXPECT_EQ(contentOf(path("points.tsv")), copied.toUtf8());
        const chart::ChartView& view = chart()->View();
        const chart::Range keys = view.ranges().keys, values = view.ranges().values;
        EXPECT_EQ(chartPlot().xAxis->range(), QCPRange(keys.lower, keys.upper));
        EXPECT_EQ(chartPlot().yAxis->range(), QCPRange(values.lower, values.upper));
        qsizetype shown = 0;
        std::size_t count = 0;
        for (const TLineSeries* s : chart()->SeriesOnChart()) {
            count = std::max(count, s->Points().size());
            for (std::size_t i = 0; i < s->Points().size(); ++i) {
                const double key = static_cast<double>(i), value = s->Points().value(i);
                shown += view.following() || (key >= keys.lower && key <= keys.upper &&
                                              value >= values.lower && value <= values.upper);
            }
        }
        EXPECT_EQ(copied.count('\n'), 1 + shown);
        const QString said =
            QAccessible::queryAccessibleInterface(chart())->text(QAccessible::Description);
        const double first = std::max(0.0, std::ceil(keys.lower));
        const double last = std::min(static_cast<double>(count) - 1, std::floor(keys.upper));
        EXPECT_EQ(said.endsWith(
                      QString("; showing points %1 to %2 of %3").arg(first).arg(last).arg(count)),
                  !view.following())
            << said.toStdString();
    };
    plotSpan(10);  // 11 points a series, more than the view before any point holds
    agree("following the points");
    QTest::keyClick(chart(), Qt::Key_Right);
    agree("panned with a key");
    plotSpan(10);
    agree("panned, 11 more points");
    QTest::keyClick(chart(), Qt::Key_Home);
    plotSpan(10);
    agree("following again, 11 more points");
    EXPECT_TRUE(reports.empty());
}

// ---------------------------------------------------------------------------
// The file dialogs.

TEST_F(Saving, DialogsSayWhatIsSavedAndAddTheChosenFiltersExtension) {
    plotWorkedCase();
    const auto chooseFilterAndName = [](QFileDialog* dialog, int filter, const QString& name) {
        auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
        for (int i = 0; i < filter; ++i) QTest::keyClick(types, Qt::Key_Down);
        auto* nameField = dialog->findChild<QLineEdit*>("fileNameEdit");
        nameField->setText(name);
        QTest::keyClick(nameField, Qt::Key_Return);
    };
    QString title;
    onDialog<QFileDialog>([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        chooseFilterAndName(dialog, 1, path("table"));
    });
    QTest::keyClick(chart(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(title, "Save data: all 12 points");
    EXPECT_TRUE(contentOf(path("table.tsv")).startsWith("series\tindex\tlabel\tvalue\n"));

    chart()->View().show({{0.5, 2.5}, chart()->View().ranges().values});
    onDialog<QFileDialog>([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        dialog->reject();
    });
    chart()->findChild<QAction*>("SaveData")->trigger();
    EXPECT_EQ(title, "Save data: 4 points in view");

    onDialog<QFileDialog>(
        [&](QFileDialog* dialog) { chooseFilterAndName(dialog, 1, path("twice")); });
    QTest::keyClick(chart(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(QImage(path("twice.png")).size(), chart()->size() * 2);

    EXPECT_EQ(filesIn(folder.path()), QStringList({"table.tsv", "twice.png"}));
    EXPECT_TRUE(reports.empty());
}

struct DialogRow {
    std::string name;
    // Into the name field, then Enter; "@/" stands for the test's folder.
    // Empty: the dialog opens on the test's folder, saved into last.
    QString typed;
    QString reason;     // of the failed save; empty: a folder, listed, then left with Escape
    int manyFiles = 0;  // made in the test's folder first
};

class DialogOn : public Saving, public testing::WithParamInterface<DialogRow> {};

TEST_P(DialogOn, StaysResponsiveAndKeepsTheNameAfterAnError) {
    const DialogRow& row = GetParam();
    if (row.typed.startsWith("/proc") && (kNoSuchFault || !runAsRoot()))
        GTEST_SKIP() << (kNoSuchFault ? kNoSuchFault : "needs root");
    makeFifo(path("pipe.csv"));
    for (int i = 0; i < row.manyFiles; ++i)
        QFile(path(QString::asprintf("%06d.csv", i))).open(QIODevice::WriteOnly);
    const QString typed = QString(row.typed).replace("@/", path(""));
    const QString listedFolder = typed.isEmpty() ? folder.path() : typed;
    if (typed.isEmpty()) Application->SetLastSaveFolder(folder.path());
    // An icon theme as a desktop may have one: hundreds of folders and no
    // cache of what they hold, so that each lookup of an icon it lacks
    // searches them all.
    QTemporaryDir themes;
    QDir(themes.path()).mkdir("uncached");
    QByteArray theme = "[Icon Theme]\nDirectories=", folders;
    for (int i = 0; i < 600; ++i) {
        theme += QByteArray::number(i) + ',';
        folders += "\n[" + QByteArray::number(i) + "]\nSize=16";
    }
    writeFile(themes.filePath("uncached/index.theme"), theme + folders);
    const QStringList searchPaths = QIcon::themeSearchPaths();
    QIcon::setThemeSearchPaths({themes.path()});
    QIcon::setThemeName("uncached");
    const auto restore = qScopeGuard([&] {
        Application->SetLastSaveFolder({});
        QIcon::setThemeSearchPaths(searchPaths);
        QIcon::setThemeName({});
    });
    endRunAfter(60);
    // The GUI thread answers all along: a timer's ticks are never long apart.
    QElapsedTimer sinceTick, sinceEscape;
    qint64 longestWait = 0;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, &ticks,
                     [&] { longestWait = std::max(longestWait, sinceTick.restart()); });
    sinceTick.start();
    ticks.start(20);
    bool listed = false;
    QString reopenedWith;
    onDialog<QFileDialog>([&](QFileDialog* dialog) {
        auto* model = dialog->findChild<QFileSystemModel*>();
        QObject::connect(model, &QFileSystemModel::directoryLoaded, dialog,
                         [&](const QString& loaded) { listed |= QDir(loaded) == listedFolder; });
        auto* nameField = dialog->findChild<QLineEdit*>("fileNameEdit");
        if (!typed.isEmpty()) {
            nameField->setText(typed);
            QTest::keyClick(nameField, Qt::Key_Return);
        }
        if (!row.reason.isEmpty())
            return onDialog<QFileDialog>([&](QFileDialog* again) {
                reopenedWith = again->findChild<QLineEdit*>("fileNameEdit")->text();
                again->reject();
            });
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return listed && model->rowCount(model->index(listedFolder)) >= row.manyFiles; },
            30000));
        sinceEscape.start();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    chart()->findChild<QAction*>("SaveData")->trigger();
    endRunAfter(0);
    const bool fails = !row.reason.isEmpty();
    const std::string message =
        QString("Cannot save %1: %2").arg(toolkit::quotedFileName(typed), row.reason).toStdString();
    EXPECT_EQ(reports, fails ? std::vector{message} : std::vector<std::string>{});
    EXPECT_EQ(reopenedWith, fails ? typed : "");
    EXPECT_TRUE(fails || sinceEscape.elapsed() < CURVEPLOT_ANSWER_MS);
    EXPECT_LT(longestWait, CURVEPLOT_ANSWER_MS);
    EXPECT_EQ(filesIn(folder.path()).size(), row.manyFiles);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, DialogOn,
    testing::Values(DialogRow{"Proc", "/proc", ""}, DialogRow{"FolderWithAFifo", "@/", ""},
                    DialogRow{"ProcFile", "/proc/a.csv", "no files can be created in the folder"},
                    DialogRow{"NameTooLong", "@/" + QString(256, 'n') + ".csv",
                              "File name too long"},
                    DialogRow{"NameWithALineBreak", "@/line1\nline2.csv",
                              "the name contains the control character \\n"}),
    RowName());

INSTANTIATE_TEST_SUITE_P(ManyFiles, DialogOn,
                         testing::Values(DialogRow{"Typed", "@/", "", 100'000},
                                         DialogRow{"SavedIntoLast", "", "", 100'000}),
                         RowName());

// ---------------------------------------------------------------------------
// Failures: the report names the file and the reason; nothing new appears in
// the folder and an existing file keeps its content.

enum class Command { Image, Data };

struct FailureRow {
    std::string name;
    Command command;
    std::string fileName;  // in a fresh folder; "ro/…" lies in a read-only one
    QString reason;
    bool existing;  // a file of that name is there before
};

class FailedSave : public Saving, public testing::WithParamInterface<FailureRow> {};

TEST_P(FailedSave, ReportsTheFileAndReasonAndChangesNothing) {
    const FailureRow& row = GetParam();
    if (kNoSuchFault && (row.fileName.starts_with("ro/") || row.reason == "File too large"))
        GTEST_SKIP() << kNoSuchFault;
    plotWorkedCase();
    const QString file = path(QString::fromStdString(row.fileName));
    QDir().mkpath(path("ro"));
    QDir().mkpath(path("folder.png"));
    QDir().mkpath(path("folder.csv"));
    if (row.existing) writeFile(file, "old");
    QFile::setPermissions(path("ro"), QFile::ReadOwner | QFile::ExeOwner);
    const QStringList before = filesIn(folder.path()), beforeInRo = filesIn(path("ro"));
    {
        [[maybe_unused]] const WithoutRootsFileAccess readOnlyMeansReadOnly;
        [[maybe_unused]] const FileSizeLimit limit(row.reason == "File too large" ? 100
                                                                                  : kNoSizeLimit);
        RunGuarded([&] {
            if (row.command == Command::Image)
                commands().saveImage(file);
            else
                commands().saveData(file);
        });
    }
    QFile::setPermissions(path("ro"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(reports, std::vector<std::string>{QString("Cannot save %1: %2")
                                                    .arg(toolkit::quotedFileName(file), row.reason)
                                                    .toStdString()});
    EXPECT_EQ(filesIn(folder.path()), before);
    EXPECT_EQ(filesIn(path("ro")), beforeInRo);
    if (row.existing) {
        EXPECT_EQ(contentOf(file), "old");
    }

    // The window keeps working: the same save to a good name succeeds.
    reports.clear();
    commands().saveData(path("after.csv"));
    EXPECT_TRUE(reports.empty());
}

std::vector<FailureRow> failureRows() {
    std::vector<FailureRow> rows;
    for (const auto& row :
         {std::tuple{Command::Image, "Image", ".png"}, std::tuple{Command::Data, "Data", ".csv"}}) {
        // Named, not bound: clang 14's lambdas cannot capture structured bindings.
        const Command command = std::get<0>(row);
        const std::string kind = std::get<1>(row), extension = std::get<2>(row);
        const auto named = [&](const char* name, const char* file, QString reason, bool existing) {
            rows.push_back({kind + name, command, file + extension, std::move(reason), existing});
        };
        named("ReadOnlyFolder", "ro/chart", "Permission denied", true);
        named("MissingFolder", "gone/chart", "the folder does not exist", false);
        named("FolderOfThatName", "folder", "Filename refers to a directory", false);
        named("FailsMidway", "chart", "File too large", true);
        named("NameWithATab", "a\tb", "the name contains the control character \\t", false);
        rows.push_back({kind + "NameWithANul", command, std::string("a\0b", 3) + extension,
                        "the name contains the control character \\u{0}", false});
    }
    rows.push_back({"ImageNameWithoutExtension", Command::Image, "chart",
                    chart::kSvgSaving ? "name it .png, .svg or .pdf to choose the format"
                                      : "name it .png or .pdf to choose the format",
                    false});
    rows.push_back({"DataNameWithoutExtension", Command::Data, "points",
                    "name it .csv (comma-separated) or .tsv (tab-separated)", false});
    rows.push_back({"DataUnknownExtension", Command::Data, "points.xls",
                    "name it .csv (comma-separated) or .tsv (tab-separated)", true});
    return rows;
}

INSTANTIATE_TEST_SUITE_P(Cases, FailedSave, testing::ValuesIn(failureRows()), RowName());

TEST_F(Saving, CancellingALongSaveWritesNothingAndKeepsTheOldFile) {
    plotCurves({4, 16777215, 8, 15});  // 33.5 million rows, seconds to write
    writeFile(path("points.csv"), "old");
    bool progressShown = false;
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, &cancel, [&] {
        for (auto* progress : chart()->findChildren<QProgressDialog*>())
            if (progress->isVisible()) {
                progressShown = true;
                progress->cancel();
            }
    });
    cancel.start(20);
    EXPECT_FALSE(commands().saveData(path("points.csv")));
    EXPECT_TRUE(progressShown);
    EXPECT_EQ(contentOf(path("points.csv")), "old");
    EXPECT_EQ(filesIn(folder.path()), QStringList{"points.csv"});
    EXPECT_TRUE(reports.empty());
}

}  // namespace
