#include "catalogue/table.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace catalogue {
namespace {

bool iequals(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

const char* kind_name(FieldKind kind) {
    return kind == FieldKind::Number ? "Float" : "String";
}

// Packet numbers are written by programs: plain decimal text with an
// optional sign and exponent, nothing around it.
bool parse_packet_number(std::string_view text, double& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    if (first == last ||
        !(std::isdigit(static_cast<unsigned char>(*first)) || *first == '-' || *first == '.'))
        return false;
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    return ec == std::errc() && end == last && std::isfinite(value);
}

std::string shown(std::string_view raw) {
    constexpr size_t limit = 40;
    return raw.size() <= limit ? std::string(raw) : std::string(raw.substr(0, limit)) + "…";
}

} // namespace

double Record::number(int field) const {
    return table_->storedNumber(row_, field);
}
bool Record::isNull(int field) const {
    return table_->storedNull(row_, field);
}
std::string_view Record::text(int field) const {
    return table_->storedText(row_, field);
}

Table::Table(std::string name, std::string file_name)
    : name_(std::move(name)), file_name_(std::move(file_name)) {}

void Table::setFields(std::vector<FieldSpec> fields) {
    fields_ = std::move(fields);
}

void Table::setCalcFields(std::vector<std::string> names, CalcHook hook) {
    calc_names_ = std::move(names);
    calc_ = std::move(hook);
}

void Table::fail(const std::string& message) const {
    throw TableError(name_ + ": " + message);
}

void Table::notify(const std::vector<Listener>& listeners) const {
    for (const auto& l : listeners)
        l();
}

void Table::open() {
    if (open_)
        return;
    clearRows();
    try {
        read_packet(file_name_, *this);
    } catch (const PacketMissing&) {
        clearRows();
        fail("データプロバイダ/パケットがありません");
    } catch (const PacketInvalid& e) {
        clearRows();
        fail(e.what());
    } catch (...) {
        clearRows();
        throw;
    }
    decoder_.reset();
    if (order_field_ >= 0) {
        order_.resize(rows_);
        for (size_t i = 0; i < rows_; ++i)
            order_[i] = static_cast<int>(i);
        std::stable_sort(order_.begin(), order_.end(), [this](int a, int b) {
            return storedText(a, order_field_) < storedText(b, order_field_);
        });
    }
    visible_begin_ = 0;
    visible_end_ = rows_;
    current_ = rows_ > 0 ? 0 : -1;
    open_ = true;
    notify(after_open_);
    notify(data_change_);
}

void Table::close() {
    if (!open_)
        return;
    open_ = false;
    clearRows();
    notify(after_close_);
}

void Table::clearRows() {
    columns_.clear();
    rows_ = 0;
    order_.clear();
    visible_begin_ = visible_end_ = 0;
    current_ = -1;
    decoder_.reset();
}

void Table::setRange(std::string_view key) {
    if (!open_ || order_field_ < 0)
        return;
    const auto lo =
        std::lower_bound(order_.begin(), order_.end(), key, [this](int r, std::string_view k) {
            return storedText(r, order_field_) < k;
        });
    const auto hi = std::upper_bound(lo, order_.end(), key, [this](std::string_view k, int r) {
        return k < storedText(r, order_field_);
    });
    visible_begin_ = static_cast<size_t>(lo - order_.begin());
    visible_end_ = static_cast<size_t>(hi - order_.begin());
    current_ = visible_end_ > visible_begin_ ? 0 : -1;
    notify(data_change_);
}

void Table::setCurrentRow(int row) {
    if (!open_ || row < 0 || row >= recordCount() || row == current_)
        return;
    current_ = row;
    notify(data_change_);
}

int Table::fieldIndex(std::string_view name) const {
    for (size_t i = 0; i < fields_.size(); ++i) {
        if (iequals(fields_[i].name, name))
            return static_cast<int>(i);
    }
    for (size_t i = 0; i < calc_names_.size(); ++i) {
        if (iequals(calc_names_[i], name))
            return static_cast<int>(fields_.size() + i);
    }
    return -1;
}

int Table::field(std::string_view name) const {
    const int index = fieldIndex(name);
    if (index < 0)
        fail("項目 '" + std::string(name) + "' が見つかりません");
    return index;
}

const std::string& Table::fieldName(int field) const {
    const auto n = static_cast<size_t>(field);
    return n < fields_.size() ? fields_[n].name : calc_names_[n - fields_.size()];
}

void Table::begin(const std::vector<PacketField>& packet_fields, TextEncoding encoding) {
    encoding_ = encoding;
    decoder_ = std::make_unique<TextDecoder>(encoding);
    columns_.assign(fields_.size(), Column{});
    for (size_t i = 0; i < fields_.size(); ++i) {
        const FieldSpec& spec = fields_[i];
        const auto found =
            std::find_if(packet_fields.begin(), packet_fields.end(),
                         [&](const PacketField& f) { return iequals(f.name, spec.name); });
        columns_[i].kind = spec.kind;
        if (found == packet_fields.end()) {
            if (spec.optional)
                continue;
            fail("項目 '" + spec.name + "' が見つかりません");
        }
        if (found->kind != spec.kind) {
            const std::string actual =
                found->kind == FieldKind::Other ? found->type : kind_name(found->kind);
            fail("項目 '" + spec.name + "' の型が一致しません。" + kind_name(spec.kind) +
                 " に対して " + actual + " が渡されました。");
        }
        columns_[i].packet_index = static_cast<int>(found - packet_fields.begin());
    }
}

void Table::row(const RawRow& raw) {
    for (size_t i = 0; i < columns_.size(); ++i) {
        Column& c = columns_[i];
        const bool present =
            c.packet_index >= 0 && raw.present[static_cast<size_t>(c.packet_index)] != 0;
        const std::string_view value =
            present ? raw.values[static_cast<size_t>(c.packet_index)] : std::string_view();
        if (c.kind == FieldKind::Number) {
            double v = 0;
            const bool empty = value.empty();
            if (!empty && !parse_packet_number(value, v)) {
                // The open fails as a whole, so the half-filled row goes with the rest.
                fail(file_name_ + ": 行 " + std::to_string(raw.number) + " の項目 '" +
                     fields_[i].name + "' の値 '" + shown(value) + "' は数値ではありません");
            }
            c.numbers.push_back(v);
            c.null.push_back(empty ? 1 : 0);
        } else {
            if (!decoder_->decode(value, c.pool)) {
                fail(file_name_ + ": 行 " + std::to_string(raw.number) + " の項目 '" +
                     fields_[i].name + "' の文字が正しく符号化されていません");
            }
            if (c.pool.size() > std::numeric_limits<uint32_t>::max())
                fail(file_name_ + ": 文字データが大きすぎます");
            c.text_end.push_back(static_cast<uint32_t>(c.pool.size()));
            c.null.push_back(present ? 0 : 1);
        }
    }
    ++rows_;
    if (filter_ && !filter_(Record(*this, static_cast<int>(rows_ - 1))))
        dropLastRow();
}

void Table::dropLastRow() {
    for (Column& c : columns_) {
        c.null.pop_back();
        if (c.kind == FieldKind::Number) {
            c.numbers.pop_back();
        } else {
            c.text_end.pop_back();
            c.pool.resize(c.text_end.empty() ? 0 : c.text_end.back());
        }
    }
    --rows_;
}

double Table::storedNumber(int r, int field) const {
    const auto f = static_cast<size_t>(field);
    if (f >= columns_.size()) {
        double calculated[8] = {};
        if (calc_ && calc_names_.size() <= 8)
            calc_(Record(*this, r), calculated);
        return calculated[f - columns_.size()];
    }
    const Column& c = columns_[f];
    return c.kind == FieldKind::Number ? c.numbers[static_cast<size_t>(r)] : 0.0;
}

bool Table::storedNull(int r, int field) const {
    const auto f = static_cast<size_t>(field);
    return f < columns_.size() && columns_[f].null[static_cast<size_t>(r)] != 0;
}

std::string_view Table::storedText(int r, int field) const {
    const auto f = static_cast<size_t>(field);
    if (f >= columns_.size() || columns_[f].kind != FieldKind::Text)
        return {};
    const Column& c = columns_[f];
    const auto i = static_cast<size_t>(r);
    const uint32_t begin = i == 0 ? 0 : c.text_end[i - 1];
    return std::string_view(c.pool).substr(begin, c.text_end[i] - begin);
}

bool Table::isBound(int field) const {
    const auto f = static_cast<size_t>(field);
    return f >= columns_.size() || columns_[f].packet_index >= 0;
}

double Table::number(int row, int field) const {
    return storedNumber(stored(row), field);
}
bool Table::isNull(int row, int field) const {
    return storedNull(stored(row), field);
}
std::string_view Table::text(int row, int field) const {
    return storedText(stored(row), field);
}

size_t Table::memoryUse() const {
    size_t bytes = order_.capacity() * sizeof(int);
    for (const Column& c : columns_) {
        bytes += c.numbers.capacity() * sizeof(double) + c.text_end.capacity() * sizeof(uint32_t) +
                 c.pool.capacity() + c.null.capacity();
    }
    return bytes;
}

} // namespace catalogue
