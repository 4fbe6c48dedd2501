#include "plot/sampling.h"

#include <bit>

#include "plot/x_checkpoints.h"

namespace plot::detail {

Extended evaluateExtended(const float (&c)[5], const Powers& p) {
    const auto e = [](auto v) { return Extended(v); };
    return ((e(c[2]) * e(p.x2) + (e(c[1]) * e(p.x1) + e(c[0]))) + e(c[3]) * e(p.x3)) +
           e(c[4]) * e(p.x4);
}

float sampleUncertain(const float (&c)[5], const Powers& p) {
    if (needsExtended(c, p)) return sampleExactly(c, p);
    const auto term = [](float coefficient, double power) {
        return static_cast<double>(coefficient) * power;
    };
    return static_cast<float>(
        ((term(c[2], p.x2) + (term(c[1], p.x1) + static_cast<double>(c[0]))) + term(c[3], p.x3)) +
        term(c[4], p.x4));
}

float nextXExactly(float x) { return (Extended(x) + Extended(0.1)).toFloat(); }

float xAtPass(std::uint64_t pass) {
    const std::span<const float> checkpoints = xCheckpoints();
    const std::uint64_t index = pass / kXCheckpointSpacing;
    if (index >= checkpoints.size()) return checkpoints.back();  // x has stopped changing
    float x = checkpoints[index];
    for (std::uint64_t k = index * kXCheckpointSpacing; k < pass; ++k) x = nextX(x);
    return x;
}

// Within a binade, x + 0.1 rounds to x plus the same step each time, so x
// mostly grows by a constant. The guess x_j = x_0 + j·step is checked step by
// step, each check on its own (so the checks vectorize, where stepping is a
// chain of dependent operations); from the first step that fails, x is
// stepped one pass at a time.
//
// The check is nextX's certain case: with s = x_j + 0.1 in double,
// float(s) = x_{j+1} and s not a float midpoint, which, as s then rounds to
// x_{j+1}, means s is neither of the two midpoints next to x_{j+1} (exact
// doubles, from the float's neighbours).
float stepX(float x, PassBlock& block) {
    const std::size_t n = block.count;
    if (n == 0) return x;
    const double first = static_cast<double>(x);
    const double step = static_cast<double>(nextX(x)) - first;
    for (std::size_t j = 0; j < n; ++j) {
        const auto steps = static_cast<double>(static_cast<std::int32_t>(j));
        block.x[j] = static_cast<float>(first + steps * step);
    }
    for (std::size_t j = 0; j + 1 < n; ++j) {
        const double s = static_cast<double>(block.x[j]) + 0.1;
        const float next = block.x[j + 1];
        const auto bits = std::bit_cast<std::uint32_t>(next);
        const double up = static_cast<double>(std::bit_cast<float>(bits + 1));
        const double down = static_cast<double>(std::bit_cast<float>(bits - 1));
        const double nextAsDouble = static_cast<double>(next);
        const bool roundsToNext = static_cast<float>(s) == next;
        const bool midpoint = (s == (nextAsDouble + up) * 0.5) | (s == (nextAsDouble + down) * 0.5);
        block.certain[j] = static_cast<std::uint32_t>(roundsToNext & !midpoint);
    }
    std::size_t j = 0;
    while (j + 1 < n && block.certain[j] != 0) ++j;
    for (; j + 1 < n; ++j) block.x[j + 1] = nextX(block.x[j]);
    return nextX(block.x[n - 1]);
}

void sampleBlock(const Coefficients& c, PassBlock& block) {
    const Coefficients local = c;  // not aliasing the block, for the vectorizer
    for (std::size_t i = 0; i < block.count; ++i) {
        const Powers powers = powersOf(block.x[i]);
        bool certain1 = false, certain2 = false;
        block.y1[i] = boundedSample(local.a, powers, certain1);
        block.y2[i] = boundedSample(local.b, powers, certain2);
        block.certain[i] = (certain1 ? 1u : 0u) | (certain2 ? 2u : 0u);
    }
    for (std::size_t i = 0; i < block.count; ++i) {
        if (block.certain[i] == 3) continue;
        const Powers powers = powersOf(block.x[i]);
        if ((block.certain[i] & 1) == 0) block.y1[i] = sampleUncertain(c.a, powers);
        if ((block.certain[i] & 2) == 0) block.y2[i] = sampleUncertain(c.b, powers);
    }
}

}  // namespace plot::detail
