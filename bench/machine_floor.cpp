#include "bench/machine_floor.h"

#include <algorithm>
#include <bit>
#include <thread>
#include <vector>

#include "bench/bench_clock.h"
#include "plot/sampling.h"
#include "series/HugePageAllocator.h"

namespace bench {
namespace {

// The arithmetic of sampling both curves (x's powers, the double sums, the
// bound and its two float roundings), with nothing stored: the bits and the
// certain flags are folded into two words so that no lane is optimised away.
struct Folded {
    std::uint32_t bits = 0;
    std::uint32_t certain = 0;
};

template <int>
[[gnu::always_inline]] inline Folded foldPasses(const plot::Coefficients& c, std::uint64_t first,
                                                std::uint64_t last) {
    std::uint32_t bits = 0, certain = 0;
    for (std::uint64_t k = first; k < last; ++k) {
        const auto x = static_cast<float>(static_cast<double>(static_cast<std::int64_t>(k)) * 0.1);
        const plot::detail::Powers powers = plot::detail::powersOf(x);
        bool certain1 = false, certain2 = false;
        const float y1 = plot::detail::boundedSample(c.a, powers, certain1);
        const float y2 = plot::detail::boundedSample(c.b, powers, certain2);
        bits ^= std::bit_cast<std::uint32_t>(y1) ^ std::bit_cast<std::uint32_t>(y2);
        certain += static_cast<std::uint32_t>(certain1 & certain2);
    }
    return {bits, certain};
}

// The same loop built for each x86-64 vector width, for the floor only: the
// product chooses its width through plot's dispatch.
#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("avx512f,avx512dq,avx512vl"))) Folded foldWide(const plot::Coefficients& c,
                                                                     std::uint64_t first,
                                                                     std::uint64_t last) {
    return foldPasses<512>(c, first, last);
}
__attribute__((target("avx2"))) Folded foldMiddle(const plot::Coefficients& c, std::uint64_t first,
                                                  std::uint64_t last) {
    return foldPasses<256>(c, first, last);
}
#endif

Folded foldBest(const plot::Coefficients& c, std::uint64_t first, std::uint64_t last) {
#if defined(__x86_64__) && defined(__GNUC__)
    if (__builtin_cpu_supports("avx512dq") && __builtin_cpu_supports("avx512vl"))
        return foldWide(c, first, last);
    if (__builtin_cpu_supports("avx2")) return foldMiddle(c, first, last);
#endif
    return foldPasses<128>(c, first, last);
}

// Runs part(t) for t in [0, threads) on that many threads, the first here.
template <class Part>
void onThreads(unsigned threads, Part part) {
    std::vector<std::jthread> helpers;
    for (unsigned t = 1; t < threads; ++t) helpers.emplace_back(part, t);
    part(0u);
}

}  // namespace

double plainStoreMs(std::uint64_t floats, unsigned threads) {
    std::vector<float, series::HugePageAllocator<float>> fresh;
    fresh.reserve(floats);
    fresh.resize(floats);
    const auto start = Clock::now();
    onThreads(threads, [&](unsigned t) {
        const std::uint64_t first = floats * t / threads, last = floats * (t + 1) / threads;
        std::fill(fresh.begin() + static_cast<std::ptrdiff_t>(first),
                  fresh.begin() + static_cast<std::ptrdiff_t>(last), 1.0f);
    });
    return msSince(start);
}

double bareVectorLoopMs(const plot::Coefficients& c, std::uint64_t passes, unsigned threads,
                        std::uint32_t& sink) {
    std::vector<Folded> folded(threads);
    const auto start = Clock::now();
    onThreads(threads, [&](unsigned t) {
        folded[t] = foldBest(c, passes * t / threads, passes * (t + 1) / threads);
    });
    const double ms = msSince(start);
    for (const Folded& f : folded) sink ^= f.bits + f.certain;
    return ms;
}

}  // namespace bench
