#include <algorithm>
#include <array>
#include <exception>
#include <thread>

#include "plot/curves.h"

namespace plot {
namespace {

// Passes [first, last) through one sequence, a block at a time, into the
// destination or else into blocks of this thread's own. Nothing here
// allocates, so nothing can throw on a helper thread.
void sampleStretch(const Coefficients& c, std::uint64_t first, std::uint64_t last,
                   const BlockVisitor& visit, SimdLevel level, SampleDestination into) {
    PassSequence sequence(c, first, level);
    std::array<float, kSampleBlockPasses> y1, y2;
    for (std::uint64_t pass = first; pass < last; pass += kSampleBlockPasses) {
        const auto n =
            static_cast<std::size_t>(std::min<std::uint64_t>(kSampleBlockPasses, last - pass));
        const bool direct = !into.y1.empty();
        const std::span<float> block1 = direct ? into.y1.subspan(pass, n) : std::span(y1.data(), n);
        const std::span<float> block2 = direct ? into.y2.subspan(pass, n) : std::span(y2.data(), n);
        sequence.fill(block1, block2);
        visit(pass, block1, block2);
    }
}

constexpr unsigned kMostThreads = 64;

unsigned threadsFor(std::uint64_t blocks, unsigned requested) {
    const unsigned wanted =
        requested != 0 ? requested : std::max(1u, std::thread::hardware_concurrency());
    return static_cast<unsigned>(
        std::min<std::uint64_t>({wanted, kMostThreads, std::max<std::uint64_t>(blocks, 1)}));
}

}  // namespace

void sampleInParallel(const Coefficients& c, std::uint64_t passes, const BlockVisitor& visit,
                      unsigned requestedThreads, SimdLevel level, SampleDestination into) noexcept {
    if (into.y1.size() < passes || into.y2.size() < passes)
        into = {};  // no room: blocks of its own
    const std::uint64_t blocks = (passes + kSampleBlockPasses - 1) / kSampleBlockPasses;
    const unsigned threads = threadsFor(blocks, requestedThreads);
    // Thread t takes blocks [t·blocks/threads, (t+1)·blocks/threads).
    const auto stretchStart = [&](unsigned t) {
        return std::min<std::uint64_t>(passes, blocks * t / threads * kSampleBlockPasses);
    };
    std::array<std::jthread, kMostThreads> helpers;  // joined on return
    unsigned started = 1;
    for (; started < threads; ++started) {
        try {
            helpers[started] =
                std::jthread(sampleStretch, std::cref(c), stretchStart(started),
                             stretchStart(started + 1), std::cref(visit), level, into);
        } catch (const std::exception&) {  // system_error, or bad_alloc for its state
            break;                         // no more threads to be had: the rest is sampled here
        }
    }
    sampleStretch(c, stretchStart(0), stretchStart(1), visit, level, into);
    if (started < threads) sampleStretch(c, stretchStart(started), passes, visit, level, into);
}

}  // namespace plot
