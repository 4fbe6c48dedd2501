#include "platform/chart/TableFile.h"

#include <QFileInfo>
#include <QProgressDialog>
#include <optional>

#include "platform/conversions/Exception.h"
#include "platform/toolkit/AtomicFileWriter.h"

namespace chart {

namespace {

constexpr int kShowProgressAfterMs = 500;
constexpr int kProgressSteps = 1000;

// The format a file name's extension asks for (.csv or .tsv, any case).
std::optional<series::TableFormat> tableFormatFor(const QString& fileName) {
    const QString extension = QFileInfo(fileName).suffix().toLower();
    if (extension == "csv") return series::TableFormat::Csv;
    if (extension == "tsv") return series::TableFormat::Tsv;
    return std::nullopt;
}

}  // namespace

bool saveTableFile(const std::vector<series::TableSlice>& slices, std::size_t rowCount,
                   const QString& fileName, QWidget* parent) {
    const std::optional<series::TableFormat> format = tableFormatFor(fileName);
    if (!format)
        throw Exception(toolkit::cannotSaveMessage(fileName,
                                                   "name it .csv (comma-separated) or .tsv "
                                                   "(tab-separated)")
                            .toStdString());
    toolkit::AtomicFileWriter file(fileName);

    QProgressDialog progress(QStringLiteral("Saving %1…").arg(fileName), QStringLiteral("Cancel"),
                             0, kProgressSteps, parent);
    progress.setWindowTitle(QStringLiteral("Save data"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kShowProgressAfterMs);
    progress.setAutoReset(false);
    progress.setValue(0);
    const double rows = static_cast<double>(std::max<std::size_t>(1, rowCount));
    const bool complete =
        series::writeTable(slices, *format, [&](std::string_view text, std::size_t rowsWritten) {
            file.write(text);
            // Once shown, the modal dialog handles events here: a click on Cancel.
            progress.setValue(
                static_cast<int>(kProgressSteps * (static_cast<double>(rowsWritten) / rows)));
            return !progress.wasCanceled();
        });
    if (!complete) return false;  // the temporary file goes with `file`
    file.commit();
    return true;
}

}  // namespace chart
