#pragma once
// What this machine allows a full-scale click at best: writing the same bytes
// into fresh memory, and the sampling arithmetic alone at the widest vector
// unit the processor has, nothing stored.

#include <cstdint>

#include "plot/curves.h"

namespace bench {

// Fills `floats` fresh floats (huge pages where the system gives them) on
// `threads` threads; the time of the filling, page faults included.
double plainStoreMs(std::uint64_t floats, unsigned threads);

// The arithmetic of `passes` passes of both curves on `threads` threads, its
// results folded into `sink`.
double bareVectorLoopMs(const plot::Coefficients& c, std::uint64_t passes, unsigned threads,
                        std::uint32_t& sink);

}  // namespace bench
