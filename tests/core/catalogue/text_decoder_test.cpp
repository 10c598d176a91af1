// Decoding a piece at a time must give exactly what decoding at once gives,
// wherever the pieces happen to end: inside a two-byte character, just
// before a bad byte, at the very end of the text.

#include "core/catalogue/text_decoder.h"

#include <gtest/gtest.h>
#include <random>

namespace {

using catalogue::TextDecoder;
using catalogue::TextEncoding;

struct InParts {
    bool ok = false;
    std::string text;
    std::size_t pieces = 0;
};

InParts decode_in_parts(std::string_view in, TextEncoding encoding) {
    TextDecoder decoder(encoding);
    InParts r;
    r.ok = decoder.decodeInParts(in, [&](std::string_view part) {
        r.text.append(part);
        ++r.pieces;
    });
    return r;
}

// Code page 932 text of `bytes` bytes or a little more: ASCII, half-width
// kana and two-byte characters in random order, so that a piece boundary
// falls inside a character about as often as not.
std::string random_cp932(std::mt19937& rng, std::size_t bytes) {
    static const char* const kTwoByte[] = {"\x88\x9f", "\x8c\x5e", "\x94\xd4", "\x82\xa0",
                                           "\x83\x41", "\x81\x40", "\xe0\x40", "\xfa\x40"};
    std::string out;
    while (out.size() < bytes) {
        switch (rng() % 3) {
        case 0:
            out += static_cast<char>('A' + rng() % 26);
            break;
        case 1:
            out += static_cast<char>(0xB1 + rng() % 40);
            break; // half-width kana
        default:
            out += kTwoByte[rng() % 8];
            break;
        }
    }
    return out;
}

TEST(DecodeInParts, AgreesWithDecodingAtOnce) {
    std::mt19937 rng(20261208);
    for (int round = 0; round < 12; ++round) {
        std::string in = random_cp932(rng, (std::size_t(1) << 17) + rng() % 5000);
        std::string whole;
        TextDecoder at_once(TextEncoding::Cp932);
        ASSERT_TRUE(at_once.decode(in, whole));
        const InParts parts = decode_in_parts(in, TextEncoding::Cp932);
        EXPECT_TRUE(parts.ok) << round;
        EXPECT_EQ(parts.text, whole) << round;
        EXPECT_GE(parts.pieces, 2u);

        // A fault anywhere, the last byte included, is a fault.
        for (const std::size_t at : {0, 65534, 65535, 65536, 100000}) {
            const std::string before = at == 0 ? std::string() : random_cp932(rng, at);
            const std::string bad = before + "\x81\x20" + in; // 0x81 0x20 is no character
            EXPECT_FALSE(decode_in_parts(bad, TextEncoding::Cp932).ok) << before.size();
            EXPECT_FALSE(decode_in_parts(in + before + "\x81\x20", TextEncoding::Cp932).ok);
        }
        // A lead byte alone at the end.
        EXPECT_FALSE(decode_in_parts(in + "\x88", TextEncoding::Cp932).ok);
    }
}

TEST(DecodeInParts, HandsAsciiAndUtf8OverWhole) {
    const std::string ascii(200000, 'a');
    const InParts a = decode_in_parts(ascii, TextEncoding::Cp932);
    EXPECT_TRUE(a.ok);
    EXPECT_EQ(a.pieces, 1u);
    EXPECT_EQ(a.text, ascii);
    std::string utf8;
    while (utf8.size() < 200000)
        utf8 += "型番ばね";
    const InParts u = decode_in_parts(utf8, TextEncoding::Utf8);
    EXPECT_TRUE(u.ok);
    EXPECT_EQ(u.pieces, 1u);
    EXPECT_EQ(u.text, utf8);
    EXPECT_FALSE(decode_in_parts(utf8.substr(0, utf8.size() - 1), TextEncoding::Utf8).ok);
    EXPECT_TRUE(decode_in_parts("", TextEncoding::Cp932).ok);
}

TEST(Utf8Cut, NeverEndsInsideACharacter) {
    const std::string s = "a型b"; // 'a', three bytes, 'b'
    EXPECT_EQ(catalogue::utf8_cut(s, 0), 0u);
    EXPECT_EQ(catalogue::utf8_cut(s, 1), 1u);
    EXPECT_EQ(catalogue::utf8_cut(s, 2), 1u);
    EXPECT_EQ(catalogue::utf8_cut(s, 3), 1u);
    EXPECT_EQ(catalogue::utf8_cut(s, 4), 4u);
    EXPECT_EQ(catalogue::utf8_cut(s, 99), s.size());
}

} // namespace
