// Protects the curve arithmetic: coefficients, pass counts, every sample to
// the bit, and the errors raised before any pass (the runs up to the counter
// limit are in curves_sweep_test.cpp).

#include "plot/curves.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "plot/decimal.h"
#include "tests/pass_counts.h"
#include "tests/row_name.h"

namespace {

using pass_counts::CountCase;
using plot::Extended;
using plot::Parameters;
using plot::Pass;

// The value a decimal literal denotes, read as the tool reads a field.
Extended ext(const char* text) { return plot::parseDecimal(text).value(); }

std::uint32_t bits(float v) { return std::bit_cast<std::uint32_t>(v); }

// A float printed to eight significant digits, the way the worked cases give them.
std::string eightDigits(float v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.8g", static_cast<double>(v));
    return text;
}

std::vector<Pass> sample(const Parameters& p) {
    std::vector<Pass> passes;
    plot::sampleCurves(p, plot::deriveCoefficients(p),
                       [&](const Pass& pass) { passes.push_back(pass); });
    return passes;
}

struct WorkedCase {
    const char* name;
    Parameters parameters;
    std::vector<std::string> y1, y2;  // eight significant digits
};

class WorkedCases : public testing::TestWithParam<WorkedCase> {};

TEST_P(WorkedCases, SamplesLabelsAndCountsMatch) {
    const WorkedCase& c = GetParam();
    const std::vector<Pass> passes = sample(c.parameters);
    ASSERT_EQ(passes.size(), c.y1.size());
    for (std::size_t k = 0; k < passes.size(); ++k) {
        SCOPED_TRACE("pass " + std::to_string(k));
        EXPECT_EQ(eightDigits(passes[k].y1), c.y1[k]);
        EXPECT_EQ(eightDigits(passes[k].y2), c.y2[k]);
        EXPECT_EQ(passes[k].count1, static_cast<float>(k));
        EXPECT_EQ(passes[k].count2, static_cast<float>(k + 10));
    }
}

INSTANTIATE_TEST_SUITE_P(Curves, WorkedCases,
                         testing::Values(WorkedCase{"Vramp4Span5Omaga8Span15",
                                                    {4, 5, 8, 15},
                                                    {"0", "0.0023750002", "0.018000001",
                                                     "0.057375006", "0.12800001", "0.234375"},
                                                    {"1.25", "2", "2.75", "3.5", "4.25", "5"}},
                                         WorkedCase{"Vramp10Span2Omaga10Span12",
                                                    {10, 2, 10, 12},
                                                    {"0", "0.0019", "0.014400001"},
                                                    {"1", "2.2", "3.4000001"}}),
                         RowName{});

TEST(Coefficients, WorkedCaseGivesExactValues) {
    const plot::Coefficients c = plot::deriveCoefficients({4, 5, 8, 15});
    const float a[5] = {0, 0, 0, 2.5f, -1.25f};
    const float b[5] = {1.25f, 7.5f, 0, 0, 0};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(bits(c.a[i]), bits(a[i])) << "a" << i;
        EXPECT_EQ(bits(c.b[i]), bits(b[i])) << "b" << i;
    }
}

TEST(Samples, DriftedXAtOneGivesTheDriftedValuesNotTheRoundOnes) {
    const std::vector<Pass> passes = sample({1, 10, 10, 20});
    ASSERT_EQ(passes.size(), 11u);
    const Pass& last = passes.back();
    EXPECT_EQ(eightDigits(last.x), "1.0000001");
    EXPECT_EQ(bits(last.x), 0x3F800001u);
    EXPECT_EQ(bits(last.y1), 0x3F000002u);
    EXPECT_EQ(bits(last.y2), 0x40200001u);
    EXPECT_EQ(last.count1, 10.0f);
    EXPECT_EQ(last.count2, 20.0f);
}

// Samples where the terms nearly cancel (a3·x³ + a4·x⁴ is zero at x = 2), so
// that double arithmetic would round them to a neighbouring float.
struct ExactCase {
    const char* name;
    Parameters parameters;
    std::size_t pass;
    std::uint32_t y1, y2;
};

class ExactSamples : public testing::TestWithParam<ExactCase> {};

