#include "platform/chart/ViewRanges.h"

#include <algorithm>
#include <cmath>

namespace chart {

namespace {

Range withSpareRoom(double lower, double upper, int pixels) {
    constexpr int kSparePixels = 6;
    if (upper <= lower) return {lower - 1, upper + 1};
    const double spare = (upper - lower) * kSparePixels / std::max(1, pixels - 2 * kSparePixels);
    return {lower - spare, upper + spare};
}

}  // namespace

// A quotient of the ends that overflows would leave an axis no finite ticks.
bool axisCanShow(Range range) {
    const double span = std::abs(range.lower - range.upper);
    return range.lower > -kAxisLimit && range.upper < kAxisLimit && span > kNarrowestAxisSpan &&
           span < kAxisLimit && !(range.lower > 0 && std::isinf(range.upper / range.lower)) &&
           !(range.upper < 0 && std::isinf(range.lower / range.upper));
}

ViewRanges fittedView(std::size_t count, double lowest, double highest, QSize pixels) {
    return {withSpareRoom(0, static_cast<double>(count - 1), pixels.width()),
            withSpareRoom(lowest, highest, pixels.height())};
}

Range zoomed(Range range, double factor, double centre) {
    return {(range.lower - centre) * factor + centre, (range.upper - centre) * factor + centre};
}

Range moved(Range range, double fraction) { return range.shifted(fraction * range.size()); }

}  // namespace chart
