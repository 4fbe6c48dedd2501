#pragma once
// The chart as an image file or on paper, drawn by the same code as on screen
// (QCustomPlot's layers and our level-of-detail series drawing), so colours,
// line widths and markers match the screen and a chart of a hundred million
// points still makes a small file: one stroke per pixel column.
//   PNG: the chart's pixels, at `pixelScale` image pixels per chart pixel;
//   SVG: a vector drawing of the chart's size (Qt SVG's QSvgGenerator);
//   PDF: one page of the chart's size, in vectors (QPdfWriter);
//   print: the chart laid out anew to fill the printable area of the page,
//          whatever the page's proportions, its text at its screen size, on
//          the paper's own colour; the page turned to the chart's shape.
// Files are written whole or not at all (AtomicFileWriter).

#include <QByteArray>
#include <QCoreApplication>
#include <QSize>
#include <QString>

#include "platform/chart/FileFormats.h"

class QPaintDevice;
class QPrinter;

namespace chart {

class ChartPlot;

class ChartExport {
    Q_DECLARE_TR_FUNCTIONS(chart::ChartExport)

public:
    // The chart `plot` draws, named `name` in the files' metadata.
    ChartExport(ChartPlot& plot, QString name);

    // Throws conversions::Exception naming the file and the reason when the
    // chart cannot be drawn or the file cannot be written.
    void save(const QString& fileName, ImageFormat format, double pixelScale);

    // Turns the page to the chart's shape (landscape for a chart wider than it
    // is tall), before the print dialog offers it.
    void orientPage(QPrinter& printer) const;

    // Prints one page. A printer that prints to a PDF file writes it whole or
    // not at all; other printers get the page as usual. Throws
    // conversions::Exception when the printer cannot be used or the file
    // cannot be saved.
    void print(QPrinter& printer);

private:
    // Throws when the chart has no size to draw (a window not yet laid out).
    void checkHasSize() const;
    QByteArray image(ImageFormat format, double pixelScale);
    QByteArray png(double pixelScale);
    QByteArray svg();
    QByteArray pdf();
    void drawLaidOutAt(QSize size, QPaintDevice& device, const QString& failure);
    void drawFilling(QPaintDevice& device);

    ChartPlot& plot_;
    QString name_;
};

}  // namespace chart
