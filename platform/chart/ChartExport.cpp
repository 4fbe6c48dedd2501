#include "platform/chart/ChartExport.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPdfWriter>
#include <QPrinter>
#ifdef CURVEPLOT_SVG
#include <QSvgGenerator>
#endif
#include <string_view>
#include <utility>

#include "platform/chart/ChartPlot.h"
#include "platform/conversions/Exception.h"
#include "platform/toolkit/AtomicFileWriter.h"

namespace chart {

namespace {

// Printed, the chart is laid out at 96 pixels an inch, the density its sizes
// are given for (an 11-pixel font is 8¼ points), whatever the screen's logical
// DPI: laid out at a 120-DPI screen's, its text came out at 6½ points.
constexpr int kPaperPixelsPerInch = 96;

// What `write` writes into a file in memory.
template <class Write>
QByteArray bytesWrittenBy(Write write) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    write(buffer);
    return bytes;
}

void writeWhole(const QString& fileName, const QByteArray& bytes) {
    toolkit::AtomicFileWriter file(fileName);
    file.write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    file.commit();
}

// A PDF writer whose device pixels are `pixelsPerInch`: the screen's logical
// pixels for a picture, so that fonts given in points take the share of the
// chart they take on screen, or paper pixels for a printed page.
void usePixels(QPdfWriter& pdf, const QString& title, int pixelsPerInch) {
    pdf.setResolution(pixelsPerInch);
    pdf.setCreator(QStringLiteral("curveplot"));
    pdf.setTitle(title);
}

}  // namespace

ChartExport::ChartExport(ChartPlot& plot, QString name) : plot_(plot), name_(std::move(name)) {}

void ChartExport::save(const QString& fileName, ImageFormat format, double pixelScale) {
    QByteArray bytes;
    try {
        bytes = image(format, pixelScale);
    } catch (const conversions::Exception& error) {
        throw conversions::Exception(
            toolkit::cannotSaveMessage(fileName, QString::fromStdString(error.Message()))
                .toStdString());
    }
    writeWhole(fileName, bytes);
}

void ChartExport::checkHasSize() const {
    if (plot_.width() <= 0 || plot_.height() <= 0)
        throw conversions::Exception(tr("the chart has no size to draw").toStdString());
}

QByteArray ChartExport::image(ImageFormat format, double pixelScale) {
    checkHasSize();
    switch (format) {
        case ImageFormat::Png:
            return png(pixelScale);
        case ImageFormat::Svg:
            return svg();
        case ImageFormat::Pdf:
            return pdf();
    }
    return {};
}

QByteArray ChartExport::png(double pixelScale) {
    const QPixmap pixels = plot_.toPixmap(plot_.width(), plot_.height(), pixelScale);
    return bytesWrittenBy([&](QBuffer& buffer) {
        QImageWriter writer(&buffer, "png");
        if (pixels.isNull() || !writer.write(pixels.toImage()))
            throw conversions::Exception(
                tr("the PNG image cannot be made: %1").arg(writer.errorString()).toStdString());
    });
}

QByteArray ChartExport::svg() {
#ifdef CURVEPLOT_SVG
    return bytesWrittenBy([&](QBuffer& buffer) {
        const QSize size = plot_.size();
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(), size));
        svg.setResolution(plot_.logicalDpiX());
        svg.setTitle(name_);
        drawLaidOutAt(size, svg, tr("the chart cannot be drawn"));
    });
#else
    return {};  // imageFormatFor names no SVG here
#endif
}

QByteArray ChartExport::pdf() {
    return bytesWrittenBy([&](QBuffer& buffer) {
        QPdfWriter pdf(&buffer);
        usePixels(pdf, name_, plot_.logicalDpiX());
        const QSizeF points = QSizeF(plot_.size()) * 72.0 / plot_.logicalDpiX();
        pdf.setPageLayout(
            QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                        QPageLayout::Portrait, QMarginsF()));
        drawLaidOutAt(plot_.size(), pdf, tr("the chart cannot be drawn"));
    });
}

// Laying the chart out at another size moves its axes; the screen gets its
// own layout back at once, since the pointer readout and zooming read the axes.
void ChartExport::drawLaidOutAt(QSize size, QPaintDevice& device, const QString& failure) {
    QCPPainter painter;
    if (!painter.begin(&device)) throw conversions::Exception(failure.toStdString());
    painter.setMode(QCPPainter::pmVectorized);
    plot_.toPainter(&painter, size.width(), size.height());
    painter.end();
    if (size != plot_.size()) plot_.replot(QCustomPlot::rpImmediateRefresh);
}

// The chart laid out at the size of the device's paintable area: it fills
// the page in both directions, with text and lines at their screen size. Only
// the chart is printed: around its plot the paper shows, not the window's
// colour, which is the chart's background on screen (ChartPlot).
void ChartExport::drawFilling(QPaintDevice& device) {
    struct WindowColourBack {
        ChartPlot& plot;
        ~WindowColourBack() { plot.setBackground(plot.palette().window()); }
    } onScreenAgain{plot_};
    plot_.setBackground(QBrush(Qt::NoBrush));
    drawLaidOutAt(QSize(device.width(), device.height()), device,
                  tr("Cannot print: the printer cannot be opened"));
}

void ChartExport::orientPage(QPrinter& printer) const {
    printer.setPageOrientation(plot_.width() > plot_.height() ? QPageLayout::Landscape
                                                              : QPageLayout::Portrait);
}

void ChartExport::print(QPrinter& printer) {
    checkHasSize();
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        writeWhole(printer.outputFileName(), bytesWrittenBy([&](QBuffer& buffer) {
                       QPdfWriter pdf(&buffer);
                       usePixels(pdf, name_, kPaperPixelsPerInch);
                       pdf.setPageLayout(printer.pageLayout());
                       drawFilling(pdf);
                   }));
        return;
    }
    printer.setResolution(kPaperPixelsPerInch);
    if (printer.docName().isEmpty()) printer.setDocName(name_);
    drawFilling(printer);
}

}  // namespace chart
