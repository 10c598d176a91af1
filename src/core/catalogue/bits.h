// Byte order and bit scans without a compiler's private macros in the code
// that uses them: a target whose byte order is not known does not build.
#pragma once

#include <cstdint>
#if defined(_MSC_VER) && !defined(__clang__)
#include <intrin.h>
#endif

#if defined(__BYTE_ORDER__) && defined(__ORDER_LITTLE_ENDIAN__) && defined(__ORDER_BIG_ENDIAN__)
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
#define TARVOLIN_LITTLE_ENDIAN 1
#elif __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
#define TARVOLIN_LITTLE_ENDIAN 0
#endif
#elif defined(_WIN32)
#define TARVOLIN_LITTLE_ENDIAN 1 // every Windows target is little-endian
#endif
#ifndef TARVOLIN_LITTLE_ENDIAN
#error "The byte order of this target is not known."
#endif

namespace catalogue {

inline constexpr bool kLittleEndian = TARVOLIN_LITTLE_ENDIAN != 0;

// The number of zero bits below the lowest set bit; 64 for zero.
inline unsigned count_trailing_zeros(std::uint64_t w) {
    if (w == 0)
        return 64;
#if defined(__GNUC__) || defined(__clang__)
    return static_cast<unsigned>(__builtin_ctzll(w));
#elif defined(_MSC_VER) && defined(_M_X64)
    unsigned long at;
    _BitScanForward64(&at, w);
    return static_cast<unsigned>(at);
#else
    unsigned n = 0;
    for (; (w & 1) == 0; w >>= 1)
        ++n;
    return n;
#endif
}

} // namespace catalogue
