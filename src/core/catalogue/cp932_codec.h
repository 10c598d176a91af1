// Code page 932 (Windows Shift_JIS) to and from UTF-8, from a table made out
// of glibc's converter: the same bytes on every system, without iconv.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace catalogue::cp932 {

struct Decoded {
    std::size_t used; // bytes of the input decoded
    bool complete;    // the whole input decoded
    bool cut;         // it stopped at a lead byte that ends the input
};

// Appends the UTF-8 form of as much of `in` as decodes; stops before the
// first byte sequence that does not.
Decoded decode(std::string_view in, std::string& out);

// Appends the code page 932 form of `utf8`; returns where the first
// character that is not valid UTF-8 or that the code page lacks starts, or
// npos when the whole text was written.
std::size_t encode(std::string_view utf8, std::string& out);

} // namespace catalogue::cp932
