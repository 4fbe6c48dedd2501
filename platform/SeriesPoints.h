#pragma once
// Every point appended to one line series: its value, label and colour, in a
// form that holds tens of millions of points in about 8 bytes each. Values
// sit in one contiguous array, labels and colours as runs, and an extent
// index answers "lowest and highest value between these two points" at once.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ExtentIndex.h"
#include "platform/HugePageAllocator.h"
#include "platform/LabelRuns.h"

using TColor = std::uint32_t;  // 0x00BBGGRR: red in the low byte
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clYellow = 0x00FFFF;

// A label given as a number: the text FloatToStr gives for it. Kept as the
// number and made into text only when read, so a point's label costs nothing.
struct NumberLabel {
    float number;
};

struct IndexRange {
    std::size_t first, last;  // [first, last)
};

struct ColourRun {
    std::size_t first;  // index of the run's first point
    TColor colour;
};

class SeriesPoints {
public:
    std::size_t size() const { return values_.size(); }
    bool empty() const { return values_.empty(); }

    // Makes room for `count` more points at once, so that a batch either finds
    // its memory up front or fails before anything is appended. Throws
    // std::bad_alloc (or std::length_error) when the memory cannot be had.
    void reserveMore(std::size_t count);

    void append(double value, std::string_view label, TColor colour);
    void append(double value, NumberLabel label, TColor colour);

    double value(std::size_t index) const { return values_[index]; }
    std::span<const double> values() const { return values_; }
    std::string label(std::size_t index) const { return labels_.at(index); }
    // visit(i, label(i)) for i in [first, last), without a string per point.
    void forEachLabel(std::size_t first, std::size_t last,
                      const std::function<void(std::size_t, std::string_view)>& visit) const {
        labels_.forEach(first, last, visit);
    }
    TColor colour(std::size_t index) const { return colours_[colourRunAt(index)].colour; }
    const std::vector<ColourRun>& colourRuns() const { return colours_; }
    // The position in colourRuns() of the run holding point `index`.
    std::size_t colourRunAt(std::size_t index) const;

    // The points whose index (their key on the chart) lies in [lower, upper].
    IndexRange indicesBetween(double lower, double upper) const;

    // Lowest and highest value of points [first, last).
    Extent extent(std::size_t first, std::size_t last) const;
    Extent extent() const { return extent(0, size()); }

private:
    void appendValueAndColour(double value, TColor colour);

    std::vector<double, HugePageAllocator<double>> values_;
    LabelRuns labels_;
    std::vector<ColourRun> colours_;
    ExtentIndex index_;
};
