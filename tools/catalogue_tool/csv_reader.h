// Reading CSV (RFC 4180) through libcsv: records of raw cells, in the file's
// own bytes.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

struct csv_parser;

namespace cattool {

// The CSV breaks its quoting rules in record `record` (1 = the first record).
class CsvSyntaxError : public std::runtime_error {
public:
    CsvSyntaxError(long record, const std::string& what)
        : std::runtime_error(what), record_(record) {}
    long record() const { return record_; }

private:
    long record_;
};

// A cell of record `record`, column `column` (1 = A), is longer than a
// catalogue cell can sensibly be; reading stops there, so that memory stays
// bounded whatever the file holds.
class CsvCellTooLarge : public std::runtime_error {
public:
    CsvCellTooLarge(long record, long column)
        : std::runtime_error("cell too large"), record_(record), column_(column) {}
    long record() const { return record_; }
    long column() const { return column_; }

private:
    long record_;
    long column_;
};

class CsvReader {
public:
    // Called for every record with its cells; empty lines are no records.
    using RecordHandler = std::function<void(const std::vector<std::string>& cells)>;

    explicit CsvReader(RecordHandler handler);
    ~CsvReader();
    CsvReader(const CsvReader&) = delete;
    CsvReader& operator=(const CsvReader&) = delete;

    // The longest cell read: 1 MiB.
    static constexpr size_t kMaxCell = size_t(1) << 20;

    // Feed the file in pieces of any size, then finish. A UTF-8 byte-order
    // mark at the very start is dropped and remembered. Both throw
    // CsvSyntaxError or CsvCellTooLarge; exceptions from the handler pass
    // through.
    void feed(const char* data, size_t size);
    void finish();

    bool hadByteOrderMark() const { return bom_; }
    long records() const { return records_; }

private:
    static void onField(void* data, size_t size, void* self);
    static void onRecord(int terminator, void* self);
    void deliver();
    void parse(const char* data, size_t size);
    void rethrow();

    std::unique_ptr<csv_parser> parser_;
    RecordHandler handler_;
    std::vector<std::string> cells_;
    long records_ = 0;
    bool started_ = false;
    bool bom_ = false;
    std::string head_;           // the first bytes, until the mark can be told
    std::exception_ptr pending_; // from the handler, across libcsv's C frames
};

} // namespace cattool
