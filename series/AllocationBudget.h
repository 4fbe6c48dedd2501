#pragma once
// A limit on the memory a series may take when it makes room for more points:
// none unless given, so that a test can rehearse a click that runs out of
// memory at its first allocation, or at any later one.

#include <cstddef>
#include <limits>
#include <new>

namespace series {

struct AllocationBudget {
    std::size_t largestBytes = std::numeric_limits<std::size_t>::max();
    std::size_t allocationsLeft = std::numeric_limits<std::size_t>::max();

    // Grants one allocation of `bytes`, or throws std::bad_alloc.
    void take(std::size_t bytes) {
        if (bytes > largestBytes || allocationsLeft == 0) throw std::bad_alloc();
        --allocationsLeft;
    }
};

// Makes room for `capacity` elements in `vector`, charging `budget` (if any)
// for the one allocation that takes, when it takes one.
template <class Vector>
void reserveWithin(Vector& vector, std::size_t capacity, AllocationBudget* budget) {
    if (capacity <= vector.capacity()) return;
    if (capacity > vector.max_size()) throw std::bad_alloc();
    if (budget) budget->take(capacity * sizeof(typename Vector::value_type));
    vector.reserve(capacity);
}

}  // namespace series
