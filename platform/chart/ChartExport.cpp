#include "platform/chart/ChartExport.h"

#include <qcustomplot.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImageWriter>
#include <QPdfWriter>
#include <QPrinter>
#ifdef CURVEPLOT_SVG
#include <QSvgGenerator>
#endif

#include "platform/conversions/Exception.h"
#include "platform/toolkit/AtomicFileWriter.h"

namespace chart {

namespace {

QSize chartSize(const QCustomPlot& chart) {
    if (chart.width() <= 0 || chart.height() <= 0)
        throw Exception(
            QCoreApplication::translate("chart", "the chart has no size to draw").toStdString());
    return chart.size();
}

// Draws the chart laid out at `size` (in chart pixels) into `device`, as
// vectors, with its top left at the device's origin. Laying the chart out at
// another size moves its axes; the screen gets its own layout back at once,
// since the pointer readout and zooming read the axes.
void drawChart(QCustomPlot& chart, QPaintDevice& device, QSize size,
               const QString& failure = QCoreApplication::translate("chart",
                                                                    "the chart cannot be drawn")) {
    QCPPainter painter;
    if (!painter.begin(&device)) throw Exception(failure.toStdString());
    painter.setMode(QCPPainter::pmVectorized);
    chart.toPainter(&painter, size.width(), size.height());
    painter.end();
    if (size != chart.size()) chart.replot(QCustomPlot::rpImmediateRefresh);
}

QByteArray pngImage(QCustomPlot& chart, double pixelScale) {
    const QSize size = chartSize(chart);
    const QPixmap pixels = chart.toPixmap(size.width(), size.height(), pixelScale);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (pixels.isNull() || !writer.write(pixels.toImage()))
        throw Exception(QCoreApplication::translate("chart", "the PNG image cannot be made: %1")
                            .arg(writer.errorString())
                            .toStdString());
    return bytes;
}

QByteArray svgImage([[maybe_unused]] QCustomPlot& chart) {
#ifdef CURVEPLOT_SVG
    const QSize size = chartSize(chart);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(), size));
    svg.setResolution(chart.logicalDpiX());
    svg.setTitle(chart.objectName());
    drawChart(chart, svg, size);
    return bytes;
#else
    return {};
#endif
}

// Printed, the chart is laid out at 96 pixels an inch, the density its sizes
// are given for (an 11-pixel font is 8¼ points), whatever the screen's logical
// DPI: laid out at a 120-DPI screen's, its text came out at 6½ points.
constexpr int kPaperPixelsPerInch = 96;

// A PDF writer whose device pixels are `pixelsPerInch`: the screen's logical
// pixels for a picture, so that fonts given in points take the share of the
// chart they take on screen, or paper pixels for a printed page.
void usePixels(QPdfWriter& pdf, const QCustomPlot& chart, int pixelsPerInch) {
    pdf.setResolution(pixelsPerInch);
    pdf.setCreator(QStringLiteral("curveplot"));
    pdf.setTitle(chart.objectName());
}

QByteArray pdfImage(QCustomPlot& chart) {
    const QSize size = chartSize(chart);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    usePixels(pdf, chart, chart.logicalDpiX());
    const QSizeF points = QSizeF(size) * 72.0 / chart.logicalDpiX();
    pdf.setPageLayout(
        QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                    QPageLayout::Portrait, QMarginsF()));
    drawChart(chart, pdf, size);
    return bytes;
}

// The chart laid out at the size of the device's paintable area: it fills
// the page in both directions, with text and lines at their screen size. Only
// the chart is printed: around its plot the paper shows, not the window's
// colour, which is the chart's background on screen (TChart).
void drawFilling(QCustomPlot& chart, QPaintDevice& device) {
    struct WindowColourBack {
        QCustomPlot& chart;
        ~WindowColourBack() { chart.setBackground(chart.palette().window()); }
    } onScreenAgain{chart};
    chart.setBackground(QBrush(Qt::NoBrush));
    drawChart(chart, device, QSize(device.width(), device.height()),
              QCoreApplication::translate("chart", "Cannot print: the printer cannot be opened"));
}

}  // namespace

std::optional<ImageFormat> imageFormatFor(const QString& fileName) {
    const QString extension = QFileInfo(fileName).suffix().toLower();
    if (extension == "png") return ImageFormat::Png;
    if (kSvgSaving && extension == "svg") return ImageFormat::Svg;
    if (extension == "pdf") return ImageFormat::Pdf;
    return std::nullopt;
}

QByteArray chartImage(QCustomPlot& chart, ImageFormat format, double pixelScale) {
    switch (format) {
        case ImageFormat::Png:
            return pngImage(chart, pixelScale);
        case ImageFormat::Svg:
            return svgImage(chart);
        case ImageFormat::Pdf:
            return pdfImage(chart);
    }
    return {};
}

void orientPage(const QCustomPlot& chart, QPrinter& printer) {
    printer.setPageOrientation(chart.width() > chart.height() ? QPageLayout::Landscape
                                                              : QPageLayout::Portrait);
}

void printChart(QCustomPlot& chart, QPrinter& printer) {
    chartSize(chart);
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        toolkit::AtomicFileWriter file(printer.outputFileName());
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter pdf(&buffer);
            usePixels(pdf, chart, kPaperPixelsPerInch);
            pdf.setPageLayout(printer.pageLayout());
            drawFilling(chart, pdf);
        }
        file.write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        file.commit();
        return;
    }
    printer.setResolution(kPaperPixelsPerInch);
    if (printer.docName().isEmpty()) printer.setDocName(chart.objectName());
    drawFilling(chart, printer);
}

}  // namespace chart
