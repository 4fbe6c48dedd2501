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

#include <QByteArray>
#include <QString>
#include <optional>

class QCustomPlot;
class QPrinter;

namespace chart {

enum class ImageFormat { Png, Svg, Pdf };

// Whether this build writes SVG: Qt SVG is not built for every platform.
#ifdef CURVEPLOT_SVG
inline constexpr bool kSvgSaving = true;
#else
inline constexpr bool kSvgSaving = false;
#endif

// The format a file name's extension asks for (.png, .svg where it is
// written, .pdf, any case).
std::optional<ImageFormat> imageFormatFor(const QString& fileName);

// The bytes of the image file. Throws Exception, its message the reason, when
// the chart cannot be drawn.
QByteArray chartImage(QCustomPlot& chart, ImageFormat format, double pixelScale);

// Turns the page to the chart's shape (landscape for a chart wider than it is
// tall), before the print dialog offers it.
void orientPage(const QCustomPlot& chart, QPrinter& printer);

// Prints one page. A printer that prints to a PDF file writes it whole or not
// at all (AtomicFileWriter); other printers get the page as usual. Throws
// Exception when the printer cannot be used or the file cannot be saved.
void printChart(QCustomPlot& chart, QPrinter& printer);

}  // namespace chart