TEST_P(ExactSamples, NeedTheExtendedArithmetic) {
    const ExactCase& c = GetParam();
    const std::vector<Pass> passes = sample(c.parameters);
    ASSERT_GT(passes.size(), c.pass);
    EXPECT_EQ(bits(passes[c.pass].x), 0x40000001u);
    EXPECT_EQ(bits(passes[c.pass].y1), c.y1);
    EXPECT_EQ(bits(passes[c.pass].y2), c.y2);
}

INSTANTIATE_TEST_SUITE_P(
    Curves, ExactSamples,
    testing::Values(
        ExactCase{"Vramp89Span5Omaga148Span42", {89, 5, 148, 42}, 20, 0xB6406EB9, 0x4250114D},
        ExactCase{"Vramp81Span38Omaga2Span43", {81, 38, 2, 43}, 20, 0xBAC06005, 0x4584E401}),
    RowName{});

class PassCounts : public testing::TestWithParam<CountCase> {};

TEST_P(PassCounts, MatchTheLiteralRule) { pass_counts::expectPassCount(GetParam()); }

// The counts that run up to the counter limit are in curves_sweep_test.cpp.
INSTANTIATE_TEST_SUITE_P(Curves, PassCounts,
                         testing::Values(CountCase{"DefaultsGiveElevenPasses", "10", "10", 11},
                                         CountCase{"EqualityLetsThePassRun", "5", "15", 6},
                                         CountCase{"Span1ZeroRunsOnePass", "0", "5", 1},
                                         CountCase{"Span2AtItsCountersStartRunsOnePass", "-1", "10",
                                                   1},
                                         CountCase{"NonWholeSpans", "5.5", "15.5", 6},
                                         CountCase{"BothFailAtOnce", "-0.5", "9.99", 0},
                                         CountCase{"Span1AloneKeepsGoing", "20", "5", 21},
                                         CountCase{"Span2AloneKeepsGoing", "-5", "15", 6},
                                         CountCase{"Span1JustBelowZero", "-1e-30", "-1e30", 0}),
                         RowName{});

struct ErrorCase {
    const char* name;
    Parameters parameters;
    const char* message;
};

class Errors : public testing::TestWithParam<ErrorCase> {};

TEST_P(Errors, AreRaisedBeforeAnyPass) {
    const ErrorCase& c = GetParam();
    int visits = 0;
    try {
        plot::sampleCurves(c.parameters, plot::deriveCoefficients(c.parameters),
                           [&](const Pass&) { ++visits; });
        FAIL() << "no error raised";
    } catch (const plot::PlotError& e) {
        EXPECT_STREQ(e.what(), c.message);
    }
    EXPECT_EQ(visits, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Curves, Errors,
    testing::Values(ErrorCase{"ZeroOmaga", {10, 10, 0, 10}, "Omaga must not be zero"},
                    ErrorCase{
                        "NegativeZeroOmaga", {10, 10, -Extended(), 10}, "Omaga must not be zero"},
                    ErrorCase{"ZeroOmagaEvenWithNoPass", {10, -1, 0, 0}, "Omaga must not be zero"},
                    ErrorCase{"CoefficientBeyondFloat",
                              {ext("1e30"), ext("1e30"), 1, 0},
                              "The curve coefficients are too large to plot"},
                    ErrorCase{"CoefficientBeyondFloatWithNoPass",
                              {ext("1e30"), ext("-1e30"), 1, 0},
                              "The curve coefficients are too large to plot"},
                    ErrorCase{"SampleBeyondFloat",
                              {ext("1e38"), 30, 10, 30},
                              "The curves grow too large to plot (at x = 0.70000005)"}),
    RowName{});

TEST(Samples, LargeButFiniteSamplesAreAllHandedOut) {
    // The quick bound overflows here (3e37·x³ + 1.5e37·x⁴ at x ≈ 2.6), yet the
    // quartic's cancellation keeps every sample finite.
    const std::vector<Pass> passes = sample({ext("1.5e36"), 20, 1, 0});
    ASSERT_EQ(passes.size(), 21u);
    for (const Pass& p : passes) EXPECT_TRUE(std::isfinite(p.y1) && std::isfinite(p.y2));
}

}  // namespace
