#include "series/HugePageAllocator.h"

#include <bit>
#include <fstream>
#include <istream>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace series::huge_pages {

std::size_t parseSize(std::istream& text) {
    unsigned long long size = 0;
    if (!(text >> size) || !std::has_single_bit(size) || size < 4096 ||
        size > std::numeric_limits<std::size_t>::max())
        return kDefaultSize;
    return static_cast<std::size_t>(size);
}

std::size_t systemSize() {
#if defined(__linux__)
    static const std::size_t size = [] {
        std::ifstream text("/sys/kernel/mm/transparent_hugepage/hpage_pmd_size");
        return parseSize(text);
    }();
    return size;
#else
    return kDefaultSize;
#endif
}

void* allocate(std::size_t bytes, std::size_t elementAlignment, std::size_t hugePage) {
    const std::size_t align = alignment(bytes, elementAlignment, hugePage);
    void* p = ::operator new (bytes, std::align_val_t{align});
#if defined(__linux__)
    // A hint: refused or unsupported, the array just gets ordinary pages.
    if (align == hugePage) madvise(p, bytes, MADV_HUGEPAGE);
#endif
    return p;
}

void deallocate(void* p, std::size_t bytes, std::size_t elementAlignment,
                std::size_t hugePage) noexcept {
    ::operator delete (p, std::align_val_t{alignment(bytes, elementAlignment, hugePage)});
}

}  // namespace series::huge_pages
