// Protects the series store: extents, label and colour runs, batch memory, per-column summaries.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdlib>
#include <iomanip>
#include <limits>
#include <new>
#include <ostream>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "series/ExtentIndex.h"
#include "series/LabelRuns.h"
#include "series/PixelColumns.h"
#include "series/SeriesPoints.h"
#include "tests/row_name.h"

// Counts the allocations made while gCountAllocations is set: a reserved
// batch must make none, or running out of memory could leave it half appended.
// (GCC takes the malloc/free pair for a mismatch once it inlines them.)
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
static thread_local bool gCountAllocations = false;
static thread_local int gAllocations = 0;

void* operator new(std::size_t size) {
    if (gCountAllocations) ++gAllocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace series {

// Failures show an extent as its two exact numbers rather than its bytes.
static void PrintTo(const Extent& e, std::ostream* out) {
    *out << std::setprecision(17) << '[' << e.min << ", " << e.max << ']';
}

namespace {

constexpr Colour kBlue = 0xFF0000, kYellow = 0x00FFFF;

// Failures name a table row rather than dumping its bytes.
template <class Row>
requires requires(const Row& row) { row.name.size(); }
void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

// Positive, so that an index block read before it is filled in (zeroed memory)
// shows as a wrong minimum.
std::vector<double> randomValues(std::size_t n, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> value(1.0, 1e6);
    std::vector<double> values(n);
    for (double& v : values) v = value(random);
    return values;
}

SeriesPoints seriesOf(const std::vector<double>& values) {
    SeriesPoints points;
    for (const double v : values) points.append(v, NumberLabel{0}, kBlue);
    return points;
}

Extent bruteExtent(const std::vector<double>& values, std::size_t first, std::size_t last) {
    Extent e;
    for (std::size_t i = first; i < std::min(last, values.size()); ++i) e.include(values[i]);
    return e;
}

// Query ranges whose ends sit on, next to and between the block edges of every
// index level, plus random ones; reversed and past-the-end ranges are empty.
std::vector<std::pair<std::size_t, std::size_t>> rangesFor(std::size_t n, std::mt19937& random) {
    std::vector<std::size_t> ends{n / 3, n / 2, n - std::min<std::size_t>(n, 1), n};
    for (const std::size_t edge : {std::size_t{64}, std::size_t{4096}, std::size_t{262144}})
        for (const std::size_t e : {edge - 1, edge, edge + 1, 2 * edge - 1, 2 * edge + 1})
            if (e <= n) ends.push_back(e);
    std::vector<std::pair<std::size_t, std::size_t>> ranges{{0, 0}, {n, n + 10}, {n + 5, n + 9}};
    for (const std::size_t a : ends)
        for (const std::size_t b : ends) ranges.emplace_back(a, b);
    std::uniform_int_distribution<std::size_t> index(0, n);
    for (int k = 0; k < 200; ++k) ranges.emplace_back(index(random), index(random));
    return ranges;
}

struct ExtentCase {
    std::string name;
    std::size_t size;
};

class SeriesExtent : public testing::TestWithParam<ExtentCase> {};

TEST_P(SeriesExtent, MatchesBruteForceOverEveryRange) {
    const std::size_t n = GetParam().size;
    const std::vector<double> values = randomValues(n, static_cast<unsigned>(n) + 1);
    const SeriesPoints points = seriesOf(values);
    std::mt19937 random(7);
    for (const auto& [first, last] : rangesFor(n, random)) {
        SCOPED_TRACE(std::to_string(first) + ".." + std::to_string(last));
        EXPECT_EQ(points.extent(first, last), bruteExtent(values, first, last));
    }
    EXPECT_EQ(points.extent(), bruteExtent(values, 0, n));
}

INSTANTIATE_TEST_SUITE_P(Sizes, SeriesExtent,
                         testing::Values(ExtentCase{"Empty", 0}, ExtentCase{"One", 1},
                                         ExtentCase{"Below64", 63}, ExtentCase{"At64", 64},
                                         ExtentCase{"Above64", 65}, ExtentCase{"Below4096", 4095},
                                         ExtentCase{"At4096", 4096}, ExtentCase{"Above4096", 4097},
                                         ExtentCase{"Below262144", 262143},
                                         ExtentCase{"At262144", 262144},
                                         ExtentCase{"Above262144", 262145},
                                         ExtentCase{"PartialTailAtEveryLevel", 300001}),
                         RowName{});

// The index is brought up to date after batches of uneven sizes and queried in
// between, as a series is while its curves are still being appended.
TEST(SeriesExtentGrowth, StaysCorrectWhenAppendingAfterQueries) {
    const std::size_t steps[] = {1, 62, 1, 1, 4031, 1, 63, 64, 4000, 253920, 1, 3000};
    const std::vector<double> all = randomValues(265145, 3);
    std::vector<double> values;
    ExtentIndex direct;
    SeriesPoints points;
    std::mt19937 random(11);
    for (const std::size_t step : steps) {
        for (std::size_t k = 0; k < step; ++k) {
            points.append(all[values.size()], NumberLabel{0}, kBlue);
            values.push_back(all[values.size()]);
        }
        direct.update(std::span<const double>(values));
        for (const auto& [first, last] : rangesFor(values.size(), random)) {
            SCOPED_TRACE(std::to_string(values.size()) + ": " + std::to_string(first) + ".." +
                         std::to_string(last));
            const Extent expected = bruteExtent(values, first, last);
            EXPECT_EQ(points.extent(first, last), expected);
            EXPECT_EQ(direct.extent(std::span<const double>(values), first,
                                    std::min(last, values.size())),
                      expected);
        }
    }
}

// A label as appended: a number (the curves' counters) or any other text.
struct Label {
    bool number;
    std::uint64_t value;
    std::string text;
    std::string expected() const { return number ? std::to_string(value) : text; }
};
using Labels = std::vector<Label>;

Labels counting(std::uint64_t from, std::size_t count) {
    Labels labels;
    for (std::size_t k = 0; k < count; ++k) labels.push_back({true, from + k, {}});
    return labels;
}
Labels numbers(std::initializer_list<std::uint64_t> values) {
    Labels labels;
    for (const std::uint64_t v : values) labels.push_back({true, v, {}});
    return labels;
}
Labels texts(std::initializer_list<const char*> values) {
    Labels labels;
    for (const char* t : values) labels.push_back({false, 0, t});
    return labels;
}

Labels operator+(Labels a, const Labels& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct LabelCase {
    std::string name;
    Labels labels;
    std::size_t runs;
};

class LabelRunsOf : public testing::TestWithParam<LabelCase> {};

TEST_P(LabelRunsOf, ComeBackExactlyInFewRuns) {
    const LabelCase& c = GetParam();
    LabelRuns runs;
    for (const Label& label : c.labels) {
        if (label.number)
            runs.appendNumber(label.value);
        else
            runs.appendText(label.text);
    }
    ASSERT_EQ(runs.size(), c.labels.size());
    for (std::size_t i = 0; i < c.labels.size(); ++i)
        EXPECT_EQ(runs.at(i), c.labels[i].expected()) << i;
    EXPECT_EQ(runs.runCount(), c.runs);
    EXPECT_THROW(runs.at(c.labels.size()), std::out_of_range);
}

const Labels kStuck = counting(16777216, 1) + Labels(999, {true, 16777216, {}});

INSTANTIATE_TEST_SUITE_P(
    LabelRuns, LabelRunsOf,
    testing::Values(
        LabelCase{"Empty", {}, 0}, LabelCase{"CountingFromZero", counting(0, 5000), 1},
        LabelCase{"CounterStuckAfterCounting", counting(16777200, 17) + kStuck, 2},
        LabelCase{"CounterStuckFromTheStart", kStuck, 1},
        LabelCase{"StuckThenCountingAgain", kStuck + counting(16777217, 3), 2},
        LabelCase{"Restart", numbers({0, 1, 2, 0, 1}), 2},
        LabelCase{"Gap", numbers({5, 6, 8, 9}), 2},
        LabelCase{"Texts", texts({"abc", "", "007", "-5", "1e3", "1.5", "+1", " 2"}), 8},
        LabelCase{"RepeatedTexts", texts({"abc", "abc", "abc", "", "", "007", "007"}), 3},
        LabelCase{"TextInsideCounting", numbers({0, 1}) + texts({"x"}) + numbers({2, 3}), 3},
        LabelCase{"NumberRepeatingAText", texts({"-1", "7"}) + numbers({7, 7}), 2},
        LabelCase{"BeyondEighteenDigits",
                  numbers({999999999999999998u, 999999999999999999u, 1000000000000000000u}), 1}),
    RowName{});

struct ColourCase {
    std::string name;
    std::vector<Colour> colours;
    std::size_t runs;
};

class Colours : public testing::TestWithParam<ColourCase> {};

TEST_P(Colours, EqualNeighboursShareARun) {
    const ColourCase& c = GetParam();
    SeriesPoints points;
    for (const Colour colour : c.colours) points.append(1.0, NumberLabel{0}, colour);
    for (std::size_t i = 0; i < c.colours.size(); ++i) EXPECT_EQ(points.colour(i), c.colours[i]);
    EXPECT_EQ(points.colourRuns().size(), c.runs);
}

INSTANTIATE_TEST_SUITE_P(
    SeriesPoints, Colours,
    testing::Values(ColourCase{"One", {kBlue}, 1},
                    ColourCase{"AllEqual", std::vector<Colour>(200, kYellow), 1},
                    ColourCase{"Alternating", {kBlue, kYellow, kBlue, kYellow, kBlue}, 5},
                    ColourCase{"Blocks", {kBlue, kBlue, kYellow, kYellow, kYellow, 0, kBlue}, 4}),
    RowName{});

TEST(SeriesPointsBatch, ReservedBatchDoesNotMoveTheValues) {
    SeriesPoints points;
    points.append(1.0, NumberLabel{0}, kBlue);
    points.reserveMore(100000);
    const void* before = points.values().data();
    for (std::size_t i = 1; i <= 100000; ++i)
        points.append(static_cast<double>(i), NumberLabel{static_cast<float>(i)},
                      i % 3 == 0 ? kBlue : kYellow);
    EXPECT_EQ(points.values().data(), before);
    EXPECT_EQ(points.size(), 100001u);
    EXPECT_THROW(points.reserveMore(std::numeric_limits<std::size_t>::max()), std::length_error);
    EXPECT_EQ(points.size(), 100001u);
}

// Counters that stick (labels repeating) make new label texts batch after
// batch; a stretch longer than an index block fills every level.
TEST(SeriesPointsBatch, ReservedBatchAllocatesNothing) {
    SeriesPoints points;
    for (std::size_t batch = 0; batch < 40; ++batch) {
        const std::size_t count = batch % 4 == 3 ? 70000 : 100;
        points.reserveMore(count);
        gAllocations = 0;
        gCountAllocations = true;
        {
            SeriesPoints::Batch appended =
                points.appendBatch(count, {10 + batch, 50}, batch % 2 ? kBlue : kYellow);
            const std::vector<float> values(count, static_cast<float>(batch));
            appended.write(0, values);
        }
        gCountAllocations = false;
        EXPECT_EQ(gAllocations, 1) << "batch " << batch << ": only the test's own values";
    }
}

struct ViewCase {
    std::string name;
    double lower, upper;
    int width;
    std::size_t first, last;  // the points handed over for drawing
};

class PixelColumnsView : public testing::TestWithParam<ViewCase> {};

// Each column must hold exactly the points the key mapping puts in it, with
// their first, last, lowest and highest value, in order and without gaps.
TEST_P(PixelColumnsView, MatchesEveryPoint) {
    const ViewCase& c = GetParam();
    static const std::vector<double> values = randomValues(100000, 5);
    static const SeriesPoints points = seriesOf(values);
    const KeyToColumn map(c.lower, c.upper, c.width);

    std::vector<PixelColumn> expected;
    for (std::size_t i = c.first; i < c.last; ++i) {
        const long column = map.columnOfIndex(i);
        if (expected.empty() || expected.back().column != column)
            expected.push_back({column, i, i, values[i], values[i], Extent{}});
        expected.back().last = i + 1;
        expected.back().lastValue = values[i];
        expected.back().extent.include(values[i]);
    }

    const std::vector<PixelColumn> columns = pixelColumns(points, c.first, c.last, map);
    ASSERT_EQ(columns.size(), expected.size());
    for (std::size_t k = 0; k < columns.size(); ++k) {
        SCOPED_TRACE("column " + std::to_string(expected[k].column));
        EXPECT_EQ(columns[k].column, expected[k].column);
        EXPECT_EQ(columns[k].first, expected[k].first);
        EXPECT_EQ(columns[k].last, expected[k].last);
        EXPECT_EQ(columns[k].firstValue, expected[k].firstValue);
        EXPECT_EQ(columns[k].lastValue, expected[k].lastValue);
        EXPECT_EQ(columns[k].extent, expected[k].extent);
        if (k > 0) {
            EXPECT_LT(columns[k - 1].column, columns[k].column);
        }
    }

    const long from = map.columnOfIndex(c.first) - 3, to = map.columnOfIndex(c.last) + 3;
    for (long column = from; column <= to; ++column) {
        const std::size_t i = map.firstIndexAtOrAfter(column);
        EXPECT_GE(map.columnOfIndex(i), column) << column;
        if (i > 0) {
            EXPECT_LT(map.columnOfIndex(i - 1), column) << column;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    PixelColumns, PixelColumnsView,
    testing::Values(ViewCase{"WholeSeries", 0, 99999, 400, 0, 100000},
                    ViewCase{"ZoomedMiddleTenth", 45000, 55000, 400, 44999, 55002},
                    ViewCase{"MiddleTenthOfWholeView", 0, 99999, 400, 45000, 55000},
                    ViewCase{"BeyondBothEnds", -5000.5, 107000.25, 400, 0, 100000},
                    ViewCase{"UnevenScale", 123.456, 98765.4321, 777, 122, 98767},
                    // Here the first index of some columns is estimated one too low or high.
                    ViewCase{"RoundingAtColumnEdges", 967.5, 20662.5, 702, 0, 100000},
                    ViewCase{"FewerPointsThanPixels", 10, 60, 400, 9, 62}),
    RowName{});

}  // namespace

// --- Batches ---------------------------------------------------------------

// Random interleavings of single points and batches, the batches written in
// shuffled chunks from two threads (some in place), must leave exactly what
// appending every point one by one leaves: values to the bit, labels,
// colours, extents.
class BatchAppend : public testing::TestWithParam<unsigned> {};

TEST_P(BatchAppend, EqualsAppendingOneByOne) {
    std::mt19937 random(GetParam());
    const auto uniform = [&](std::size_t below) {
        return std::uniform_int_distribution<std::size_t>(0, below - 1)(random);
    };
    std::uniform_real_distribution<float> value(-1e6f, 1e6f);
    const Colour colours[] = {kBlue, kYellow};
    SeriesPoints oneByOne, batched;
    for (int step = 0; step < 40; ++step) {
        const Colour colour = colours[uniform(2)];
        if (uniform(3) == 0) {  // a single point, now and then not a float
            const double v = uniform(8) == 0 ? 0.1 : static_cast<double>(value(random));
            const NumberLabel label{static_cast<float>(uniform(100))};
            oneByOne.append(v, label, colour);
            batched.append(v, label, colour);
            continue;
        }
        // Counters from small numbers, or close below the point where a float stops counting.
        const std::size_t count = uniform(3000);
        const std::uint64_t first = uniform(2) == 0 ? uniform(20) : 16777216 - uniform(40);
        std::vector<float> values(count);
        for (float& v : values) v = value(random);
        for (std::size_t k = 0; k < count; ++k)
            oneByOne.append(
                static_cast<double>(values[k]),
                NumberLabel{static_cast<float>(std::min<std::uint64_t>(first + k, 16777216))},
                colour);

        batched.reserveMore(count);
        SeriesPoints::Batch batch = batched.appendBatch(count, {first, 16777216}, colour);
        std::vector<std::pair<std::size_t, std::size_t>> chunks;  // uneven, shuffled
        for (std::size_t at = 0; at < count;) {
            const std::size_t n = std::min(count - at, 1 + uniform(700));
            chunks.emplace_back(at, n);
            at += n;
        }
        std::shuffle(chunks.begin(), chunks.end(), random);
        // Now and then written in place first, as the sampler writes a click's points.
        const std::span<float> inPlace = uniform(2) == 0 ? batch.destination() : std::span<float>();
        const auto writeEvery = [&](std::size_t parity) {
            for (std::size_t c = parity; c < chunks.size(); c += 2) {
                const auto [at, n] = chunks[c];
                std::span<const float> chunk = std::span(values).subspan(at, n);
                if (!inPlace.empty()) {
                    std::copy(chunk.begin(), chunk.end(),
                              inPlace.begin() + static_cast<std::ptrdiff_t>(at));
                    chunk = inPlace.subspan(at, n);
                }
                batch.write(at, chunk);
            }
        };
        std::thread other(writeEvery, 1);
        writeEvery(0);
        other.join();
        batch.finish();
    }

    ASSERT_EQ(batched.size(), oneByOne.size());
    EXPECT_EQ(batched.values().wide(), oneByOne.values().wide());
    EXPECT_EQ(batched.colourRuns().size(), oneByOne.colourRuns().size());
    for (std::size_t i = 0; i < oneByOne.size(); ++i) {
        ASSERT_EQ(std::bit_cast<std::uint64_t>(batched.value(i)),
                  std::bit_cast<std::uint64_t>(oneByOne.value(i)))
            << i;
        ASSERT_EQ(batched.label(i), oneByOne.label(i)) << i;
        ASSERT_EQ(batched.colour(i), oneByOne.colour(i)) << i;
    }
    // Pairs of index blocks, read from the index itself (a shorter range is scanned).
    constexpr std::size_t kBlock = ExtentIndex::kFanOut;
    for (std::size_t first = 0; first + 2 * kBlock <= oneByOne.size(); first += kBlock)
        ASSERT_EQ(batched.extent(first, first + 2 * kBlock),
                  oneByOne.extent(first, first + 2 * kBlock))
            << first;
    for (int k = 0; k < 300; ++k) {
        const std::size_t a = uniform(oneByOne.size() + 1), b = uniform(oneByOne.size() + 1);
        EXPECT_EQ(batched.extent(a, b), oneByOne.extent(a, b)) << a << ".." << b;
    }
}

INSTANTIATE_TEST_SUITE_P(SeriesPoints, BatchAppend, testing::Range(1u, 9u));

}  // namespace series
