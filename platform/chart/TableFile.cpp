#include "platform/chart/TableFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>
#include <optional>

#include "platform/conversions/Exception.h"
#include "platform/toolkit/AtomicFileWriter.h"
#include "platform/toolkit/WorkProgress.h"

namespace chart {

namespace {

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
        throw Exception(
            toolkit::cannotSaveMessage(
                fileName, QCoreApplication::translate(
                              "chart", "name it .csv (comma-separated) or .tsv (tab-separated)"))
                .toStdString());
    toolkit::AtomicFileWriter file(fileName);

    toolkit::WorkProgress progress(
        parent, QCoreApplication::translate("chart", "Save data"),
        QCoreApplication::translate("chart", "Saving %1…").arg(toolkit::quotedFileName(fileName)),
        QCoreApplication::translate("chart",
                                    "Stop saving %1 and close the window?\n\nThe file is then "
                                    "not written, and a file of that name keeps its content.")
            .arg(toolkit::quotedFileName(fileName)));
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

}  // namespace chart
