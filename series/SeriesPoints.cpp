#include "series/SeriesPoints.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "series/NumberText.h"

void SeriesPoints::reserveMore(std::size_t count) {
    if (count > values_.max_size() - values_.size()) throw std::length_error("too many points");
    values_.reserve(values_.size() + count);
    index_.reserveFor(values_.size() + count);
}

void SeriesPoints::append(double value, NumberLabel label, TColor colour) {
    const float n = label.number;
    if (isPlainWhole(n))
        labels_.appendNumber(static_cast<std::uint64_t>(n));
    else
        labels_.appendText(shortestText(n));
    appendValueAndColour(value, colour);
}

void SeriesPoints::appendValueAndColour(double value, TColor colour) {
    values_.push_back(value);
    if (colours_.empty() || colours_.back().colour != colour)
        colours_.push_back({values_.size() - 1, colour});
    if (values_.size() % ExtentIndex::kFanOut == 0) index_.update(values_);
}

std::size_t SeriesPoints::colourRunAt(std::size_t index) const {
    const auto after =
        std::upper_bound(colours_.begin(), colours_.end(), index,
                         [](std::size_t i, const ColourRun& run) { return i < run.first; });
    return static_cast<std::size_t>(after - colours_.begin()) - 1;
}

IndexRange SeriesPoints::indicesBetween(double lower, double upper) const {
    const double n = static_cast<double>(size());
    const double first = std::clamp(std::ceil(lower), 0.0, n);
    const double last = std::clamp(std::floor(upper) + 1, 0.0, n);
    return {static_cast<std::size_t>(first), static_cast<std::size_t>(std::max(first, last))};
}

Extent SeriesPoints::extent(std::size_t first, std::size_t last) const {
    return index_.extent(values_, first, std::min(last, size()));
}
