// The columns of the in-memory table: numbers in their compact form, texts
// in a dictionary or pooled, long texts kept apart.
#include "core/catalogue/padded_words.h"
#include "core/catalogue/table.h"

#include <algorithm>
#include <cstring>

namespace catalogue {
namespace {

// The compact number form is digits over a power of ten.
constexpr double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
constexpr uint32_t kNullCode = 0xFFFFFFFFu;

// From the first and last eight bytes and the size: the dictionary columns'
// values are short, and a collision costs only a comparison.
uint32_t padded_text_hash(std::string_view text) {
    const size_t n = text.size();
    uint64_t h;
    if (n <= 8) {
        h = padded_word(text.data(), n);
    } else {
        uint64_t first, last;
        std::memcpy(&first, text.data(), sizeof first);
        std::memcpy(&last, text.data() + n - 8, sizeof last);
        h = first ^ (last * 0x9E3779B97F4A7C15ull);
    }
    h ^= n;
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    return static_cast<uint32_t>(h);
}

template <typename V> void trim_vector(V& v) {
    if (v.capacity() > v.size() + v.size() / 4 + 1024)
        v.shrink_to_fit();
}

// Columns with more distinct values than this keep their texts pooled.
constexpr size_t kMaxWords = 4096;
constexpr uint16_t kNullId = 0xFFFF;

} // namespace

double Table::NumberColumn::value(size_t row) const {
    const uint32_t c = codes[row];
    if (c & 1)
        return c == kNullCode ? 0.0 : exact[c >> 1];
    return static_cast<double>(static_cast<int32_t>(c) >> 5) / kPow10[(c >> 1) & 15];
}

bool Table::NumberColumn::isNull(size_t row) const {
    return codes[row] == kNullCode;
}

void Table::NumberColumn::push(double v, uint32_t code, bool null) {
    if (null) {
        codes.push_back(kNullCode);
    } else if (code != 1) {
        codes.push_back(code);
    } else {
        codes.push_back(static_cast<uint32_t>(exact.size() << 1) | 1u);
        exact.push_back(v);
    }
}

void Table::NumberColumn::clear() {
    codes.clear();
    exact.clear();
}

void Table::NumberColumn::trim() {
    trim_vector(codes);
    trim_vector(exact);
}

int Table::TextColumn::find(std::string_view raw, uint32_t hash) const {
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const uint16_t slot = slots_[i];
        if (slot == 0)
            return -1;
        const size_t id = slot - 1u;
        if (raw_hash_[id] != hash)
            continue;
        const uint32_t begin = id == 0 ? 0 : raw_end_[id - 1];
        if (std::string_view(raws_).substr(begin, raw_end_[id] - begin) == raw)
            return static_cast<int>(id);
    }
}

int Table::TextColumn::intern(std::string_view raw, TextDecoder& decoder, bool& valid) {
    valid = true;
    if (pooled_)
        return -1;
    if (slots_.empty())
        slots_.assign(64, 0);
    const uint32_t hash = padded_text_hash(raw);
    const int found = find(raw, hash);
    if (found >= 0)
        return found;
    const size_t before = words_.size();
    if (!decoder.decode(raw, words_)) {
        words_.resize(before);
        valid = false;
        return -1;
    }
    if (word_end_.size() >= kMaxWords) {
        words_.resize(before);
        toPool();
        return -1;
    }
    word_end_.push_back(static_cast<uint32_t>(words_.size()));
    raws_.append(raw);
    raw_end_.push_back(static_cast<uint32_t>(raws_.size()));
    raw_hash_.push_back(hash);
    const auto id = static_cast<uint16_t>(word_end_.size() - 1);
    if (2 * word_end_.size() > slots_.size()) {
        slots_.assign(slots_.size() * 2, 0);
        for (uint16_t k = 0; k < id; ++k) {
            const size_t mask = slots_.size() - 1;
            size_t i = raw_hash_[k] & mask;
            while (slots_[i] != 0)
                i = (i + 1) & mask;
            slots_[i] = static_cast<uint16_t>(k + 1);
        }
    }
    const size_t mask = slots_.size() - 1;
    size_t i = hash & mask;
    while (slots_[i] != 0)
        i = (i + 1) & mask;
    slots_[i] = static_cast<uint16_t>(id + 1);
    return id;
}

std::string_view Table::TextColumn::word(int id) const {
    const auto k = static_cast<size_t>(id);
    const uint32_t begin = k == 0 ? 0 : word_end_[k - 1];
    return std::string_view(words_).substr(begin, word_end_[k] - begin);
}

void Table::TextColumn::push(int id) {
    ids_.push_back(id < 0 ? kNullId : static_cast<uint16_t>(id));
}

void Table::TextColumn::push(std::string_view utf8, bool null) {
    const size_t row = text_end_.size();
    if (row % 64 == 0)
        nulls_.push_back(0);
    if (null)
        nulls_.back() |= uint64_t(1) << (row % 64);
    pool_.append(utf8);
    text_end_.push_back(static_cast<uint32_t>(pool_.size()));
}

void Table::TextColumn::pushLong(LongText text) {
    if (text.block.size() == 0) {
        // Copied once, into a block of its exact size.
        text.block.resize(text.whole.size() + PacketReader::kValuePadding);
        std::memcpy(text.block.data(), text.whole.data(), text.whole.size());
        text.whole = std::string_view(text.block.data(), text.whole.size());
    }
    text.row = text_end_.size();
    longs_.push_back(std::move(text));
    push(std::string_view(), false);
}

const Table::LongText* Table::TextColumn::longText(size_t row) const {
    if (!pooled_ || longs_.empty())
        return nullptr;
    const uint32_t begin = row == 0 ? 0 : text_end_[row - 1];
    if (begin != text_end_[row])
        return nullptr;
    const auto at = std::lower_bound(longs_.begin(), longs_.end(), row,
                                     [](const LongText& l, size_t r) { return l.row < r; });
    return at != longs_.end() && at->row == row ? &*at : nullptr;
}

std::string_view Table::TextColumn::text(size_t row) const {
    if (!pooled_) {
        const uint16_t id = ids_[row];
        return id == kNullId ? std::string_view() : word(id);
    }
    if (const LongText* l = longText(row))
        return l->shown;
    const uint32_t begin = row == 0 ? 0 : text_end_[row - 1];
    return std::string_view(pool_).substr(begin, text_end_[row] - begin);
}

bool Table::TextColumn::isNull(size_t row) const {
    if (!pooled_)
        return ids_[row] == kNullId;
    return (nulls_[row / 64] >> (row % 64)) & 1;
}

void Table::TextColumn::toPool() {
    pooled_ = true;
    for (const uint16_t id : ids_)
        push(id == kNullId ? std::string_view() : word(id), id == kNullId);
    ids_.clear();
    ids_.shrink_to_fit();
    for (auto* s : {&words_, &raws_})
        std::string().swap(*s);
    for (auto* v : {&word_end_, &raw_end_, &raw_hash_})
        std::vector<uint32_t>().swap(*v);
    std::vector<uint16_t>().swap(slots_);
}

void Table::TextColumn::clear() {
    // The dictionary goes too: a text's form follows the file being read.
    pooled_ = false;
    ids_.clear();
    words_.clear();
    word_end_.clear();
    raws_.clear();
    raw_end_.clear();
    raw_hash_.clear();
    slots_.clear();
    text_end_.clear();
    pool_.clear();
    nulls_.clear();
    longs_.clear();
}

void Table::TextColumn::trim() {
    trim_vector(ids_);
    trim_vector(text_end_);
    trim_vector(pool_);
    trim_vector(nulls_);
}

} // namespace catalogue
