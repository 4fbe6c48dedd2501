#pragma once
// The texts along the axes. The bottom axis: ticks at point positions,
// labelled with the points' own labels (those of the first series on the
// chart), spaced so that no two overlap. The value axis: numbers written as
// the point readout and the typed view range write them.

#include <qcustomplot.h>

#include <functional>

namespace series {
class SeriesPoints;
}

namespace chart {

class LabelTicker : public QCPAxisTicker {
public:
    // `labelled` gives the points whose labels to show (null: no labels);
    // `axis` tells the pixel width and label font.
    LabelTicker(std::function<const series::SeriesPoints*()> labelled, const QCPAxis* axis);

    void generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision,
                  QVector<double>& ticks, QVector<double>* subTicks,
                  QVector<QString>* tickLabels) override;

    static constexpr int kLabelGap = 8;  // pixels between neighbouring labels

private:
    std::function<const series::SeriesPoints*()> labelled_;
    const QCPAxis* axis_;
};

class ValueTicker : public QCPAxisTicker {
protected:
    double getTickStep(const QCPRange& range) override;
    QString getTickLabel(double tick, const QLocale& locale, QChar formatChar,
                         int precision) override;

private:
    double step_ = 1;
};

}  // namespace chart
