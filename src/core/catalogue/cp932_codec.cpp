#include "core/catalogue/cp932_codec.h"

#include "core/catalogue/text_decoder.h"

#include <array>
#include <cstdint>

namespace catalogue::cp932 {
namespace {

constexpr std::uint16_t kCp932Invalid = 0xFFFF;
constexpr std::uint16_t kCp932Lead = 0xFFFE;

#include "core/catalogue/cp932_table.inc"

constexpr std::size_t kLeadCount = sizeof kCp932Leads;

// Position of each lead byte in kCp932Pairs, or -1.
std::array<int, 256> make_lead_index() {
    std::array<int, 256> index{};
    index.fill(-1);
    for (std::size_t i = 0; i < kLeadCount; ++i)
        index[kCp932Leads[i]] = static_cast<int>(i);
    return index;
}

// The bytes of each BMP code point (0: not written), the first sequence
// that decodes to it unless the converter prefers another.
std::array<std::uint16_t, 0x10000> make_encoding() {
    std::array<std::uint16_t, 0x10000> bytes{};
    for (unsigned b = 0; b < 256; ++b)
        if (kCp932Single[b] < kCp932Lead && bytes[kCp932Single[b]] == 0)
            bytes[kCp932Single[b]] = static_cast<std::uint16_t>(b);
    for (std::size_t l = 0; l < kLeadCount; ++l)
        for (unsigned t = 0; t < 256; ++t) {
            const std::uint16_t cp = kCp932Pairs[l * 256 + t];
            if (cp != kCp932Invalid && bytes[cp] == 0)
                bytes[cp] = static_cast<std::uint16_t>(kCp932Leads[l] << 8 | t);
        }
    for (const auto& exception : kCp932EncodeExceptions)
        bytes[exception[0]] = exception[1];
    return bytes;
}

void append_utf8(unsigned cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | cp >> 6);
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | cp >> 12);
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

Decoded decode(std::string_view in, std::string& out) {
    static const std::array<int, 256> lead_index = make_lead_index();
    std::size_t i = 0;
    while (i < in.size()) {
        const auto b = static_cast<unsigned char>(in[i]);
        const std::uint16_t single = kCp932Single[b];
        if (single == kCp932Invalid)
            return {i, false, false};
        if (single != kCp932Lead) {
            append_utf8(single, out);
            ++i;
            continue;
        }
        if (i + 1 == in.size())
            return {i, false, true};
        const auto t = static_cast<unsigned char>(in[i + 1]);
        const std::uint16_t cp = kCp932Pairs[static_cast<std::size_t>(lead_index[b]) * 256 + t];
        if (cp == kCp932Invalid)
            return {i, false, false};
        append_utf8(cp, out);
        i += 2;
    }
    return {i, true, false};
}

std::size_t encode(std::string_view utf8, std::string& out) {
    static const std::array<std::uint16_t, 0x10000> encoding = make_encoding();
    for (std::size_t i = 0; i < utf8.size();) {
        unsigned cp = 0;
        const std::size_t len = utf8_char(utf8, i, cp);
        if (len == 0 || cp > 0xFFFF)
            return i;
        const std::uint16_t bytes = encoding[cp];
        if (bytes == 0 && cp != 0)
            return i;
        if (bytes > 0xFF)
            out += static_cast<char>(bytes >> 8);
        out += static_cast<char>(bytes & 0xFF);
        i += len;
    }
    return std::string_view::npos;
}

} // namespace catalogue::cp932
