#include "platform/chart/ChartCommands.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "platform/chart/Chart.h"
#include "platform/chart/ChartExport.h"
#include "platform/chart/ChartView.h"
#include "platform/chart/TableFile.h"
#include "platform/conversions/Exception.h"
#include "platform/toolkit/Application.h"
#include "platform/toolkit/AtomicFileWriter.h"
#include "platform/toolkit/FileDialogs.h"
#include "plot/number_text.h"
#include "series/TableWriter.h"

namespace chart {

namespace {

// The commands' texts, in the user's language.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(chart::Commands)
};

QString pngFilter() { return Texts::tr("PNG image (*.png)"); }
QString pngDoubleFilter() { return Texts::tr("PNG image, twice the size (*.png)"); }

QStringList imageFilters() {
    QStringList filters{pngFilter(), pngDoubleFilter()};
    if (kSvgSaving) filters << Texts::tr("SVG drawing (*.svg)");
    return filters << Texts::tr("PDF document (*.pdf)");
}

QString pointCount(std::size_t count) {
    const QString digits = QString::fromStdString(plot::groupedDigits(count));
    return count == 1 ? Texts::tr("1 point") : Texts::tr("%1 points").arg(digits);
}

// The series shown, by name, for the tables of Copy data and Save data.
std::vector<series::NamedSeries> namedSeries(const TChart& chart) {
    std::vector<series::NamedSeries> named;
    for (const TLineSeries* s : chart.SeriesOnChart())
        named.push_back({s->objectName().toStdString(), &s->Points()});
    return named;
}

std::vector<series::TableSlice> pointsToSave(const TChart& chart) {
    return series::tableSlices(namedSeries(chart),
                               chart.View().following() ? series::kEverywhere : viewRect(chart));
}

void saveImageAs(TChart& chart) {
    toolkit::saveThroughDialog(&chart, Texts::tr("Save image"), imageFilters(), Texts::tr("chart"),
                               [&chart](const toolkit::ChosenFile& file) {
                                   const bool twice = file.filter == pngDoubleFilter() &&
                                                      imageFormatFor(file.name) == ImageFormat::Png;
                                   saveImage(chart, file.name, twice ? 2 : 1);
                               });
}

void saveDataAs(TChart& chart) {
    // The dialog is modal: what its title counts is what gets saved.
    const std::vector<series::TableSlice> slices = pointsToSave(chart);
    const std::size_t count = series::rowCount(slices);
    const QString title = chart.View().following()
                              ? Texts::tr("Save data: all %1").arg(pointCount(count))
                              : Texts::tr("Save data: %1 in view").arg(pointCount(count));
    toolkit::saveThroughDialog(
        &chart, title,
        {Texts::tr("CSV, comma-separated (*.csv)"), Texts::tr("TSV, tab-separated (*.tsv)")},
        Texts::tr("points"),
        [&](const toolkit::ChosenFile& file) { saveTableFile(slices, count, file.name, &chart); });
}

void print(TChart& chart) {
    QPrinter printer;
    orientPage(chart, printer);
    QPrintDialog dialog(&printer, &chart);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() == QDialog::Accepted) printTo(chart, printer);
}

void printPreview(TChart& chart) {
    QPrinter printer;
    orientPage(chart, printer);
    QPrintPreviewDialog preview(&printer, &chart);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &chart,
                     [&chart](QPrinter* target) { RunGuarded([&] { printTo(chart, *target); }); });
    preview.exec();
}

}  // namespace

series::ViewRect viewRect(const TChart& chart) {
    return {chart.xAxis->range().lower, chart.xAxis->range().upper, chart.yAxis->range().lower,
            chart.yAxis->range().upper};
}

void copyData(const TChart& chart) {
    const std::vector<series::TableSlice> slices =
        series::tableSlices(namedSeries(chart), viewRect(chart));
    const std::size_t count = series::rowCount(slices);
    if (count > series::kMaxTableRows)
        throw Exception(Texts::tr("Too many points to copy (%1): zoom in to %2 or fewer")
                            .arg(QString::fromStdString(plot::groupedDigits(count)),
                                 QString::fromStdString(plot::groupedDigits(series::kMaxTableRows)))
                            .toStdString());
    QApplication::clipboard()->setText(QString::fromStdString(series::pointTable(slices, count)));
}

void copyImage(TChart& chart) { QApplication::clipboard()->setImage(chart.grab().toImage()); }

void saveImage(TChart& chart, const QString& fileName, double scale) {
    const std::optional<ImageFormat> format = imageFormatFor(fileName);
    if (!format)
        throw Exception(
            toolkit::cannotSaveMessage(
                fileName, kSvgSaving ? Texts::tr("name it .png, .svg or .pdf to choose the format")
                                     : Texts::tr("name it .png or .pdf to choose the format"))
                .toStdString());
    chart.BringUpToDate();  // points appended since the last paint are in the picture
    QByteArray bytes;
    try {
        bytes = chartImage(chart, *format, scale * chart.devicePixelRatioF());
    } catch (const Exception& error) {
        throw Exception(
            toolkit::cannotSaveMessage(fileName, QString::fromStdString(error.Message()))
                .toStdString());
    }
    toolkit::AtomicFileWriter file(fileName);
    file.write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    file.commit();
}

bool saveData(TChart& chart, const QString& fileName) {
    const std::vector<series::TableSlice> slices = pointsToSave(chart);
    return saveTableFile(slices, series::rowCount(slices), fileName, &chart);
}

void printTo(TChart& chart, QPrinter& printer) {
    chart.BringUpToDate();
    printChart(chart, printer);
}

std::vector<ChartCommand> chartCommands() {
    const auto keys = [](QKeySequence::StandardKey standard) {
        return QKeySequence::keyBindings(standard);
    };
    return {
        {QT_TRANSLATE_NOOP("chart::ChartMenu", "Copy data"), "CopyData", keys(QKeySequence::Copy),
         [](TChart& c) { copyData(c); }},
        {QT_TRANSLATE_NOOP("chart::ChartMenu", "Copy image"), "CopyImage", {}, copyImage},
        {},
        {QT_TRANSLATE_NOOP("chart::ChartMenu", "Save image…"),
         "SaveImage",
         {Qt::CTRL | Qt::Key_S},
         saveImageAs},
        {QT_TRANSLATE_NOOP("chart::ChartMenu", "Save data…"),
         "SaveData",
         {Qt::CTRL | Qt::SHIFT | Qt::Key_S},
         saveDataAs},
        {},
        {QT_TRANSLATE_NOOP("chart::ChartMenu", "Print…"), "Print", {Qt::CTRL | Qt::Key_P}, print},
        {QT_TRANSLATE_NOOP("chart::ChartMenu", "Print preview…"), "PrintPreview", {}, printPreview},
    };
}

}  // namespace chart
