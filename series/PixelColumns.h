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

// Maps point keys (a point's key is its index) to pixel columns 0 … width-1
// of a horizontal axis showing keys [lower, upper].
class KeyToColumn {
public:
    KeyToColumn(double lower, double upper, int width)
        : lower_(lower), pixelsPerKey_(width / (upper - lower)) {}

    // The column key k falls into (may lie outside 0 … width-1).
    double columnOf(double key) const { return (key - lower_) * pixelsPerKey_; }
    long columnOfIndex(std::size_t index) const;
    // The first index whose column is `column` or later.
    std::size_t firstIndexAtOrAfter(long column) const;

private:
    double lower_;
    double pixelsPerKey_;
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
