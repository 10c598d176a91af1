#include "core/catalogue/text_decoder.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <iconv.h>
#include <stdexcept>

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

bool is_valid_utf8(std::string_view text) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(text[i]);
        size_t len;
        unsigned min;
        unsigned cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            len = 2, min = 0x80, cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3, min = 0x800, cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4, min = 0x10000, cp = c & 0x07;
        } else {
            return false;
        }
        if (i + len > n)
            return false;
        for (size_t k = 1; k < len; ++k) {
            const auto cc = static_cast<unsigned char>(text[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
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

TextDecoder::~TextDecoder() {
    if (iconv_)
        iconv_close(static_cast<iconv_t>(iconv_));
}

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
    const auto cd = static_cast<iconv_t>(converter());
    const size_t start = out.size();
    out.resize(start + in.size() * 3 + 4); // a CP932 byte never needs more than 3 UTF-8 bytes
    char* src = const_cast<char*>(in.data());
    size_t src_left = in.size();
    char* dst = out.data() + start;
    size_t dst_left = out.size() - start;
    const size_t rc = iconv(cd, &src, &src_left, &dst, &dst_left);
    if (rc == static_cast<size_t>(-1) || src_left != 0)
        return false;
    out.resize(out.size() - dst_left);
    return true;
}

void* TextDecoder::converter() {
    if (!iconv_) {
        const iconv_t cd = iconv_open("UTF-8", "CP932");
        if (cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("code page 932 decoder unavailable");
        iconv_ = cd;
    }
    iconv(static_cast<iconv_t>(iconv_), nullptr, nullptr, nullptr, nullptr);
    return iconv_;
}

bool TextDecoder::decodeInParts(std::string_view in,
                                const std::function<void(std::string_view)>& part) {
    if (encoding_ == TextEncoding::Utf8 || is_ascii(in)) {
        if (encoding_ == TextEncoding::Utf8 && !is_valid_utf8(in))
            return false;
        part(in);
        return true;
    }
    const auto cd = static_cast<iconv_t>(converter());
    constexpr size_t kPiece = size_t(1) << 16;
    std::string buffer(3 * kPiece + 4, '\0'); // a CP932 byte never needs more than 3 UTF-8 bytes
    char* const out = buffer.data();
    char* src = const_cast<char*>(in.data());
    size_t left = in.size();
    while (left > 0) {
        // A character cut at the end of a piece is left for the next one.
        size_t window = std::min(left, kPiece);
        const size_t window_was = window;
        char* dst = out;
        size_t room = buffer.size();
        const size_t rc = iconv(cd, &src, &window, &dst, &room);
        left -= window_was - window;
        if (dst != out)
            part(std::string_view(out, static_cast<size_t>(dst - out)));
        if (rc == static_cast<size_t>(-1) && (errno != EINVAL || left == window))
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
