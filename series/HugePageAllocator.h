#pragma once
// An allocator for the big point arrays that asks the kernel for 2 MiB pages.
// Appending a click's points writes hundreds of megabytes into fresh memory;
// with 4 KiB pages the page faults alone cost more than all the arithmetic
// (about 360 ms per 128 MiB on a virtual machine, against 10 ms with huge
// pages). std::allocator has no way to ask for them, hence this one. Small
// arrays get ordinary memory; where the system has no such hint (anything but
// Linux), big arrays are only aligned to 2 MiB.

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include <cstddef>
#include <limits>
#include <new>
#include <utility>

namespace series {

template <class T>
class HugePageAllocator {
public:
    using value_type = T;
    static constexpr std::size_t kHugePage = std::size_t{2} << 20;

    HugePageAllocator() = default;
    template <class U>
    explicit HugePageAllocator(const HugePageAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        if (n > std::numeric_limits<std::size_t>::max() / sizeof(T)) throw std::bad_alloc();
        const std::size_t bytes = n * sizeof(T);
        if (bytes < kHugePage) return static_cast<T*>(::operator new(bytes, alignment(bytes)));
        const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
        void* p = ::operator new(rounded, alignment(rounded));
#if defined(__linux__)
        madvise(p, rounded, MADV_HUGEPAGE);  // a hint: without it, ordinary pages
#endif
        return static_cast<T*>(p);
    }
    void deallocate(T* p, std::size_t n) noexcept {
        ::operator delete(p, alignment(n * sizeof(T)));
    }

    // Growing a vector leaves new elements default-initialised: numbers are
    // not zeroed first (they are about to be written), classes are constructed.
    template <class U>
    void construct(U* p) noexcept(noexcept(U())) {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }

    template <class U>
    bool operator==(const HugePageAllocator<U>&) const noexcept {
        return true;
    }

private:
    static std::align_val_t alignment(std::size_t bytes) {
        return std::align_val_t{bytes < kHugePage ? alignof(T) : kHugePage};
    }
};

}  // namespace series
