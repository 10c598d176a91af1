#include "csv_text.h"

#include <algorithm>

namespace cattool {

void CsvText::sawByteOrderMark() {
    if (encoding_ == CsvEncoding::Auto)
        encoding_ = CsvEncoding::Utf8;
}

bool CsvText::decode(std::string_view cell, std::string& out) {
    if (encoding_ == CsvEncoding::Auto) {
        const bool ascii = std::all_of(cell.begin(), cell.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        if (ascii) {
            out.append(cell);
            return true;
        }
        encoding_ = catalogue::is_valid_utf8(cell) ? CsvEncoding::Utf8 : CsvEncoding::Cp932;
    }
    if (encoding_ == CsvEncoding::Utf8) {
        if (!catalogue::is_valid_utf8(cell))
            return false;
        out.append(cell);
        return true;
    }
    if (!cp932_)
        cp932_ = std::make_unique<catalogue::TextDecoder>(catalogue::TextEncoding::Cp932);
    return cp932_->decode(cell, out);
}

const char* CsvText::name() const {
    switch (encoding_) {
    case CsvEncoding::Utf8:
        return "UTF-8";
    case CsvEncoding::Cp932:
        return "code page 932";
    default:
        return "ASCII";
    }
}

} // namespace cattool
