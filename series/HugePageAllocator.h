#pragma once
// An allocator for the big point arrays that asks the kernel for huge pages.
// Appending a click's points writes hundreds of megabytes into fresh memory;
// with 4 KiB pages the page faults alone cost more than all the arithmetic
// (about 360 ms per 128 MiB on a virtual machine, against 10 ms with huge
// pages). std::allocator has no way to ask for them, hence this one.
//
// The huge page size is the system's: 2 MiB on x86-64, but 512 MiB on arm64
// kernels with 64 KiB base pages (32 MiB with 16 KiB ones). Linux tells it in
// sysfs, read once; elsewhere, and where sysfs says nothing usable, it is
// taken as 2 MiB. An array smaller than one huge page gets ordinary memory.
// A bigger one starts on a huge page boundary and, on Linux, is marked for
// huge pages. Its size is not rounded up to whole huge pages: the huge pages
// inside it are backed as such, its tail by ordinary pages, so it never takes
// more memory than it uses (with 512 MiB pages, rounding up could nearly
// double an array).

#include <cstddef>
#include <iosfwd>
#include <limits>
#include <new>
#include <utility>

namespace series {

namespace huge_pages {

inline constexpr std::size_t kDefaultSize = std::size_t{2} << 20;

// The huge page size read from the text of Linux's hpage_pmd_size: a power of
// two of at least 4 KiB, or kDefaultSize when the text is anything else.
std::size_t parseSize(std::istream& text);

// This system's huge page size, read on the first call only.
std::size_t systemSize();

// The alignment an array of `bytes` gets when huge pages are `hugePage` bytes
// and its elements need `elementAlignment`: the huge page once the array
// fills one, the element's own below that.
constexpr std::size_t alignment(std::size_t bytes, std::size_t elementAlignment,
                                std::size_t hugePage) {
    return bytes < hugePage ? elementAlignment : hugePage;
}

// Memory for an array of `bytes` laid out as above, and its release (with the
// same arguments).
void* allocate(std::size_t bytes, std::size_t elementAlignment, std::size_t hugePage);
void deallocate(void* p, std::size_t bytes, std::size_t elementAlignment,
                std::size_t hugePage) noexcept;

}  // namespace huge_pages

template <class T>
class HugePageAllocator {
public:
    using value_type = T;

    HugePageAllocator() = default;
    template <class U>
    explicit HugePageAllocator(const HugePageAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        if (n > std::numeric_limits<std::size_t>::max() / sizeof(T)) throw std::bad_alloc();
        return static_cast<T*>(
            huge_pages::allocate(n * sizeof(T), alignof(T), huge_pages::systemSize()));
    }
    void deallocate(T* p, std::size_t n) noexcept {
        huge_pages::deallocate(p, n * sizeof(T), alignof(T), huge_pages::systemSize());
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
};

}  // namespace series
