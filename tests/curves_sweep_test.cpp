// Protects the curve arithmetic where the loop runs longest: pass counts up to
// the counter limit, the pass with the stuck counters, and x and its powers at
// every one of the 16.7 million passes. Slow.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "plot/curves.h"
#include "plot/decimal.h"
#include "plot/sampling.h"
#include "tests/pass_counts.h"
#include "tests/reference_arithmetic.h"
#include "tests/row_name.h"

namespace {

using pass_counts::CountCase;
using plot::Pass;

std::uint32_t bits(float v) { return std::bit_cast<std::uint32_t>(v); }

class PassCounts : public testing::TestWithParam<CountCase> {};

TEST_P(PassCounts, MatchTheLiteralRule) { pass_counts::expectPassCount(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Curves, PassCounts,
    testing::Values(CountCase{"Span1OneBelowTheLimit", "16777215", "0", 16777216},
                    CountCase{"Span1AtTheLimit", "16777216", "0", 16777217},
                    CountCase{"Span1FarBeyondTheLimit", "1e30", "0", 16777217},
                    CountCase{"Span2AtTheLimit", "0", "16777216", 16777207},
                    CountCase{"Span2FarBeyondTheLimit", "0", "1e4000", 16777207},
                    CountCase{"BothFarBeyondTheLimit", "1e30", "1e30", 16777217}),
    RowName{});

// Slow: 16,777,217 passes.
TEST(CounterLimit, HugeSpanEndsAfterTheStuckCounterPassAndXMatchesReference) {
    std::uint64_t n = 0;
    float expectedX = 0;
    bool xMatches = true;
    Pass last{};
    plot::sampleCurves({10, plot::parseDecimal("1e30").value(), 10, 10},
                       plot::deriveCoefficients({10, 1, 10, 10}), [&](const Pass& pass) {
                           xMatches = xMatches && bits(pass.x) == bits(expectedX);
                           expectedX = reference::nextX(expectedX);
                           last = pass;
                           ++n;
                       });
    EXPECT_EQ(n, 16777217u);
    EXPECT_TRUE(xMatches);
    EXPECT_EQ(last.count1, plot::kCounterLimit);
    EXPECT_EQ(last.count2, plot::kCounterLimit);
}

// Slow: every x the loop reaches.
TEST(Powers, AreCorrectlyRoundedForEveryXTheLoopReaches) {
    float x = 0;
    std::uint64_t wrong = 0;
    for (std::uint64_t k = 0; k < 16777217; ++k, x = reference::nextX(x)) {
        const plot::detail::Powers p = plot::detail::powersOf(x);
        wrong += p.x2 != reference::power(x, 2) || p.x3 != reference::power(x, 3) ||
                 p.x4 != reference::power(x, 4);
    }
    EXPECT_EQ(wrong, 0u);
}

}  // namespace
