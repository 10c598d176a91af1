#include "csv_reader.h"

#include <algorithm>
#include <cstring>
#include <csv.h>

namespace cattool {

CsvReader::CsvReader(RecordHandler handler)
    : parser_(std::make_unique<csv_parser>()), handler_(std::move(handler)) {
    // Strict: a stray quote is a mistake to report, not something to guess at.
    if (csv_init(parser_.get(), CSV_STRICT | CSV_STRICT_FINI) != 0)
        throw std::runtime_error("cannot set up the CSV parser");
}

CsvReader::~CsvReader() {
    csv_free(parser_.get());
}

void CsvReader::onField(void* data, size_t size, void* self) {
    auto* reader = static_cast<CsvReader*>(self);
    if (size > kMaxCell && !reader->pending_)
        reader->pending_ = std::make_exception_ptr(
            CsvCellTooLarge(reader->records_ + 1, static_cast<long>(reader->cells_.size()) + 1));
    if (reader->pending_)
        return;
    reader->cells_.emplace_back(data ? static_cast<const char*>(data) : "", data ? size : 0);
}

void CsvReader::onRecord(int, void* self) {
    auto* reader = static_cast<CsvReader*>(self);
    if (reader->pending_) {
        reader->cells_.clear();
        return;
    }
    // Exceptions must not unwind through libcsv's C code: keep the first and
    // throw it once csv_parse has returned.
    try {
        reader->deliver();
    } catch (...) {
        reader->pending_ = std::current_exception();
    }
}

void CsvReader::deliver() {
    ++records_;
    handler_(cells_);
    cells_.clear();
}

void CsvReader::rethrow() {
    if (pending_) {
        auto e = pending_;
        pending_ = nullptr;
        std::rethrow_exception(e);
    }
}

void CsvReader::feed(const char* data, size_t size) {
    if (!started_) {
        // The mark may straddle pieces: hold the first bytes back until three are in.
        head_.append(data, size);
        if (head_.size() < 3)
            return;
        started_ = true;
        size_t skip = 0;
        if (std::memcmp(head_.data(), "\xEF\xBB\xBF", 3) == 0) {
            bom_ = true;
            skip = 3;
        }
        const std::string head = std::move(head_);
        head_.clear();
        feed(head.data() + skip, head.size() - skip);
        return;
    }
    // In pieces, so that a cell that grows past the limit is caught while
    // it is at most a piece too long.
    constexpr size_t kPiece = size_t(1) << 16;
    for (size_t at = 0; at < size; at += kPiece)
        parse(data + at, std::min(kPiece, size - at));
}

void CsvReader::parse(const char* data, size_t size) {
    const size_t done = csv_parse(parser_.get(), data, size, onField, onRecord, this);
    rethrow();
    if (done != size)
        throw CsvSyntaxError(records_ + 1, csv_strerror(csv_error(parser_.get())));
    if (parser_->entry_pos > kMaxCell)
        throw CsvCellTooLarge(records_ + 1, static_cast<long>(cells_.size()) + 1);
}

void CsvReader::finish() {
    if (!started_) {
        started_ = true;
        const std::string head = std::move(head_);
        head_.clear();
        if (!head.empty())
            feed(head.data(), head.size());
    }
    const int status = csv_fini(parser_.get(), onField, onRecord, this);
    rethrow();
    if (status != 0)
        throw CsvSyntaxError(records_ + 1, csv_strerror(csv_error(parser_.get())));
}

} // namespace cattool
