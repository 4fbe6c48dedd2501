#pragma once
// Flush-to-zero (on x86 with denormals-are-zero) turned on in the calling
// thread while an object lives, as code built with -ffast-math leaves a
// thread; controls() reads the control bits of the register that holds them.

#include <cstdint>

#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>
#endif

class FlushToZero {
public:
#if defined(__x86_64__) || defined(__i386__)
    static constexpr bool kAvailable = true;
    static std::uint64_t controls() { return _mm_getcsr() & ~0x3Fu; }  // not the status flags
    FlushToZero() : saved_(_mm_getcsr()) { _mm_setcsr(saved_ | 0x8040); }
    ~FlushToZero() { _mm_setcsr(saved_); }

private:
    unsigned saved_;
#elif defined(__aarch64__)
    static constexpr bool kAvailable = true;
    static std::uint64_t controls() {
        std::uint64_t fpcr = 0;
        asm volatile("mrs %0, fpcr" : "=r"(fpcr));
        return fpcr;
    }
    FlushToZero() : saved_(controls()) { write(saved_ | std::uint64_t{1} << 24); }  // FPCR.FZ
    ~FlushToZero() { write(saved_); }

private:
    static void write(std::uint64_t fpcr) { asm volatile("msr fpcr, %0" : : "r"(fpcr)); }
    std::uint64_t saved_;
#else
    static constexpr bool kAvailable = false;
    static std::uint64_t controls() { return 0; }
#endif
};
