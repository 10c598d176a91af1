#pragma once

#include "core/catalogue/packet_reader.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <memory>
#include <mutex>
#include <vector>

namespace catalogue {

// Carries a packet's rows from the thread that scans the file to the thread
// that owns the sink, in batches, so that scanning and the sink's work on
// the rows run side by side. The values are copied into the batch; the sink
// sees them in order, row numbers and all, with the reader's padding after
// each value.
//
// A row with a value of kLongValue bytes or more is not copied: it is handed
// to the sink as the scanner holds it, and the scanning side waits until the
// sink is done with it.
//
// A sink that throws is not called again: its failure is kept for the
// reader, and the scanning side learns through wanted() that the rows are
// no longer needed, while it goes on checking the rest of the file.
class RowPipe {
public:
    // At most `depth` batches wait for the sink, so memory stays bounded
    // however fast the file is scanned.
    explicit RowPipe(std::size_t depth = 4);
    ~RowPipe();
    RowPipe(const RowPipe&) = delete;
    RowPipe& operator=(const RowPipe&) = delete;

    // Progress of the reading, reported on the sink's side; `total` bytes
    // make the whole file.
    void follow(ReadProgress* progress, std::uint64_t total) {
        progress_ = progress;
        total_ = total;
    }
    std::atomic<std::uint64_t>& bytesRead() { return bytes_read_; }
    const std::atomic<bool>& stopFlag() const { return stopped_; }
    // The reading was stopped through the progress.
    bool stopped() const { return stopped_.load(); }

    // Scanning side.
    void begin(const std::vector<PacketField>& fields, TextEncoding encoding);
    // `row` holds values that may be read kValuePadding bytes past their end.
    void row(const RawRow& row);
    bool wanted() const { return !cancelled_.load(std::memory_order_relaxed); }
    // No more rows: what is left goes to the sink.
    void finish();
    // No more rows, and what is left is dropped: the scanning failed.
    void close() noexcept;

    // Sink side: feeds the sink until the scanning side has finished. Never
    // throws; the sink's failure, if any, is failure() afterwards.
    void drain(PacketSink& sink) noexcept;
    std::exception_ptr failure() const { return failure_; }

private:
    struct Batch;
    // The sink failed: the scanning side stops sending rows.
    void cancel();
    void send();
    void handOver(const RawRow& row);
    void feed(PacketSink& sink, Batch& batch);
    // False when the progress asks to stop.
    bool report();

    const std::size_t depth_;
    std::unique_ptr<Batch> filling_;
    std::size_t batch_values_ = 512; // values that make a batch full
    RawRow row_;                     // the sink's view of the row being handed over

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::unique_ptr<Batch>> full_; // oldest first
    std::vector<std::unique_ptr<Batch>> spare_;
    bool finished_ = false;
    std::size_t handed_over_ = 0; // rows handed over uncopied and fed
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> stopped_{false};
    std::atomic<std::uint64_t> bytes_read_{0};
    ReadProgress* progress_ = nullptr;
    std::uint64_t total_ = 0;
    std::exception_ptr failure_;
};

} // namespace catalogue
