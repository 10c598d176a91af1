// Texts that may be read a few bytes past their end, as the packet reader's
// names and values may, loaded a machine word at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/catalogue/bits.h"

namespace catalogue {

// The lowest n bytes of a word, 0 <= n <= 8.
inline std::uint64_t low_bytes(std::size_t n) {
    return n >= 8 ? ~std::uint64_t(0) : (std::uint64_t(1) << (8 * n)) - 1;
}

// The first min(n, 8) bytes at p as one word, the rest zero; eight bytes
// at p must be readable. The same word as memcpy of those bytes into a zero.
inline std::uint64_t padded_word(const char* p, std::size_t n) {
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    if constexpr (kLittleEndian)
        return w & low_bytes(n);
    else
        return n >= 8 ? w : w & ~low_bytes(8 - n);
}

} // namespace catalogue
