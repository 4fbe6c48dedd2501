// TChart's save and print commands: the dialogs in front and the seams behind
// them that take a file name or a printer.

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "platform/Application.h"
#include "platform/AtomicFileWriter.h"
#include "platform/Chart.h"
#include "platform/ChartExport.h"
#include "platform/Exception.h"
#include "platform/SaveDialogs.h"
#include "platform/TableFile.h"

namespace {

const QString kPngFilter = QStringLiteral("PNG image (*.png)");
const QString kPngDoubleFilter = QStringLiteral("PNG image, twice the size (*.png)");

QString pointCount(std::size_t count) {
    return QString::fromStdString(groupedDigits(count)) + (count == 1 ? " point" : " points");
}

}  // namespace

void TChart::addMenuCommand(const char* text, const char* name, const QKeySequence& keys,
                            void (TChart::*command)()) {
    QAction* action =
        menu_->addAction(text, this, [this, command] { RunGuarded([&] { (this->*command)(); }); });
    action->setObjectName(name);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetShortcut);  // the keys go through keyPressEvent
}

void TChart::SaveImage(const QString& fileName, double scale) {
    const std::optional<ImageFormat> format = imageFormatFor(fileName);
    if (!format)
        throw Exception(
            cannotSaveMessage(fileName, "name it .png, .svg or .pdf to choose the format")
                .toStdString());
    applyPendingRedraw();  // points appended since the last paint are in the picture
    QByteArray bytes;
    try {
        bytes = chartImage(*this, *format, scale * devicePixelRatioF());
    } catch (const Exception& error) {
        throw Exception(
            cannotSaveMessage(fileName, QString::fromStdString(error.Message())).toStdString());
    }
    AtomicFileWriter file(fileName);
    file.write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    file.commit();
}

std::vector<TableSlice> TChart::pointsToSave() const {
    return tableSlices(namedSeries(), following_ ? kEverywhere : view());
}

bool TChart::SaveData(const QString& fileName) {
    const std::vector<TableSlice> slices = pointsToSave();
    return saveTableFile(slices, rowCount(slices), fileName, this);
}

void TChart::PrintTo(QPrinter& printer) {
    applyPendingRedraw();
    printChart(*this, printer);
}

void TChart::SaveImageAs() {
    const std::optional<ChosenFile> file = askFileToSave(
        this, "Save image",
        {kPngFilter, kPngDoubleFilter, "SVG drawing (*.svg)", "PDF document (*.pdf)"}, "chart");
    if (!file) return;
    const bool twice =
        file->filter == kPngDoubleFilter && imageFormatFor(file->name) == ImageFormat::Png;
    SaveImage(file->name, twice ? 2 : 1);
}

void TChart::SaveDataAs() {
    // The dialog is modal: what its title counts is what gets saved.
    const std::vector<TableSlice> slices = pointsToSave();
    const std::size_t count = rowCount(slices);
    const QString which = following_ ? "all " + pointCount(count) : pointCount(count) + " in view";
    const std::optional<ChosenFile> file =
        askFileToSave(this, "Save data: " + which,
                      {"CSV, comma-separated (*.csv)", "TSV, tab-separated (*.tsv)"}, "points");
    if (file) saveTableFile(slices, count, file->name, this);
}

void TChart::Print() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() == QDialog::Accepted) PrintTo(printer);
}

void TChart::PrintPreview() {
    QPrinter printer;
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { RunGuarded([&] { PrintTo(*target); }); });
    preview.exec();
}
