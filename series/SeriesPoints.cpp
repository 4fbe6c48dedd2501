#include "series/SeriesPoints.h"

#include <algorithm>
#include <cmath>

#include "plot/number_text.h"

namespace series {

void SeriesPoints::reserveMore(std::size_t count, AllocationBudget* budget) {
    values_.reserveMore(count, budget);
    index_.reserveFor(values_.size() + count, budget);
    // A batch adds at most two label runs and a colour run: room for them
    // now, so that appending the batch cannot run out of memory.
    labels_.reserveRuns(2);
    colours_.reserve(colours_.size() + 1);
}

void SeriesPoints::append(double value, NumberLabel label, Colour colour) {
    values_.push_back(value);
    const float n = label.number;
    if (plot::isPlainWhole(n))
        labels_.appendNumber(static_cast<std::uint64_t>(n));
    else
        labels_.appendText(plot::shortestText(n));
    appendColour(size() - 1, colour);
    if (size() % ExtentIndex::kFanOut == 0) updateIndex();
}

SeriesPoints::Batch SeriesPoints::appendBatch(std::size_t count, CountingLabels labels,
                                              Colour colour) {
    const std::size_t start = size();
    values_.grow(count);
    index_.grow(size());
    labels_.appendCounting(labels.first, count, labels.stickAt);
    if (count > 0) appendColour(start, colour);
    return Batch(*this, start, count);
}

void SeriesPoints::appendColour(std::size_t first, Colour colour) {
    if (colours_.empty() || colours_.back().colour != colour) colours_.push_back({first, colour});
}

void SeriesPoints::updateIndex() {
    values_.visit([this](auto values) { index_.update(values); });
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
    return values_.visit(
        [&](auto values) { return index_.extent(values, first, std::min(last, size())); });
}

void SeriesPoints::Batch::write(std::size_t at, std::span<const float> values) {
    points_->values_.write(start_ + at, values);
    // Index blocks lying wholly inside this range; those it shares with a
    // neighbouring range are taken by finish().
    constexpr std::size_t kBlock = ExtentIndex::kFanOut;
    const std::size_t from = start_ + at, to = from + values.size();
    for (std::size_t block = (from + kBlock - 1) / kBlock; (block + 1) * kBlock <= to; ++block)
        points_->index_.setBlock(block, values.subspan(block * kBlock - from, kBlock));
}

void SeriesPoints::Batch::finish() {
    if (!points_) return;
    points_->updateIndex();
    points_ = nullptr;
}

}  // namespace series
