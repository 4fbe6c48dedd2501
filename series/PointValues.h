#pragma once
// The values of one series. Held as 32-bit floats while every value is one
// (half the memory of doubles; every value the curves give is a float). The
// first value that is not exactly a float widens the whole array to 64-bit
// doubles, once, so that no value is ever rounded.

#include <cstddef>
#include <span>
#include <vector>

#include "series/AllocationBudget.h"
#include "series/HugePageAllocator.h"

namespace series {

class PointValues {
public:
    std::size_t size() const { return wide_ ? doubles_.size() : floats_.size(); }
    double operator[](std::size_t index) const {
        return wide_ ? doubles_[index] : static_cast<double>(floats_[index]);
    }
    // True once a value that is not a float has been appended.
    bool wide() const { return wide_; }

    // Room for `count` more values without moving them; throws std::bad_alloc
    // (or std::length_error) and changes nothing when the memory is not there
    // or `budget` refuses it.
    void reserveMore(std::size_t count, AllocationBudget* budget = nullptr);
    void push_back(double value);

    // `count` more values, not yet written: room must have been reserved. They
    // are then written by write(), possibly from several threads at once, each
    // to its own range.
    void grow(std::size_t count);
    void write(std::size_t at, std::span<const float> values);
    // Values [at, at + count) as the floats they are held in, to be written in
    // place (write() then has nothing to copy); empty once widened to doubles.
    std::span<float> floatsAt(std::size_t at, std::size_t count) {
        return wide_ ? std::span<float>() : std::span<float>(floats_).subspan(at, count);
    }

    // Calls visit(span) with the values as they are held (floats or doubles),
    // for loops that should not test the width at every value.
    template <class Visit>
    decltype(auto) visit(Visit&& visit) const {
        return wide_ ? visit(std::span<const double>(doubles_))
                     : visit(std::span<const float>(floats_));
    }

    // Where the values start, for checking that reserved room keeps them in place.
    const void* data() const {
        return wide_ ? static_cast<const void*>(doubles_.data()) : floats_.data();
    }

private:
    void widen(std::size_t capacity);

    std::vector<float, HugePageAllocator<float>> floats_;
    std::vector<double, HugePageAllocator<double>> doubles_;
    bool wide_ = false;
};

}  // namespace series
