#pragma once
// The phases of a click's work, each timed on its own on one thread over all
// the click's passes: stepping x, sampling (the bounded double evaluation that
// certifies most samples, then the extended arithmetic for the samples it
// leaves open), storing the samples into the point store, and the level of
// detail (the extent index the chart draws from).

#include <cstddef>
#include <cstdint>

#include "plot/curves.h"

namespace bench {

struct ClickPhases {
    double xMs = 0, certifiedMs = 0, extendedMs = 0, storingMs = 0, lodMs = 0;
    std::size_t openSamples = 0;
    std::uint32_t sink = 0;  // folded results, so that nothing is optimised away
};

ClickPhases measureClickPhases(const plot::Coefficients& c, std::uint64_t passes);

}  // namespace bench
