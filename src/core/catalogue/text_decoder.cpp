#include "core/catalogue/text_decoder.h"

#include "core/catalogue/cp932_codec.h"

#include <algorithm>
#include <cctype>

namespace catalogue {
namespace {

bool is_ascii(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool iequals(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

bool encoding_from_name(std::string_view name, TextEncoding& encoding) {
    for (const char* utf8 : {"UTF-8", "UTF8"}) {
        if (iequals(name, utf8)) {
            encoding = TextEncoding::Utf8;
            return true;
        }
    }
    for (const char* sjis : {"Shift_JIS", "Shift-JIS", "SJIS", "windows-31j", "cp932", "MS932",
                             "x-sjis", "csShiftJIS", "csWindows31J"}) {
        if (iequals(name, sjis)) {
            encoding = TextEncoding::Cp932;
            return true;
        }
    }
    return false;
}

std::size_t utf8_char(std::string_view text, std::size_t at, unsigned& cp) {
    const auto c = static_cast<unsigned char>(text[at]);
    std::size_t len;
    unsigned min;
    if (c < 0x80) {
        cp = c;
        return 1;
    } else if ((c & 0xE0) == 0xC0) {
        len = 2, min = 0x80, cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        len = 3, min = 0x800, cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        len = 4, min = 0x10000, cp = c & 0x07;
    } else {
        return 0;
    }
    if (at + len > text.size())
        return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto cc = static_cast<unsigned char>(text[at + k]);
        if ((cc & 0xC0) != 0x80)
            return 0;
        cp = cp << 6 | (cc & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

bool is_valid_utf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        unsigned cp;
        const std::size_t len = utf8_char(text, i, cp);
        if (len == 0)
            return false;
        i += len;
    }
    return true;
}

std::size_t utf8_cut(std::string_view utf8, std::size_t at) {
    if (at >= utf8.size())
        return utf8.size();
    while (at > 0 && (static_cast<unsigned char>(utf8[at]) & 0xC0) == 0x80)
        --at;
    return at;
}

TextDecoder::TextDecoder(TextEncoding encoding) : encoding_(encoding) {}

bool TextDecoder::decode(std::string_view in, std::string& out) {
    if (is_ascii(in)) {
        out.append(in);
        return true;
    }
    if (encoding_ == TextEncoding::Utf8) {
        if (!is_valid_utf8(in))
            return false;
        out.append(in);
        return true;
    }
    out.reserve(out.size() + in.size() * 3 / 2);
    return cp932::decode(in, out).complete;
}

bool TextDecoder::decodeInParts(std::string_view in,
                                const std::function<void(std::string_view)>& part) {
    if (encoding_ == TextEncoding::Utf8 || is_ascii(in)) {
        if (encoding_ == TextEncoding::Utf8 && !is_valid_utf8(in))
            return false;
        part(in);
        return true;
    }
    constexpr size_t kPiece = size_t(1) << 16;
    std::string buffer;
    buffer.reserve(3 * kPiece + 4); // a CP932 byte never needs more than 3 UTF-8 bytes
    while (!in.empty()) {
        // A character cut at the end of a piece is left for the next one.
        const std::string_view window = in.substr(0, kPiece);
        const bool more = window.size() < in.size();
        buffer.clear();
        const cp932::Decoded decoded = cp932::decode(window, buffer);
        if (!buffer.empty())
            part(buffer);
        in.remove_prefix(decoded.used);
        if (!decoded.complete && !(decoded.cut && more))
            return false; // a bad sequence, or one cut by the end of the text
    }
    return true;
}

std::string escape_controls(std::string_view utf8) {
    static const char hex[] = "0123456789abcdef";
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c < 0x20 || c == 0x7F) {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else if (c == 0xC2 && i + 1 < utf8.size() &&
                   static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
            const auto c1 = static_cast<unsigned char>(utf8[++i]);
            out += "\\u00";
            out += hex[c1 >> 4];
            out += hex[c1 & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string printable(std::string_view raw, TextEncoding encoding, std::size_t max_chars) {
    // A character takes at most four bytes, and only the first ones are shown.
    if (max_chars < raw.size() / 4)
        raw = raw.substr(0, 4 * max_chars + 4);
    std::string utf8;
    TextDecoder decoder(encoding);
    if (!decoder.decode(raw, utf8)) {
        // Decoded a character at a time, so that only the faulty bytes are escaped.
        utf8.clear();
        for (std::size_t i = 0; i < raw.size();) {
            const auto c = static_cast<unsigned char>(raw[i]);
            std::size_t len = 1;
            if (encoding == TextEncoding::Cp932) {
                if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC))
                    len = 2;
            } else if (c >= 0xF0) {
                len = 4;
            } else if (c >= 0xE0) {
                len = 3;
            } else if (c >= 0xC0) {
                len = 2;
            }
            len = std::min(len, raw.size() - i);
            const std::size_t before = utf8.size();
            if (!decoder.decode(raw.substr(i, len), utf8)) {
                utf8.resize(before);
                static const char hex[] = "0123456789ABCDEF";
                utf8 += "\\x";
                utf8 += hex[c >> 4];
                utf8 += hex[c & 15];
                len = 1;
            }
            i += len;
        }
    }
    utf8 = escape_controls(utf8);
    // Cut at a character boundary.
    std::size_t chars = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80)
            continue;
        if (chars++ == max_chars)
            return utf8.substr(0, i) + "…";
    }
    return utf8;
}

} // namespace catalogue
