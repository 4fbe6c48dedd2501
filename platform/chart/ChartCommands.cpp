#include "platform/chart/ChartCommands.h"

#include <QApplication>
#include <QClipboard>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>
#include <optional>

#include "platform/chart/Chart.h"
#include "platform/chart/ChartExport.h"
#include "platform/chart/ChartPlot.h"
#include "platform/chart/FileFormats.h"
#include "platform/chart/ViewRangeDialog.h"
#include "platform/conversions/Exception.h"
#include "platform/toolkit/Application.h"
#include "platform/toolkit/AtomicFileWriter.h"
#include "platform/toolkit/FileDialogs.h"
#include "platform/toolkit/WorkProgress.h"
#include "plot/number_text.h"
#include "series/PointTable.h"

namespace chart {

namespace {

series::ViewRect viewRect(const ViewRanges& view) {
    return {view.keys.lower, view.keys.upper, view.values.lower, view.values.upper};
}

QString digits(std::size_t count) { return QString::fromStdString(plot::groupedDigits(count)); }

}  // namespace

void ChartCommands::previousView() { chart_.View().back(); }
void ChartCommands::nextView() { chart_.View().forward(); }
void ChartCommands::editViewRange() { ViewRangeDialog(chart_).exec(); }
void ChartCommands::resetView() { chart_.View().reset(); }

void ChartCommands::toggleValueAxis() {
    ChartPlot& plot = plotOf(chart_);
    plot.showValueAxis(!plot.valueAxisShown());
}

const ChartView& ChartCommands::upToDateView() {
    plotOf(chart_).bringUpToDate();
    return chart_.View();
}

// The series shown, by name, for the tables of Copy data and Save data.
std::vector<series::NamedSeries> ChartCommands::namedSeries() const {
    std::vector<series::NamedSeries> named;
    for (const TLineSeries* s : chart_.SeriesOnChart())
        named.push_back({s->objectName().toStdString(), &s->Points()});
    return named;
}

std::vector<series::TableSlice> ChartCommands::pointsToSave() {
    const ChartView& view = upToDateView();
    return series::tableSlices(namedSeries(),
                               view.following() ? series::kEverywhere : viewRect(view.ranges()));
}

void ChartCommands::copyData() {
    const std::vector<series::TableSlice> slices =
        series::tableSlices(namedSeries(), viewRect(upToDateView().ranges()));
    const std::size_t count = series::rowCount(slices);
    if (count > series::kMaxTableRows)
        throw conversions::Exception(tr("Too many points to copy (%1): zoom in to %2 or fewer")
                                         .arg(digits(count), digits(series::kMaxTableRows))
                                         .toStdString());
    QApplication::clipboard()->setText(QString::fromStdString(series::pointTable(slices, count)));
}

void ChartCommands::copyImage() { QApplication::clipboard()->setImage(chart_.grab().toImage()); }

void ChartCommands::saveImageAs() {
    const QString pngTwice = tr("PNG image, twice the size (*.png)");
    QStringList filters{tr("PNG image (*.png)"), pngTwice};
    if (kSvgSaving) filters << tr("SVG drawing (*.svg)");
    filters << tr("PDF document (*.pdf)");
    toolkit::saveThroughDialog(
        &chart_, tr("Save image"), filters, tr("chart"), [&](const toolkit::ChosenFile& file) {
            const bool twice =
                file.filter == pngTwice && imageFormatFor(file.name) == ImageFormat::Png;
            saveImage(file.name, twice ? 2 : 1);
        });
}

void ChartCommands::saveImage(const QString& fileName, double scale) {
    const std::optional<ImageFormat> format = imageFormatFor(fileName);
    if (!format)
        throw conversions::Exception(
            toolkit::cannotSaveMessage(
                fileName, kSvgSaving ? tr("name it .png, .svg or .pdf to choose the format")
                                     : tr("name it .png or .pdf to choose the format"))
                .toStdString());
    plotOf(chart_).bringUpToDate();  // points appended since the last paint are in the picture
    ChartExport(plotOf(chart_), chart_.objectName())
        .save(fileName, *format, scale * chart_.devicePixelRatioF());
}

void ChartCommands::saveDataAs() {
    // The dialog is modal: what its title counts is what gets saved.
    const std::vector<series::TableSlice> slices = pointsToSave();
    const std::size_t count = series::rowCount(slices);
    const QString points = count == 1 ? tr("1 point") : tr("%1 points").arg(digits(count));
    const QString title = chart_.View().following() ? tr("Save data: all %1").arg(points)
                                                    : tr("Save data: %1 in view").arg(points);
    toolkit::saveThroughDialog(
        &chart_, title, {tr("CSV, comma-separated (*.csv)"), tr("TSV, tab-separated (*.tsv)")},
        tr("points"),
        [&](const toolkit::ChosenFile& file) { writeTable(slices, count, file.name); });
}

bool ChartCommands::saveData(const QString& fileName) {
    const std::vector<series::TableSlice> slices = pointsToSave();
    return writeTable(slices, series::rowCount(slices), fileName);
}

// `rowCount` is rowCount(slices), for the progress.
bool ChartCommands::writeTable(const std::vector<series::TableSlice>& slices, std::size_t rowCount,
                               const QString& fileName) {
    const std::optional<series::TableFormat> format = tableFormatFor(fileName);
    if (!format)
        throw conversions::Exception(
            toolkit::cannotSaveMessage(fileName,
                                       tr("name it .csv (comma-separated) or .tsv (tab-separated)"))
                .toStdString());
    toolkit::AtomicFileWriter file(fileName);
    const QString name = toolkit::quotedFileName(fileName);
    toolkit::WorkProgress progress(&chart_, tr("Save data"), tr("Saving %1…").arg(name),
                                   tr("Stop saving %1 and close the window?\n\nThe file is then "
                                      "not written, and a file of that name keeps its content.")
                                       .arg(name));
    const double rows = static_cast<double>(std::max<std::size_t>(1, rowCount));
    const bool complete =
        series::writeTable(slices, *format, [&](std::string_view text, std::size_t rowsWritten) {
            file.write(text);
            return progress.advance(static_cast<double>(rowsWritten) / rows);
        });
    if (!complete) return false;  // the temporary file goes with `file`
    file.commit();
    return true;
}

void ChartCommands::print() {
    QPrinter printer;
    ChartExport(plotOf(chart_), chart_.objectName()).orientPage(printer);
    QPrintDialog dialog(&printer, &chart_);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() == QDialog::Accepted) printTo(printer);
}

void ChartCommands::printPreview() {
    QPrinter printer;
    ChartExport(plotOf(chart_), chart_.objectName()).orientPage(printer);
    QPrintPreviewDialog preview(&printer, &chart_);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &chart_,
                     [this](QPrinter* target) { RunGuarded([&] { printTo(*target); }); });
    preview.exec();
}

void ChartCommands::printTo(QPrinter& printer) {
    plotOf(chart_).bringUpToDate();
    ChartExport(plotOf(chart_), chart_.objectName()).print(printer);
}

}  // namespace chart
