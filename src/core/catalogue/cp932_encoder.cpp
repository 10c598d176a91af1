#include "core/catalogue/cp932_encoder.h"

#include "core/catalogue/cp932_codec.h"
#include "core/catalogue/text_decoder.h"

#include <algorithm>

namespace catalogue {
namespace {

bool is_ascii(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

bool Cp932Encoder::encode(std::string_view utf8, std::string& out) {
    // Most catalogue text is ASCII, which is the same in both.
    if (is_ascii(utf8)) {
        out.append(utf8);
        return true;
    }
    return cp932::encode(utf8, out) == std::string_view::npos;
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
    const size_t at = cp932::encode(utf8, scratch_);
    if (at == std::string_view::npos)
        return std::nullopt;
    return at;
}

} // namespace catalogue
