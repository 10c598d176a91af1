#include "core/catalogue/row_pipe.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace catalogue {
namespace {

// A batch is sent when it holds this many values or bytes: large enough that
// handing it over costs nothing per row, small enough to stay in the cache.
constexpr std::size_t kBatchValues = 16384;
constexpr std::size_t kBatchBytes = std::size_t(1) << 18;
constexpr std::size_t kAbsent = ~std::size_t(0);
constexpr std::size_t kPadding = PacketReader::kValuePadding;

} // namespace

struct RowPipe::Batch {
    bool begins = false; // the fields come first
    std::vector<PacketField> fields;
    TextEncoding encoding = TextEncoding::Cp932;

    std::size_t width = 0; // values per row
    int first_number = 0;
    std::size_t rows = 0;
    std::vector<char> bytes; // the values back to back, then the padding
    std::size_t used = 0;
    struct Slot {
        std::size_t begin, size; // size kAbsent: no value
    };
    std::vector<Slot> slots;          // rows * width of them in use
    const RawRow* borrowed = nullptr; // a row handed over uncopied, alone

    void clear() {
        begins = false;
        borrowed = nullptr;
        rows = 0;
        used = 0;
    }
};

RowPipe::RowPipe(std::size_t depth) : depth_(std::max<std::size_t>(depth, 1)) {
    // Handing a batch on never allocates: no more than depth + 2 batches
    // exist, the one being filled and the one being fed included.
    full_.reserve(depth_);
    spare_.reserve(depth_ + 2);
}

RowPipe::~RowPipe() = default;

void RowPipe::begin(const std::vector<PacketField>& fields, TextEncoding encoding) {
    if (!wanted())
        return;
    if (filling_ && (filling_->rows > 0 || filling_->begins))
        send();
    if (!filling_)
        filling_ = std::make_unique<Batch>();
    filling_->begins = true;
    filling_->fields = fields;
    filling_->encoding = encoding;
    filling_->width = fields.size();
}

void RowPipe::row(const RawRow& row) {
    if (!wanted())
        return;
    if (!filling_)
        filling_ = std::make_unique<Batch>();
    Batch& b = *filling_;
    const std::size_t width = row.values.size();
    if (b.rows == 0)
        b.first_number = row.number;
    b.width = width;
    const std::size_t first = b.rows * width;
    if (b.slots.size() < first + width)
        b.slots.resize(std::max(first + width, 2 * b.slots.size()));
    Batch::Slot* slot = b.slots.data() + first;
    for (std::size_t i = 0; i < width; ++i, ++slot) {
        if (!row.present[i]) {
            slot->size = kAbsent;
            continue;
        }
        const std::string_view v = row.values[i];
        if (v.size() >= kLongValue) {
            handOver(row);
            return;
        }
        const std::size_t need = b.used + std::max(v.size(), kPadding) + kPadding;
        if (b.bytes.size() < need)
            b.bytes.resize(std::max(need, 2 * b.bytes.size()));
        // Short values as one fixed-size copy: the source is padded too.
        std::memcpy(b.bytes.data() + b.used, v.data(), kPadding);
        if (v.size() > kPadding)
            std::memcpy(b.bytes.data() + b.used, v.data(), v.size());
        slot->begin = b.used;
        slot->size = v.size();
        b.used += v.size();
    }
    ++b.rows;
    if (first + width >= batch_values_ || b.used >= kBatchBytes) {
        // The first batches are small, so that the sink starts early.
        batch_values_ = std::min(2 * batch_values_, kBatchValues);
        send();
    }
}

void RowPipe::handOver(const RawRow& row) {
    // What was batched before goes first; then the row alone, and the
    // scanner's buffers stay as they are until the sink is done with it.
    if (filling_ && (filling_->rows > 0 || filling_->begins))
        send();
    if (!filling_)
        filling_ = std::make_unique<Batch>();
    filling_->clear();
    filling_->borrowed = &row;
    std::unique_lock<std::mutex> lock(mutex_);
    const std::size_t done = handed_over_ + 1;
    lock.unlock();
    send();
    lock.lock();
    changed_.wait(lock, [&] { return handed_over_ >= done || !wanted(); });
}

void RowPipe::send() {
    std::unique_ptr<Batch> next;
    {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return full_.size() < depth_ || !wanted(); });
        if (wanted())
            full_.push_back(std::move(filling_));
        if (!spare_.empty()) {
            next = std::move(spare_.back());
            spare_.pop_back();
        }
    }
    changed_.notify_all();
    if (next)
        next->clear();
    filling_ = std::move(next);
}

void RowPipe::finish() {
    if (filling_ && (filling_->rows > 0 || filling_->begins))
        send();
    close();
}

void RowPipe::close() noexcept {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        finished_ = true;
    }
    changed_.notify_all();
}

void RowPipe::cancel() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        cancelled_.store(true, std::memory_order_relaxed);
    }
    changed_.notify_all();
}

void RowPipe::feed(PacketSink& sink, Batch& b) {
    if (b.borrowed) {
        sink.row(*b.borrowed);
        return;
    }
    if (b.begins)
        sink.begin(b.fields, b.encoding);
    row_.owner = nullptr;
    row_.values.resize(b.width);
    row_.present.resize(b.width);
    const Batch::Slot* slot = b.slots.data();
    for (std::size_t r = 0; r < b.rows; ++r) {
        for (std::size_t i = 0; i < b.width; ++i, ++slot) {
            const bool present = slot->size != kAbsent;
            row_.present[i] = present;
            row_.values[i] = present ? std::string_view(b.bytes.data() + slot->begin, slot->size)
                                     : std::string_view();
        }
        row_.number = b.first_number + static_cast<int>(r);
        sink.row(row_);
    }
}

bool RowPipe::report() {
    if (!progress_ || stopped_.load(std::memory_order_relaxed))
        return true;
    bool go_on = true;
    try {
        go_on = progress_->advance(bytes_read_.load(std::memory_order_relaxed), total_);
    } catch (...) {
        if (!failure_)
            failure_ = std::current_exception();
        go_on = false;
    }
    if (!go_on) {
        stopped_.store(true);
        cancel();
    }
    return go_on;
}

void RowPipe::drain(PacketSink& sink) noexcept {
    // Without a progress to tell, the sink's thread only waits for batches.
    const auto tick = std::chrono::milliseconds(progress_ ? 40 : 1000000);
    for (;;) {
        std::unique_ptr<Batch> batch;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            if (!changed_.wait_for(lock, tick, [&] { return !full_.empty() || finished_; })) {
                lock.unlock();
                report(); // a long stretch without rows
                continue;
            }
            if (full_.empty())
                return;
            batch = std::move(full_.front());
            full_.erase(full_.begin());
        }
        changed_.notify_all();
        if (!failure_ && !stopped_.load(std::memory_order_relaxed)) {
            try {
                feed(sink, *batch);
            } catch (...) {
                failure_ = std::current_exception();
                cancel();
            }
        }
        const bool borrowed = batch->borrowed != nullptr;
        batch->clear();
        {
            std::lock_guard<std::mutex> lock(mutex_);
            spare_.push_back(std::move(batch));
            if (borrowed)
                ++handed_over_;
        }
        if (borrowed)
            changed_.notify_all();
        report();
    }
}

} // namespace catalogue
