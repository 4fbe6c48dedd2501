#pragma once
// The phases of a click's work, each timed on its own on one thread over all
// the click's passes, at the widest vector unit: x of every pass, sampling
// (the vector kernel, whose bound and exactness check settle most samples,
// then the samples it leaves to the extended arithmetic), storing (what
// writing the samples into a fresh point store costs beyond writing them into
// memory in use), and the level of detail (the extent index the chart draws
// from).

#include <cstddef>
#include <cstdint>

#include "plot/curves.h"

namespace bench {

struct ClickPhases {
    double xMs = 0, certifiedMs = 0, extendedMs = 0, storingMs = 0, lodMs = 0;
    std::size_t openSamples = 0;      // left open by the bound
    std::size_t extendedSamples = 0;  // left to the extended arithmetic
    std::uint32_t sink = 0;           // folded results, so that nothing is optimised away
};

ClickPhases measureClickPhases(const plot::Coefficients& c, std::uint64_t passes);

}  // namespace bench
