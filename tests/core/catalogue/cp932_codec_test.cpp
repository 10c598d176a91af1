// The program's own code page 932 codec must read and write exactly what
// glibc's converter does, for every byte sequence and every code point: a
// catalogue read, or a CSV written, on Windows is then the same as on Linux.

#include "core/catalogue/cp932_codec.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

#if __has_include(<iconv.h>) && !defined(_WIN32)
#include <iconv.h>
#define TARVOLIN_HAVE_ICONV 1
#endif

namespace {

namespace cp932 = catalogue::cp932;

TEST(Cp932Codec, KnownTexts) {
    // ばね指数 (hiragana and kanji), half-width ｶﾀﾛｸﾞ, the yen sign's byte,
    // an NEC special (①) and an IBM extension kanji (髙).
    const std::string bytes = "\x82\xce\x82\xcb\x8e\x77\x90\x94"
                              "\xb6\xc0\xdb\xb8\xde"
                              "\x5c\x87\x40\xfb\xfc";
    const std::string utf8 = "ばね指数ｶﾀﾛｸﾞ\\①髙";
    std::string decoded;
    const auto d = cp932::decode(bytes, decoded);
    EXPECT_TRUE(d.complete);
    EXPECT_EQ(d.used, bytes.size());
    EXPECT_EQ(decoded, utf8);
    std::string encoded;
    EXPECT_EQ(cp932::encode(utf8, encoded), std::string_view::npos);
    EXPECT_EQ(encoded, bytes);
}

TEST(Cp932Codec, StopsAtWhatItCannotReadOrWrite) {
    std::string out;
    auto d = cp932::decode("ab\x80z", out); // 0x80 is no character
    EXPECT_FALSE(d.complete);
    EXPECT_FALSE(d.cut);
    EXPECT_EQ(d.used, 2u);
    EXPECT_EQ(out, "ab");

    out.clear();
    d = cp932::decode("ab\x88", out); // a lead byte at the end
    EXPECT_FALSE(d.complete);
    EXPECT_TRUE(d.cut);
    EXPECT_EQ(d.used, 2u);

    out.clear();
    d = cp932::decode("\x81\x7f", out); // a lead byte with a trail it cannot take
    EXPECT_FALSE(d.complete);
    EXPECT_FALSE(d.cut);
    EXPECT_EQ(d.used, 0u);

    out.clear();
    EXPECT_EQ(cp932::encode("ab\xc3\xa9", out), 2u);        // é is not in the code page
    EXPECT_EQ(cp932::encode("x\xf0\x9f\x98\x80", out), 1u); // nor is anything beyond the BMP
    EXPECT_EQ(cp932::encode("x\xe3\x81", out), 1u);         // a cut UTF-8 character
    EXPECT_EQ(cp932::encode("\xed\xa0\x80", out), 0u);      // an encoded surrogate
}

#ifdef TARVOLIN_HAVE_ICONV

struct Iconv {
    iconv_t cd;
    Iconv(const char* to, const char* from) : cd(iconv_open(to, from)) {}
    ~Iconv() { iconv_close(cd); }
    // The converted bytes, or nothing when iconv refuses the whole input.
    std::optional<std::string> operator()(const std::string& in) const {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        std::string out(in.size() * 4 + 8, '\0');
        char* src = const_cast<char*>(in.data());
        char* dst = out.data();
        size_t left = in.size(), room = out.size();
        if (iconv(cd, &src, &left, &dst, &room) == static_cast<size_t>(-1) || left != 0)
            return std::nullopt;
        out.resize(out.size() - room);
        return out;
    }
};

std::optional<std::string> ours_decoded(const std::string& in) {
    std::string out;
    if (!cp932::decode(in, out).complete)
        return std::nullopt;
    return out;
}

std::optional<std::string> ours_encoded(const std::string& in) {
    std::string out;
    if (cp932::encode(in, out) != std::string_view::npos)
        return std::nullopt;
    return out;
}

std::string utf8_of(unsigned cp) {
    std::string s;
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | cp >> 6);
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += static_cast<char>(0xE0 | cp >> 12);
        s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | cp >> 18);
        s += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
        s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return s;
}

TEST(Cp932Codec, DecodesEveryByteAndBytePairAsIconvDoes) {
    const Iconv iconv_decode("UTF-8", "CP932");
    ASSERT_NE(iconv_decode.cd, reinterpret_cast<iconv_t>(-1));
    int differences = 0;
    for (unsigned a = 0; a < 256; ++a) {
        const std::string one(1, static_cast<char>(a));
        EXPECT_EQ(ours_decoded(one), iconv_decode(one)) << "byte " << a;
        for (unsigned b = 0; b < 256 && differences < 10; ++b) {
            const std::string two{static_cast<char>(a), static_cast<char>(b)};
            if (ours_decoded(two) != iconv_decode(two)) {
                ++differences;
                ADD_FAILURE() << "bytes " << a << " " << b;
            }
        }
    }
}

TEST(Cp932Codec, EncodesEveryCodePointAsIconvDoes) {
    const Iconv iconv_encode("CP932", "UTF-8");
    ASSERT_NE(iconv_encode.cd, reinterpret_cast<iconv_t>(-1));
    int differences = 0;
    for (unsigned cp = 1; cp < 0x10000 + 0x400 && differences < 10; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF)
            continue;
        const std::string in = utf8_of(cp);
        if (ours_encoded(in) != iconv_encode(in)) {
            ++differences;
            ADD_FAILURE() << "U+" << std::hex << cp;
        }
    }
}

#endif

} // namespace
