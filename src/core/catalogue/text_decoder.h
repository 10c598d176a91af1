#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace catalogue {

// The encodings a data packet may be written in.
enum class TextEncoding { Cp932, Utf8 };

// Maps the name of an XML encoding declaration to one of ours; false when the
// name is not one the reader knows.
bool encoding_from_name(std::string_view name, TextEncoding& encoding);

// Decodes the text values of one packet into UTF-8. Plain ASCII, by far the
// most common value in a catalogue, passes without conversion.
class TextDecoder {
public:
    explicit TextDecoder(TextEncoding encoding);

    // Appends the UTF-8 form of `in` to `out`; false when `in` holds a byte
    // sequence that is not valid in the encoding (`out` is then unspecified).
    bool decode(std::string_view in, std::string& out);

    // Hands the UTF-8 form of `in` to `part` a piece at a time, each ending at
    // a character, so that a long text is never held decoded. False, after
    // the pieces before the fault, when `in` does not decode. UTF-8 input is
    // handed over whole, as it stands.
    bool decodeInParts(std::string_view in, const std::function<void(std::string_view)>& part);

private:
    TextEncoding encoding_;
};

bool is_valid_utf8(std::string_view text);

// The length of the well-formed UTF-8 character at `at`, with its code point
// in `cp`; 0 when the bytes there are not one.
std::size_t utf8_char(std::string_view text, std::size_t at, unsigned& cp);

// The largest length up to `at` that does not end inside a UTF-8 character;
// 0 only when `at` is 0 or the text holds nothing but continuation bytes.
std::size_t utf8_cut(std::string_view utf8, std::size_t at);

// UTF-8 text with its control characters written out, so that a message
// never hands a terminal an escape sequence: tab, line feed and carriage
// return as \t, \n and \r, the other C0 controls and DEL as \xNN (ESC is
// \x1b), and the C1 controls U+0080 to U+009F as \uNNNN.
std::string escape_controls(std::string_view utf8);

// A text of the file as a message can show it: decoded to UTF-8, each byte
// that does not decode written as \xNN, and cut after `max_chars`
// characters with "…" appended; control characters escaped as above.
std::string printable(std::string_view raw, TextEncoding encoding, std::size_t max_chars = 40);

} // namespace catalogue
