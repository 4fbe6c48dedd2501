#include "platform/chart/FileFormats.h"

#include <QFileInfo>
#include <utility>

namespace chart {

namespace {

template <class Format, std::size_t n>
std::optional<Format> formatFor(const QString& fileName,
                                const std::pair<const char*, Format> (&byExtension)[n]) {
    const QString extension = QFileInfo(fileName).suffix().toLower();
    for (const auto& [name, format] : byExtension)
        if (extension == QLatin1String(name)) return format;
    return std::nullopt;
}

}  // namespace

std::optional<ImageFormat> imageFormatFor(const QString& fileName) {
    static constexpr std::pair<const char*, ImageFormat> kFormats[] = {
        {"png", ImageFormat::Png}, {"svg", ImageFormat::Svg}, {"pdf", ImageFormat::Pdf}};
    const std::optional<ImageFormat> format = formatFor(fileName, kFormats);
    return format == ImageFormat::Svg && !kSvgSaving ? std::nullopt : format;
}

std::optional<series::TableFormat> tableFormatFor(const QString& fileName) {
    static constexpr std::pair<const char*, series::TableFormat> kFormats[] = {
        {"csv", series::TableFormat::Csv}, {"tsv", series::TableFormat::Tsv}};
    return formatFor(fileName, kFormats);
}

}  // namespace chart
