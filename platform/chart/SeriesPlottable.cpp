#include "platform/chart/SeriesPlottable.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "series/PixelColumns.h"

namespace chart {

namespace {

QColor qColour(series::Colour c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

constexpr double kMarkerRadius = 4.0;

}  // namespace

SeriesPlottable::SeriesPlottable(QCPAxis* keyAxis, QCPAxis* valueAxis,
                                 const series::SeriesPoints& points, SeriesStyle style)
    : QCPAbstractPlottable(keyAxis, valueAxis), points_(points), style_(style) {
    setAntialiased(false);
    setAntialiasedFill(false);
    setPen(QPen(style_.colour));
    setSelectable(QCP::stNone);
}

void SeriesPlottable::setStyle(SeriesStyle style) {
    style_ = style;
    setPen(QPen(style_.colour));
}

double SeriesPlottable::selectTest(const QPointF&, bool, QVariant*) const { return -1; }

QCPRange SeriesPlottable::getKeyRange(bool& foundRange, QCP::SignDomain) const {
    foundRange = !points_.empty();
    return QCPRange(0, foundRange ? static_cast<double>(points_.size() - 1) : 0);
}

QCPRange SeriesPlottable::getValueRange(bool& foundRange, QCP::SignDomain, const QCPRange&) const {
    const series::Extent e = points_.extent();
    foundRange = !e.empty();
    return foundRange ? QCPRange(e.min, e.max) : QCPRange();
}

QPointF SeriesPlottable::pixelOf(std::size_t index) const {
    return QPointF(keyAxis()->coordToPixel(static_cast<double>(index)),
                   valueAxis()->coordToPixel(points_.value(index)));
}

void SeriesPlottable::draw(QCPPainter* painter) {
    const QCPAxis* keys = keyAxis();
    if (points_.empty() || !keys || !valueAxis()) return;
    const QCPRange range = keys->range();
    const double n = static_cast<double>(points_.size());
    // One point beyond each edge, so that the lines leaving the view are drawn.
    const double lower = std::max(0.0, std::floor(range.lower) - 1);
    const double upper = std::min(n, std::ceil(range.upper) + 2);
    if (lower >= upper) return;
    const auto first = static_cast<std::size_t>(lower);
    const auto last = static_cast<std::size_t>(upper);
    const double width = std::max(1, keys->axisRect()->width());
    applyDefaultAntialiasingHint(painter);
    // Drawing runs inside Qt's painting; an exception must not leave it. Short
    // of memory for a polyline, the series stays undrawn until the next paint.
    try {
        if (static_cast<double>(last - first) <= kDetailedPointsPerPixel * width) {
            drawEveryPoint(painter, first, last);
            if (style_.markers && static_cast<double>(last - first) * 2 * kMarkerRadius <= width)
                drawMarkers(painter, first, last);
        } else {
            drawColumns(painter, first, last);
        }
    } catch (const std::bad_alloc&) {
    }
}

// Runs [from, to) of equal colour within points [first, last).
template <class Visit>
void forEachColourRun(const series::SeriesPoints& points, std::size_t first, std::size_t last,
                      Visit visit) {
    const auto& runs = points.colourRuns();
    auto run = runs.begin() + static_cast<std::ptrdiff_t>(points.colourRunAt(first));
    for (std::size_t from = first; from < last; ++run) {
        const std::size_t to = run + 1 == runs.end() ? last : std::min(last, (run + 1)->first);
        visit(from, to, run->colour);
        from = to;
    }
}

void SeriesPlottable::drawEveryPoint(QCPPainter* painter, std::size_t first,
                                     std::size_t last) const {
    forEachColourRun(points_, first, last,
                     [&](std::size_t from, std::size_t to, series::Colour colour) {
                         // The segment ending at `from` has from's colour: start at the point
                         // before.
                         QPolygonF line;
                         line.reserve(static_cast<qsizetype>(to - from + 1));
                         for (std::size_t i = from > first ? from - 1 : from; i < to; ++i)
                             line << pixelOf(i);
                         painter->setPen(QPen(qColour(colour)));
                         painter->drawPolyline(line);
                     });
}

void SeriesPlottable::drawColumns(QCPPainter* painter, std::size_t first, std::size_t last) const {
    const QCPAxis* keys = keyAxis();
    const QCPAxis* values = valueAxis();
    const series::KeyToColumn map(keys->range().lower, keys->range().upper,
                                  keys->axisRect()->width(), keys->axisRect()->left());
    forEachColourRun(
        points_, first, last, [&](std::size_t from, std::size_t to, series::Colour colour) {
            QPolygonF line;
            if (from > first) line << pixelOf(from - 1);
            for (const series::PixelColumn& c : series::pixelColumns(points_, from, to, map)) {
                const auto x = static_cast<double>(c.column);
                line << QPointF(x, values->coordToPixel(c.firstValue))
                     << QPointF(x, values->coordToPixel(c.extent.min))
                     << QPointF(x, values->coordToPixel(c.extent.max))
                     << QPointF(x, values->coordToPixel(c.lastValue));
            }
            painter->setPen(QPen(qColour(colour)));
            painter->drawPolyline(line);
        });
}

void SeriesPlottable::drawMarkers(QCPPainter* painter, std::size_t first, std::size_t last) const {
    painter->setPen(QPen(Qt::black));
    for (std::size_t i = first; i < last; ++i) {
        painter->setBrush(qColour(points_.colour(i)));
        painter->drawEllipse(pixelOf(i), kMarkerRadius, kMarkerRadius);
    }
}

void SeriesPlottable::drawLegendIcon(QCPPainter* painter, const QRectF& rect) const {
    painter->setPen(QPen(style_.colour));
    painter->drawLine(QLineF(rect.left(), rect.center().y(), rect.right(), rect.center().y()));
}

}  // namespace chart
