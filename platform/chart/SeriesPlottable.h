#pragma once
// Draws one series' points on a QCustomPlot: a line whose segment ending at a
// point takes that point's colour, optionally a circle at each point. Where a
// pixel column holds more than a couple of points it draws the column's
// summary (PixelColumns) instead, so a redraw costs the same for ten points
// or a hundred million.

#include <qcustomplot.h>

#include "series/SeriesPoints.h"

namespace chart {

struct SeriesStyle {
    QColor colour;  // where a point has none of its own: the legend icon
    bool markers = false;
};

class SeriesPlottable : public QCPAbstractPlottable {
    Q_OBJECT

public:
    SeriesPlottable(QCPAxis* keyAxis, QCPAxis* valueAxis, const series::SeriesPoints& points,
                    SeriesStyle style);

    void setStyle(SeriesStyle style);

    double selectTest(const QPointF& pos, bool onlySelectable,
                      QVariant* details = nullptr) const override;
    QCPRange getKeyRange(bool& foundRange,
                         QCP::SignDomain inSignDomain = QCP::sdBoth) const override;
    QCPRange getValueRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth,
                           const QCPRange& inKeyRange = QCPRange()) const override;

    // At most this many points per pixel column are drawn one by one.
    static constexpr double kDetailedPointsPerPixel = 2.0;

protected:
    void draw(QCPPainter* painter) override;
    void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override;

private:
    void drawEveryPoint(QCPPainter* painter, std::size_t first, std::size_t last) const;
    void drawColumns(QCPPainter* painter, std::size_t first, std::size_t last) const;
    void drawMarkers(QCPPainter* painter, std::size_t first, std::size_t last) const;
    QPointF pixelOf(std::size_t index) const;

    const series::SeriesPoints& points_;
    SeriesStyle style_;
};

}  // namespace chart
