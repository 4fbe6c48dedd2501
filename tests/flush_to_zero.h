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
    static std::uint64_t controls() { return read() & ~std::uint64_t{0x3F}; }  // no status flags

private:
    static constexpr std::uint64_t kBits = 0x8040;
    static std::uint64_t read() { return _mm_getcsr(); }
    static void write(std::uint64_t v) { _mm_setcsr(static_cast<unsigned>(v)); }
#elif defined(__aarch64__)
    static constexpr bool kAvailable = true;
    static std::uint64_t controls() { return read(); }

private:
    static constexpr std::uint64_t kBits = std::uint64_t{1} << 24;  // FPCR.FZ
    static std::uint64_t read() {
        std::uint64_t fpcr = 0;
        asm volatile("mrs %0, fpcr" : "=r"(fpcr));
        return fpcr;
    }
    static void write(std::uint64_t fpcr) { asm volatile("msr fpcr, %0" : : "r"(fpcr)); }
#else
    static constexpr bool kAvailable = false;
    static std::uint64_t controls() { return 0; }

private:
    static constexpr std::uint64_t kBits = 0;
    static std::uint64_t read() { return 0; }
    static void write(std::uint64_t) {}
#endif

public:
    FlushToZero() : saved_(read()) { write(saved_ | kBits); }
    ~FlushToZero() { write(saved_); }
    FlushToZero(const FlushToZero&) = delete;
    FlushToZero& operator=(const FlushToZero&) = delete;

private:
    std::uint64_t saved_;
};
