// Protects sampling from the calling thread's floating-point settings: with
// flush-to-zero and denormals-are-zero on, every sampling entry still gives
// the samples of the default settings (here subnormal floats, which those
// settings would turn into zero), on helper threads too, and the caller's
// settings are as they were afterwards.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <functional>
#include <vector>

#include "plot/curves.h"
#include "plot/decimal.h"
#include "tests/flush_to_zero.h"

namespace {

using Samples = std::vector<float>;  // y1 of each pass, then y2 of each
constexpr std::uint64_t kPasses = 3 * plot::kSampleBlockPasses;

struct Entry {
    const char* name;
    std::function<Samples(const plot::Parameters&, const plot::Coefficients&)> sample;
};

Samples joined(const Samples& y1, const Samples& y2) {
    Samples both(y1);
    both.insert(both.end(), y2.begin(), y2.end());
    return both;
}

Samples ofPasses(const std::vector<plot::Pass>& passes) {
    Samples y1, y2;
    for (const plot::Pass& pass : passes) y1.push_back(pass.y1), y2.push_back(pass.y2);
    return joined(y1, y2);
}

const Entry kEntries[] = {
    {"sampleCurves",
     [](const plot::Parameters& p, const plot::Coefficients& c) {
         std::vector<plot::Pass> passes;
         plot::sampleCurves(p, c, [&](const plot::Pass& pass) { passes.push_back(pass); });
         return ofPasses(passes);
     }},
    {"PassSequence of passes",
     [](const plot::Parameters&, const plot::Coefficients& c) {
         std::vector<plot::Pass> passes(kPasses);
         plot::PassSequence(c, 0).fill(passes);
         return ofPasses(passes);
     }},
    {"PassSequence of samples",
     [](const plot::Parameters&, const plot::Coefficients& c) {
         Samples y1(kPasses), y2(kPasses);
         plot::PassSequence(c, 0).fill(y1, y2);
         return joined(y1, y2);
     }},
    {"sampleInParallel on three threads",
     [](const plot::Parameters&, const plot::Coefficients& c) {
         Samples y1(kPasses), y2(kPasses);
         plot::sampleInParallel(
             c, kPasses,
             [&](std::uint64_t first, std::span<const float> b1, std::span<const float> b2) {
                 std::copy(b1.begin(), b1.end(), y1.begin() + static_cast<std::ptrdiff_t>(first));
                 std::copy(b2.begin(), b2.end(), y2.begin() + static_cast<std::ptrdiff_t>(first));
             },
             3);
         return joined(y1, y2);
     }},
};

TEST(FloatEnvironment, CallersFlushToZeroChangesNoSampleAndIsKept) {
    if (!FlushToZero::kAvailable) GTEST_SKIP() << "no flush-to-zero to set on this processor";
    // Coefficients of about 1e-40, subnormal floats: y2 at pass 0 is b0.
    const plot::Parameters parameters{1, 1, plot::parseDecimal("1e40").value(), 1};
    const plot::Coefficients coefficients = plot::deriveCoefficients(parameters);
    for (const Entry& entry : kEntries) {
        SCOPED_TRACE(entry.name);
        const Samples want = entry.sample(parameters, coefficients);
        ASSERT_EQ(std::bit_cast<std::uint32_t>(want[want.size() / 2]), 0x00008B61u);
        const FlushToZero flushToZero;
        const std::uint64_t controls = FlushToZero::controls();
        const Samples got = entry.sample(parameters, coefficients);
        EXPECT_EQ(FlushToZero::controls(), controls);
        ASSERT_EQ(got.size(), want.size());
        std::size_t wrong = 0;
        for (std::size_t i = 0; i < got.size(); ++i)
            wrong += std::bit_cast<std::uint32_t>(got[i]) != std::bit_cast<std::uint32_t>(want[i]);
        EXPECT_EQ(wrong, 0u);
    }
}

}  // namespace
