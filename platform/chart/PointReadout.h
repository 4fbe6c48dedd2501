#pragma once
// What the pointer reads off a chart: "Series1  label 5  value 0.234375" for
// the shown point nearest to a pixel, when one lies within kRadius pixels of
// it.

#include <QCoreApplication>
#include <QPoint>
#include <QString>
#include <optional>

class TChart;

namespace chart {

class PointReadout {
    Q_DECLARE_TR_FUNCTIONS(chart::PointReadout)

public:
    static constexpr double kRadius = 6;

    static std::optional<QString> at(const TChart& chart, QPoint pixel);
};

}  // namespace chart
