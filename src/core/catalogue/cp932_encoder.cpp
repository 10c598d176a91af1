#include "core/catalogue/cp932_encoder.h"

#include "core/catalogue/text_decoder.h"

#include <algorithm>
#include <iconv.h>
#include <stdexcept>

namespace catalogue {
namespace {

bool is_ascii(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

Cp932Encoder::Cp932Encoder() : iconv_(iconv_open("CP932", "UTF-8")) {
    if (iconv_ == reinterpret_cast<void*>(iconv_t(-1)))
        throw std::runtime_error("iconv cannot convert UTF-8 to CP932");
}

Cp932Encoder::~Cp932Encoder() {
    iconv_close(static_cast<iconv_t>(iconv_));
}

bool Cp932Encoder::encode(std::string_view utf8, std::string& out) {
    // Most catalogue text is ASCII, which is the same in both.
    if (is_ascii(utf8)) {
        out.append(utf8);
        return true;
    }
    const auto cd = static_cast<iconv_t>(iconv_);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(utf8.data());
    size_t in_left = utf8.size();
    const size_t start = out.size();
    // Code page 932 never takes more bytes than UTF-8 for the same text.
    out.resize(start + utf8.size() + 4);
    char* dst = out.data() + start;
    size_t out_left = utf8.size() + 4;
    const bool ok = iconv(cd, &in, &in_left, &dst, &out_left) != static_cast<size_t>(-1) &&
                    iconv(cd, nullptr, nullptr, &dst, &out_left) != static_cast<size_t>(-1);
    out.resize(static_cast<size_t>(dst - out.data()));
    return ok && in_left == 0;
}

std::optional<size_t> Cp932Encoder::byte_length(std::string_view utf8) {
    if (is_ascii(utf8))
        return utf8.size();
    size_t bytes = 0;
    if (!encodeInPieces(utf8, [&](std::string_view piece) { bytes += piece.size(); }))
        return std::nullopt;
    return bytes;
}

bool Cp932Encoder::encodeInPieces(std::string_view utf8,
                                  const std::function<void(std::string_view)>& piece) {
    constexpr size_t kPiece = size_t(1) << 16; // of UTF-8
    while (!utf8.empty()) {
        size_t cut = utf8_cut(utf8, kPiece);
        if (cut == 0)
            cut = std::min(utf8.size(), kPiece); // no character starts here: it fails
        scratch_.clear();
        if (!encode(utf8.substr(0, cut), scratch_))
            return false;
        piece(scratch_);
        utf8.remove_prefix(cut);
    }
    return true;
}

std::optional<size_t> Cp932Encoder::firstUnencodable(std::string_view utf8) {
    scratch_.clear();
    if (encode(utf8, scratch_))
        return std::nullopt;
    // Only on failure, so a character at a time is cheap enough.
    for (size_t at = 0; at < utf8.size();) {
        size_t length = 1;
        while (at + length < utf8.size() &&
               (static_cast<unsigned char>(utf8[at + length]) & 0xC0) == 0x80)
            ++length;
        scratch_.clear();
        if (!encode(utf8.substr(at, length), scratch_))
            return at;
        at += length;
    }
    return utf8.size();
}

} // namespace catalogue
