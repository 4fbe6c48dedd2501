#pragma once
// An allocator for the big point arrays that asks the kernel for 2 MiB pages.
// Appending a click's points writes hundreds of megabytes into fresh memory;
// with 4 KiB pages the page faults alone cost more than all the arithmetic
// (about 360 ms per 128 MiB on a virtual machine, against 10 ms with huge
// pages). std::allocator has no way to ask for them, hence this one. Small
// arrays, and systems without transparent huge pages, get ordinary memory.

#include <sys/mman.h>

#include <cstddef>
#include <cstdlib>
#include <limits>
#include <new>

// The largest single allocation granted, in bytes. Unlimited, except where a
// test rehearses running out of memory.
inline std::size_t gLargestPointAllocation = std::numeric_limits<std::size_t>::max();

template <class T>
class HugePageAllocator {
public:
    using value_type = T;
    static constexpr std::size_t kHugePage = std::size_t{2} << 20;

    HugePageAllocator() = default;
    template <class U>
    explicit HugePageAllocator(const HugePageAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        if (n > gLargestPointAllocation / sizeof(T)) throw std::bad_alloc();
        const std::size_t bytes = n * sizeof(T);
        if (bytes < kHugePage) {
            if (void* p = std::malloc(bytes)) return static_cast<T*>(p);
            throw std::bad_alloc();
        }
        const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
        void* p = std::aligned_alloc(kHugePage, rounded);
        if (!p) throw std::bad_alloc();
        madvise(p, rounded, MADV_HUGEPAGE);  // a hint: without it, ordinary pages
        return static_cast<T*>(p);
    }
    void deallocate(T* p, std::size_t) noexcept { std::free(p); }

    template <class U>
    bool operator==(const HugePageAllocator<U>&) const noexcept {
        return true;
    }
};
