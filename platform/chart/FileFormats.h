#pragma once
// The files the chart saves, told apart by the extension of their names (in
// any case): pictures (.png, .svg, .pdf) and tables (.csv, .tsv).

#include <QString>
#include <optional>

#include "series/TableWriter.h"

namespace chart {

enum class ImageFormat { Png, Svg, Pdf };

// Whether this build writes SVG: Qt SVG is not built for every platform.
#ifdef CURVEPLOT_SVG
inline constexpr bool kSvgSaving = true;
#else
inline constexpr bool kSvgSaving = false;
#endif

// .png, .svg where it is written, .pdf.
std::optional<ImageFormat> imageFormatFor(const QString& fileName);
std::optional<series::TableFormat> tableFormatFor(const QString& fileName);

}  // namespace chart
