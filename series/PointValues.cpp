#include "series/PointValues.h"

#include <algorithm>
#include <stdexcept>

namespace series {

void PointValues::reserveMore(std::size_t count, AllocationBudget* budget) {
    const std::size_t n = size();
    if (wide_) {
        if (count > doubles_.max_size() - n) throw std::length_error("too many points");
        reserveWithin(doubles_, n + count, budget);
    } else {
        if (count > floats_.max_size() - n) throw std::length_error("too many points");
        reserveWithin(floats_, n + count, budget);
    }
}

void PointValues::push_back(double value) {
    const auto asFloat = static_cast<float>(value);
    // NaN is kept as a float NaN: it compares unequal to itself either way.
    const bool isFloat = static_cast<double>(asFloat) == value || value != value;
    if (!wide_ && !isFloat) widen(std::max(floats_.capacity(), floats_.size() + 1));
    if (wide_)
        doubles_.push_back(value);
    else
        floats_.push_back(asFloat);
}

void PointValues::grow(std::size_t count) {
    if (wide_)
        doubles_.resize(doubles_.size() + count);
    else
        floats_.resize(floats_.size() + count);
}

void PointValues::write(std::size_t at, std::span<const float> values) {
    if (wide_)
        std::transform(values.begin(), values.end(),
                       doubles_.begin() + static_cast<std::ptrdiff_t>(at),
                       [](float v) { return static_cast<double>(v); });
    else if (values.data() != floats_.data() + at)  // not already in place
        std::copy(values.begin(), values.end(), floats_.begin() + static_cast<std::ptrdiff_t>(at));
}

// Copies every value into doubles with room for `capacity`, then drops the
// floats: if the memory is not there, std::bad_alloc leaves the floats as they were.
void PointValues::widen(std::size_t capacity) {
    std::vector<double, HugePageAllocator<double>> doubles;
    doubles.reserve(capacity);
    doubles.resize(floats_.size());
    std::transform(floats_.begin(), floats_.end(), doubles.begin(),
                   [](float v) { return static_cast<double>(v); });
    doubles_ = std::move(doubles);
    floats_ = {};
    wide_ = true;
}

}  // namespace series
