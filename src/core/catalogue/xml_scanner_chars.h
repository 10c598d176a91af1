#pragma once

// Byte classes, messages and scans that the parts of the XML scanner share.

#include "core/catalogue/bits.h"
#include "core/catalogue/xml_scanner.h"

#include <array>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace catalogue {
namespace xml_chars {

// Descriptions worded as the reference parser's, so that a file both refuse
// reads the same either way.
constexpr const char* kBadTag = "Could not determine tag type";
constexpr const char* kBadPi = "Error parsing document declaration/processing instruction";
constexpr const char* kBadComment = "Error parsing comment";
constexpr const char* kBadCdata = "Error parsing CDATA section";
constexpr const char* kBadPcdata = "Error parsing PCDATA section";
constexpr const char* kBadStart = "Error parsing start element tag";
constexpr const char* kBadAttribute = "Error parsing element attribute";
constexpr const char* kBadEnd = "Error parsing end element tag";
constexpr const char* kMismatch = "Start-end tags mismatch";
constexpr const char* kNoRoot = "No document element found";
constexpr const char* kDoctype = "Document type declarations are refused";
constexpr const char* kSecondRoot = "Content after the document element";

enum : unsigned char { kNameStart = 1, kNameChar = 2, kSpace = 4, kValueStop = 8 };

// Byte classes. Bytes from 0x80 up count as name characters: they are parts
// of non-ASCII names, which the encoding decides about.
inline constexpr std::array<unsigned char, 256> make_classes() {
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c) {
        const bool start =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || c >= 0x80;
        const bool more = start || (c >= '0' && c <= '9') || c == '.' || c == '-';
        t[c] = static_cast<unsigned char>((start ? kNameStart : 0) | (more ? kNameChar : 0));
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
            t[c] |= kSpace;
        // Inside an attribute value these need more than copying; the quotes
        // are checked separately.
        if (c < 0x20 || c == '<' || c == '&')
            t[c] |= kValueStop;
    }
    return t;
}
constexpr std::array<unsigned char, 256> kClass = make_classes();

// Bytes after the sentinel that may be read: the scans below look at 16
// bytes at a time and stop at the sentinel at the latest. Values built in the
// scratch buffer are given the same slack after them.
constexpr std::size_t kSlack = XmlScanner::kPadding;
static_assert(kSlack >= 16, "the scans read 16 bytes at a time");

// Tags with more attributes than this check their names for repeats with a
// hash set.
constexpr std::size_t kFewAttributes = 32;

inline unsigned char cls(char c) {
    return kClass[static_cast<unsigned char>(c)];
}
inline bool is_space(char c) {
    return (cls(c) & kSpace) != 0;
}
// A character XML forbids in any text: the C0 controls but tab, line feed
// and carriage return (NUL is the buffer's sentinel and is checked apart).
inline bool forbidden_control(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 && u != '\t' && u != '\n' && u != '\r';
}
#if defined(__SSE2__)
inline unsigned first_set(unsigned mask) {
    return count_trailing_zeros(mask);
}
inline __m128i in_range(__m128i x, char lo, char hi) { // signed bytes
    return _mm_and_si128(_mm_cmpgt_epi8(x, _mm_set1_epi8(static_cast<char>(lo - 1))),
                         _mm_cmplt_epi8(x, _mm_set1_epi8(static_cast<char>(hi + 1))));
}
#endif

// The first byte at or after `p` that cannot go on a name.
inline const char* name_end(const char* p) {
#if defined(__SSE2__)
    for (;; p += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        // Letters (either case), "-./0-9:" less "/", '_', and every byte from 0x80.
        const __m128i letter = in_range(_mm_or_si128(x, _mm_set1_epi8(0x20)), 'a', 'z');
        const __m128i punct_digit =
            _mm_andnot_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8('/')), in_range(x, '-', ':'));
        const __m128i name = _mm_or_si128(_mm_or_si128(letter, punct_digit),
                                          _mm_or_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8('_')),
                                                       _mm_cmplt_epi8(x, _mm_setzero_si128())));
        const unsigned stop = ~static_cast<unsigned>(_mm_movemask_epi8(name)) & 0xFFFFu;
        if (stop)
            return p + first_set(stop);
    }
#else
    while (cls(*p) & kNameChar)
        ++p;
    return p;
#endif
}

// The first byte at or after `p` that ends an attribute value or needs more
// than copying: the quote, '<', '&' or a control character.
inline const char* value_end(const char* p, char quote) {
#if defined(__SSE2__)
    const __m128i q = _mm_set1_epi8(quote);
    for (;; p += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(x, _mm_set1_epi8(0x1F)), x);
        const __m128i stop = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(x, q), control),
                                          _mm_or_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8('<')),
                                                       _mm_cmpeq_epi8(x, _mm_set1_epi8('&'))));
        if (const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(stop)))
            return p + first_set(mask);
    }
#else
    while (*p != quote && !(cls(*p) & kValueStop))
        ++p;
    return p;
#endif
}

inline bool starts_with(const char* p, const char* literal) {
    // Stops at the first difference, so never reads past the sentinel.
    for (; *literal; ++p, ++literal) {
        if (*p != *literal)
            return false;
    }
    return true;
}
inline bool is_xml_char(unsigned long c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}
inline char* put_utf8(char* out, unsigned long c) {
    if (c < 0x80) {
        *out++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *out++ = static_cast<char>(0xC0 | (c >> 6));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (c >> 12));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (c >> 18));
        *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

} // namespace xml_chars
} // namespace catalogue
