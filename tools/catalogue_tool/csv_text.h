// The text encoding of a CSV file, which spreadsheets write either way: UTF-8
// (often with a byte-order mark) or code page 932.
#pragma once

#include "core/catalogue/text_decoder.h"

#include <memory>
#include <string>
#include <string_view>

namespace cattool {

enum class CsvEncoding { Auto, Utf8, Cp932 };

// Decodes the cells of one CSV file to UTF-8. Auto decides on the first cell
// that is not plain ASCII: valid UTF-8 means UTF-8, anything else code page
// 932 (whose Japanese text is practically never valid UTF-8).
class CsvText {
public:
    explicit CsvText(CsvEncoding encoding) : encoding_(encoding) {}

    // A byte-order mark settles it.
    void sawByteOrderMark();
    // Appends the UTF-8 form of `cell`; false when it is not valid text.
    bool decode(std::string_view cell, std::string& out);
    // "UTF-8", "code page 932", or "ASCII" while undecided.
    const char* name() const;

private:
    CsvEncoding encoding_;
    std::unique_ptr<catalogue::TextDecoder> cp932_;
};

} // namespace cattool
