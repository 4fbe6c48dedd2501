#include "platform/SeriesPoints.h"

#include <algorithm>
#include <stdexcept>

void SeriesPoints::reserveMore(std::size_t count) {
    if (count > values_.max_size() - values_.size()) throw std::length_error("too many points");
    values_.reserve(values_.size() + count);
    index_.reserveFor(values_.size() + count);
}

void SeriesPoints::append(double value, std::string_view label, TColor colour) {
    values_.push_back(value);
    labels_.append(label);
    if (colours_.empty() || colours_.back().colour != colour)
        colours_.push_back({values_.size() - 1, colour});
    if (values_.size() % ExtentIndex::kFanOut == 0) index_.update(values_);
}

TColor SeriesPoints::colour(std::size_t index) const {
    const auto after =
        std::upper_bound(colours_.begin(), colours_.end(), index,
                         [](std::size_t i, const ColourRun& run) { return i < run.first; });
    return (after - 1)->colour;
}

Extent SeriesPoints::extent(std::size_t first, std::size_t last) const {
    return index_.extent(values_, first, std::min(last, size()));
}
