#pragma once
// Level of detail for drawing a series: the points that fall into each pixel
// column, summed up as the first, lowest, highest and last value. Drawing
// first → lowest → highest → last in every column and joining the columns
// covers exactly what a line through every point covers, column by column,
// whatever the number of points.

#include <cstddef>
#include <vector>

#include "series/SeriesPoints.h"

namespace series {

// Maps point keys (a point's key is its index) to the pixel columns left …
// left+width-1 of a horizontal axis showing keys [lower, upper]. The
// arithmetic is the axis's own, (key - lower) / (upper - lower) * width + left,
// to the last bit, so that a point lands in the column the painter draws its
// vertex in even where it lies on a column's edge.
class KeyToColumn {
public:
    KeyToColumn(double lower, double upper, int width, int left = 0)
        : lower_(lower), size_(upper - lower), width_(width), left_(left) {}

    // The pixel position of key k (may lie outside the axis).
    double columnOf(double key) const { return (key - lower_) / size_ * width_ + left_; }
    long columnOfIndex(std::size_t index) const;
    // The first index whose column is `column` or later.
    std::size_t firstIndexAtOrAfter(long column) const;

private:
    double lower_;
    double size_;
    double width_;
    double left_;
};

struct PixelColumn {
    long column;
    std::size_t first, last;  // the points [first, last) in it
    double firstValue, lastValue;
    Extent extent;
};

// The columns holding points [first, last) of `points`, in order, skipping
// columns without points.
std::vector<PixelColumn> pixelColumns(const SeriesPoints& points, std::size_t first,
                                      std::size_t last, const KeyToColumn& map);

}  // namespace series
