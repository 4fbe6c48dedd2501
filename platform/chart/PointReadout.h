#pragma once
// What the pointer reads off a chart: "Series1  label 5  value 0.234375" for
// the shown point nearest to a pixel, when one lies within kReadoutRadius
// pixels of it.

#include <QPoint>
#include <QString>
#include <optional>

class TChart;

namespace chart {

inline constexpr double kReadoutRadius = 6;

std::optional<QString> pointReadout(const TChart& chart, QPoint pixel);

}  // namespace chart
