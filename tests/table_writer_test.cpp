// Protects Save data's table text: over random series (edge values, counting
// and repeated labels, a series name holding separators and quotes), chunk
// sizes and views, a table read back gives each point's series, index, label
// and value to the bit, the value in Copy data's text.

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "plot/number_text.h"
#include "series/TableWriter.h"
#include "tests/row_name.h"
#include "tests/table_parser.h"

namespace series {
namespace {

constexpr Colour kBlue = 0xFF0000;

// Values a float or double text form gets wrong first: zeros, whole numbers
// around 2^24, subnormals, extremes, and doubles that are not floats.
double randomValue(std::mt19937_64& random) {
    using F = std::numeric_limits<float>;
    using D = std::numeric_limits<double>;
    const auto wide = [](float f) { return static_cast<double>(f); };
    static const double edges[] = {0.0,
                                   -0.0,
                                   16777216.0,
                                   16777217.0,
                                   1e7,
                                   0.1,
                                   wide(0.1f),
                                   wide(F::denorm_min()),
                                   wide(F::max()),
                                   D::max(),
                                   D::denorm_min(),
                                   D::infinity(),
                                   -D::infinity()};
    switch (random() % 4) {
        case 0:
            return edges[random() % std::size(edges)];
        case 1: {
            float f;
            do f = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
            while (std::isnan(f));
            return static_cast<double>(f);
        }
        case 2:
            return static_cast<double>(static_cast<std::int64_t>(random() % 40'000'000) -
                                       20'000'000);
        default: {
            double d;
            do d = std::bit_cast<double>(random());
            while (std::isnan(d));
            return d;
        }
    }
}

// Labels in runs: counting numbers, and repeated numbers that print as
// other text ("-1.5", "1e+20").
SeriesPoints randomSeries(std::mt19937_64& random, std::size_t size) {
    static const float texts[] = {-1.5f, 1e20f, 0.25f, -3.0f, 16777218.0f};
    SeriesPoints points;
    while (points.size() < size) {
        const std::size_t run = 1 + random() % 40;
        const bool counting = random() % 2 == 0;
        const auto start = static_cast<float>(random() % 1000);
        const float text = texts[random() % std::size(texts)];
        for (std::size_t k = 0; k < run && points.size() < size; ++k)
            points.append(randomValue(random),
                          NumberLabel{counting ? start + static_cast<float>(k) : text}, kBlue);
    }
    return points;
}

template <class Real>
bool readsBackTo(const std::string& text, Real value) {
    Real parsed{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size()) return false;
    return std::memcmp(&parsed, &value, sizeof value) == 0 || (parsed == 0 && value == 0);
}

struct Dialect {
    std::string name;
    TableFormat format;
    char separator;
    std::string lineEnd;
    std::size_t chunkBytes;
};

class TableText : public testing::TestWithParam<Dialect> {};

TEST_P(TableText, ReadsBackToEveryPointInViewToTheBit) {
    const Dialect& d = GetParam();
    std::mt19937_64 random(12);
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        const SeriesPoints a = randomSeries(random, random() % 3000);
        const SeriesPoints b = randomSeries(random, random() % 3000);
        const std::vector<NamedSeries> series{{"Series1", &a}, {"odd, \"name\"", &b}};
        // Every point, or a window of keys and values.
        const double lower = static_cast<double>(random() % 3000) - 10.5;
        const double bottom = -static_cast<double>(random() % 40'000'000);
        const ViewRect view =
            round % 3 == 0 ? kEverywhere
                           : ViewRect{lower, lower + static_cast<double>(random() % 3000), bottom,
                                      bottom + static_cast<double>(random() % 40'000'000)};
        const std::vector<TableSlice> slices = tableSlices(series, view);

        std::string text;
        std::size_t lastRows = 0, chunks = 0;
        ASSERT_TRUE(writeTable(
            slices, d.format,
            [&](std::string_view chunk, std::size_t rows) {
                EXPECT_GE(rows, lastRows);
                lastRows = rows;
                ++chunks;
                text += chunk;
                return true;
            },
            d.chunkBytes));
        EXPECT_EQ(lastRows, rowCount(slices));

        const auto records = parseTable(text, d.separator, d.lineEnd);
        ASSERT_TRUE(records.has_value()) << text.substr(0, 300);
        ASSERT_EQ(records->size(), 1 + rowCount(slices));
        EXPECT_EQ(records->front(), (Record{"series", "index", "label", "value"}));
        auto row = records->begin() + 1;
        for (const TableSlice& slice : slices) {
            for (std::size_t i = slice.rows.first; i < slice.rows.last; ++i) {
                const double value = slice.points->value(i);
                if (value < view.valueLower || value > view.valueUpper) continue;
                ASSERT_LT(row, records->end());
                ASSERT_EQ(row->size(), 4u);
                EXPECT_EQ((*row)[0], slice.name);
                EXPECT_EQ((*row)[1], std::to_string(i));
                EXPECT_EQ((*row)[2], slice.points->label(i));
                EXPECT_EQ((*row)[3], plot::valueText(value));
                const auto asFloat = static_cast<float>(value);
                if (static_cast<double>(asFloat) == value)
                    EXPECT_TRUE(readsBackTo((*row)[3], asFloat)) << (*row)[3];
                else
                    EXPECT_TRUE(readsBackTo((*row)[3], value)) << (*row)[3];
                ++row;
            }
        }
        EXPECT_EQ(row, records->end());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, TableText,
    testing::Values(Dialect{"CsvChunkPerBlock", TableFormat::Csv, ',', "\r\n", 1},
                    Dialect{"TsvSmallChunks", TableFormat::Tsv, '\t', "\n", 1000}),
    RowName());

}  // namespace
}  // namespace series
