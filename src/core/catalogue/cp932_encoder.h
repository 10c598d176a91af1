// UTF-8 text as code page 932 bytes, the encoding in which field widths are
// counted and in which catalogues are written.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace catalogue {

class Cp932Encoder {
public:
    // Appends the code page 932 form of `utf8` to `out`; false when the text
    // holds a character the code page does not have (`out` is then unspecified).
    bool encode(std::string_view utf8, std::string& out);

    // Bytes the text takes in code page 932, or nothing when it cannot be written.
    std::optional<size_t> byte_length(std::string_view utf8);

    // Hands the code page 932 form of `utf8` to `piece` a bounded piece at a
    // time, so that a long text is never held encoded; false as encode().
    bool encodeInPieces(std::string_view utf8, const std::function<void(std::string_view)>& piece);

    // Where the first character that code page 932 lacks starts in `utf8`
    // (a byte offset); nothing when the whole text can be written.
    std::optional<size_t> firstUnencodable(std::string_view utf8);

private:
    std::string scratch_;
};

} // namespace catalogue
