#pragma once
// series/: the chart's point store, free of any window toolkit. SeriesPoints
// holds a series' points; PointValues, ExtentIndex, LabelRuns and PixelColumns
// make tens of millions of them cheap to keep and draw; PointTable writes them
// as text.
//
// Every point appended to one line series: its value, label and colour, in a
// form that holds tens of millions of points in about 4 bytes each. Values
// sit in one contiguous array, labels and colours as runs, and an extent
// index answers "lowest and highest value between these two points" at once.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "series/ExtentIndex.h"
#include "series/LabelRuns.h"
#include "series/PointValues.h"

namespace series {

// A colour as 0x00BBGGRR: red in the low byte.
using Colour = std::uint32_t;

// A label given as a number: the text shortestText gives for it. Kept as the
// number and made into text only when read, so a point's label costs nothing.
struct NumberLabel {
    float number;
};

// The labels of a batch: first, first + 1, … up to stickAt, then stickAt
// again for the rest, as a float counter that stops growing gives them.
struct CountingLabels {
    std::uint64_t first;
    std::uint64_t stickAt;
};

struct IndexRange {
    std::size_t first, last;  // [first, last)
};

struct ColourRun {
    std::size_t first;  // index of the run's first point
    Colour colour;
};

class SeriesPoints {
public:
    class Batch;

    std::size_t size() const { return values_.size(); }
    bool empty() const { return size() == 0; }

    // Makes room for `count` more points at once, so that a batch either finds
    // its memory up front or fails before anything is appended. Throws
    // std::bad_alloc (or std::length_error) when the memory cannot be had or
    // `budget` refuses it.
    void reserveMore(std::size_t count, AllocationBudget* budget = nullptr);

    void append(double value, NumberLabel label, Colour colour);

    // Appends `count` points at once, with the same result as appending them
    // one by one: room must have been reserved. Their labels and colour are
    // set here; their values are written through the batch, then finish()
    // (or the batch's end) completes the extent index.
    Batch appendBatch(std::size_t count, CountingLabels labels, Colour colour);

    double value(std::size_t index) const { return values_[index]; }
    const PointValues& values() const { return values_; }
    std::string label(std::size_t index) const { return labels_.at(index); }
    // visit(i, label(i)) for i in [first, last), without a string per point.
    void forEachLabel(std::size_t first, std::size_t last,
                      const std::function<void(std::size_t, std::string_view)>& visit) const {
        labels_.forEach(first, last, visit);
    }
    Colour colour(std::size_t index) const { return colours_[colourRunAt(index)].colour; }
    const std::vector<ColourRun>& colourRuns() const { return colours_; }
    // The position in colourRuns() of the run holding point `index`.
    std::size_t colourRunAt(std::size_t index) const;

    // The points whose index (their key on the chart) lies in [lower, upper].
    IndexRange indicesBetween(double lower, double upper) const;

    // Lowest and highest value of points [first, last).
    Extent extent(std::size_t first, std::size_t last) const;
    Extent extent() const { return extent(0, size()); }

private:
    void appendColour(std::size_t first, Colour colour);
    void updateIndex();

    PointValues values_;
    LabelRuns labels_;
    std::vector<ColourRun> colours_;
    ExtentIndex index_;
};

// The values of points appended by appendBatch, written in any order and from
// several threads at once, each thread writing ranges no other thread writes.
class SeriesPoints::Batch {
public:
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;
    ~Batch() { finish(); }

    std::size_t size() const { return count_; }

    // Values [at, at + values.size()) of the batch. Extents of the index
    // blocks the range covers whole are taken while the values are at hand.
    // Values already written in place (into destination()) are not copied.
    void write(std::size_t at, std::span<const float> values);

    // Where the batch's values are held, for writing them in place (then
    // handing each range to write() for its extents); empty when the series
    // holds doubles.
    std::span<float> destination() {
        return points_ ? points_->values_.floatsAt(start_, count_) : std::span<float>();
    }

    // Completes the extent index over the batch; later writes are not allowed.
    void finish();

private:
    friend class SeriesPoints;
    Batch(SeriesPoints& points, std::size_t start, std::size_t count)
        : points_(&points), start_(start), count_(count) {}

    SeriesPoints* points_;  // null once finished
    std::size_t start_, count_;
};

}  // namespace series
