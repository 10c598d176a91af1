#include "core/catalogue/table.h"

#include "core/catalogue/number_parse.h"
#include "core/catalogue/packet_reader_support.h"
#include "core/catalogue/padded_words.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace catalogue {
namespace {

// The compact number form is digits over a power of ten.
constexpr double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
const char* kind_name(FieldKind kind) {
    return kind == FieldKind::Number ? "Float" : "String";
}

constexpr uint64_t kMaxInlineDigits = (1u << 26) - 1;

// The compact form of m / 10^decimals, or 1 when it has none.
uint32_t compact_code(uint64_t m, int decimals, bool negative) {
    if (m > kMaxInlineDigits || (negative && m == 0))
        return 1;
    const auto signed_m = negative ? -static_cast<int32_t>(m) : static_cast<int32_t>(m);
    return (static_cast<uint32_t>(signed_m) << 5) | (static_cast<uint32_t>(decimals) << 1);
}

constexpr uint64_t kOnes = 0x0101010101010101ull;

// Values from the packet reader may be read past their end; the functions
// below read them a word at a time.

// No byte from 0x80 up.
bool padded_is_ascii(std::string_view text) {
    uint64_t any = 0;
    size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        uint64_t w;
        std::memcpy(&w, text.data() + i, sizeof w);
        any |= w;
    }
    any |= padded_word(text.data() + i, text.size() - i);
    return (any & (0x80 * kOnes)) == 0;
}

#if TARVOLIN_LITTLE_ENDIAN

// The high bit of each byte of w that is zero, exactly.
uint64_t zero_bytes(uint64_t w) {
    const uint64_t low7 = 0x7F * kOnes;
    return ~(((w & low7) + low7) | w | low7);
}

// The common packet number of up to eight bytes, read as one word and
// without a branch on its digits: the sign, the point and the digits are
// found by byte masks. False where the text is anything else; `text` must
// be readable for eight bytes.
bool parse_short_number(std::string_view text, uint64_t& m, int& decimals, bool& negative) {
    auto n = static_cast<unsigned>(text.size());
    uint64_t w = padded_word(text.data(), n);
    const unsigned plus = (w & 0xFF) == '+';
    w >>= 8 * plus;
    n -= plus;
    const unsigned minus = (w & 0xFF) == '-';
    w >>= 8 * minus;
    n -= minus;
    negative = minus != 0;

    const uint64_t dots = zero_bytes(w ^ ('.' * kOnes)) & low_bytes(n);
    if (dots & (dots - 1))
        return false; // two points
    // Whether there is a point or not varies from value to value: no branch.
    const bool point = dots != 0;
    const unsigned at = count_trailing_zeros(dots | uint64_t(1) << 63) / 8;
    const uint64_t before = point ? low_bytes(at) : ~uint64_t(0);
    w = (w & before) | ((w >> 8) & ~before);
    decimals = point ? static_cast<int>(n - at - 1) : 0;
    n -= point;
    if (n == 0)
        return false;
    // Every byte a digit; the unused high bytes count as '0'.
    w |= ('0' * kOnes) & ~low_bytes(n);
    if ((w & (0xF0 * kOnes)) != '0' * kOnes || ((w + 6 * kOnes) & (0xF0 * kOnes)) != '0' * kOnes)
        return false;
    // Leading '0's up to eight digits, most significant in the lowest byte,
    // then the eight digits to an integer in three multiplications.
    w = (w << (8 * (8 - n))) | (('0' * kOnes) >> (8 * n - 1) >> 1);
    w -= '0' * kOnes;
    w = w * 10 + (w >> 8);
    w = (((w & 0x000000FF000000FFull) * (100 + (1000000ull << 32))) +
         (((w >> 16) & 0x000000FF000000FFull) * (1 + (10000ull << 32)))) >>
        32;
    m = static_cast<uint32_t>(w);
    return true;
}
#endif

// The usual packet number, up to 15 digits with an optional point and no
// exponent, a byte at a time: its digits as m, the places after the point.
bool parse_plain_number(std::string_view text, uint64_t& m, int& decimals, bool& negative) {
    m = 0;
    decimals = 0;
    negative = false;
    const char* p = text.data();
    const char* const e = p + text.size();
    if (p != e && *p == '+')
        ++p;
    if (p != e && *p == '-') {
        negative = true;
        ++p;
    }
    int digits = 0;
    bool point = false;
    for (; p != e; ++p) {
        const char c = *p;
        if (c >= '0' && c <= '9') {
            m = m * 10 + static_cast<unsigned>(c - '0');
            ++digits;
            decimals += point ? 1 : 0;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    return p == e && digits > 0 && digits <= 15;
}

// Such a number is m / 10^k with both exact in a double; one correctly
// rounded division then gives the same double as a full conversion of the
// text. Everything else takes the full conversion. `code` is the number's
// compact form, or 1 when it has none. Values from the packet reader may be
// read past their end, which the word-at-a-time path needs.
bool parse_number(std::string_view text, double& value, uint32_t& code) {
    uint64_t m = 0;
    int decimals = 0;
    bool negative = false;
#if TARVOLIN_LITTLE_ENDIAN
    static_assert(PacketReader::kValuePadding >= 8);
    const bool plain = (text.size() <= 8 && parse_short_number(text, m, decimals, negative)) ||
                       parse_plain_number(text, m, decimals, negative);
#else
    const bool plain = parse_plain_number(text, m, decimals, negative);
#endif
    if (!plain) {
        code = 1;
        const auto full = parse_packet_number(text);
        value = full.value_or(0.0);
        return full.has_value();
    }
    const double magnitude = static_cast<double>(m) / kPow10[decimals];
    value = negative ? -magnitude : magnitude;
    code = compact_code(m, decimals, negative);
    return true;
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

bool Record::textIs(int field, std::string_view utf8) const {
    return table_->storedTextIs(row_, field, utf8);
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

void Table::open(ReadProgress* progress) {
    if (open_)
        return;
    clearRows();
    // A long text of a row the filter refused is not kept past the reading.
    struct DropPending {
        std::vector<PendingValue>& pending;
        ~DropPending() {
            for (PendingValue& v : pending)
                v.whole.block = ByteBlock();
        }
    } drop{pending_};
    try {
        reader_.read(file_name_, *this, progress);
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
    trimRows();
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
    // The columns keep their memory for the next opening.
    for (Column& c : columns_) {
        c.number.clear();
        c.text.clear();
    }
    rows_ = 0;
    order_.clear();
    visible_begin_ = visible_end_ = 0;
    current_ = -1;
}

void Table::trimRows() {
    // Memory held beyond the rows of this opening goes back, so a search
    // that finds few rows after one that found many holds only what it needs.
    for (Column& c : columns_) {
        c.number.trim();
        c.text.trim();
    }
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
    if (!decoder_ || encoding != encoding_)
        decoder_ = std::make_unique<TextDecoder>(encoding);
    encoding_ = encoding;
    columns_.resize(fields_.size());
    pending_.resize(fields_.size());
    for (size_t i = 0; i < fields_.size(); ++i) {
        const FieldSpec& spec = fields_[i];
        const auto found =
            std::find_if(packet_fields.begin(), packet_fields.end(),
                         [&](const PacketField& f) { return iequals(f.name, spec.name); });
        columns_[i].kind = spec.kind;
        columns_[i].packet_index = -1;
        if (found == packet_fields.end()) {
            if (spec.optional)
                continue;
            fail("項目 '" + spec.name + "' が見つかりません");
        }
        if (found->kind != spec.kind) {
            const std::string actual = found->kind == FieldKind::Other
                                           ? printable(found->type, encoding)
                                           : kind_name(found->kind);
            fail("項目 '" + spec.name + "' の型が一致しません。" + kind_name(spec.kind) +
                 " に対して " + actual + " が渡されました。");
        }
        columns_[i].packet_index = static_cast<int>(found - packet_fields.begin());
    }
}

void Table::row(const RawRow& raw) {
    // Every value of every row is checked, so a fault fails the opening
    // wherever it is; texts are decoded only where the filter or the stored
    // row needs them, and each distinct value of a dictionary column once.
    for (size_t i = 0; i < columns_.size(); ++i) {
        Column& c = columns_[i];
        PendingValue& v = pending_[i];
        const bool present =
            c.packet_index >= 0 && raw.present[static_cast<size_t>(c.packet_index)] != 0;
        const std::string_view value =
            present ? raw.values[static_cast<size_t>(c.packet_index)] : std::string_view();
        if (c.kind == FieldKind::Number) {
            v.number = 0;
            v.code = 1;
            v.null = value.empty();
            if (!v.null && !parse_number(value, v.number, v.code)) {
                fail(file_name_ + ": 行 " + std::to_string(raw.number) + " の項目 '" +
                     fields_[i].name + "' の値 '" + printable(value, encoding_) +
                     "' は数値ではありません");
            }
            continue;
        }
        v.null = !present;
        v.id = -1;
        v.text = {};
        v.long_text = false;
        v.whole.block = ByteBlock();
        if (!present)
            continue;
        bool valid = true;
        if (value.size() >= kLongValue) {
            valid = holdLong(raw, value, v);
        } else {
            v.id = c.text.intern(value, *decoder_, valid);
        }
        if (!v.long_text && valid && v.id < 0) {
            if (padded_is_ascii(value)) {
                v.text = value;
            } else {
                v.decoded.clear();
                valid = decoder_->decode(value, v.decoded);
                v.text = v.decoded;
            }
        }
        if (!valid) {
            fail(file_name_ + ": 行 " + std::to_string(raw.number) + " の項目 '" + fields_[i].name +
                 "' の文字が正しく符号化されていません");
        }
    }
    if (!filter_ || filter_(Record(*this, kPending)))
        storePending();
}

bool Table::holdLong(const RawRow& raw, std::string_view value, PendingValue& v) {
    // Never a word of the dictionary; kept in the reader's own block.
    v.long_text = true;
    v.whole.whole = value;
    v.whole.decodes = encoding_ == TextEncoding::Cp932 && !padded_is_ascii(value);
    std::string& shown = v.whole.shown;
    shown.clear();
    const bool valid = decoder_->decodeInParts(value, [&](std::string_view part) {
        if (shown.size() <= kLongTextShown)
            shown.append(part.substr(0, kLongTextShown + 1 - shown.size()));
    });
    // One byte past the limit tells whether the cut falls inside a character.
    shown.resize(utf8_cut(shown, kLongTextShown));
    shown += "…";
    v.text = shown;
    if (valid && raw.owner)
        v.whole.block = raw.owner->take(value);
    return valid;
}

void Table::storePending() {
    for (size_t i = 0; i < columns_.size(); ++i) {
        Column& c = columns_[i];
        PendingValue& v = pending_[i];
        if (c.kind == FieldKind::Number) {
            c.number.push(v.number, v.code, v.null);
        } else if (v.long_text) {
            c.text.makePooled();
            c.text.pushLong(std::move(v.whole));
        } else if (!c.text.pooled()) {
            c.text.push(v.null ? -1 : v.id);
        } else {
            c.text.push(v.id >= 0 ? c.text.word(v.id) : v.text, v.null);
            if (c.text.full())
                fail(file_name_ + ": 文字データが大きすぎます");
        }
    }
    ++rows_;
}

void Table::calculate(int r, double* calculated) const {
    std::fill(calculated, calculated + kMaxCalcFields, 0.0);
    if (calc_ && calc_names_.size() <= kMaxCalcFields)
        calc_(Record(*this, r), calculated);
}

double Table::storedNumber(int r, int field) const {
    const auto f = static_cast<size_t>(field);
    if (f >= columns_.size()) {
        double calculated[kMaxCalcFields];
        calculate(r, calculated);
        return calculated[f - columns_.size()];
    }
    const Column& c = columns_[f];
    if (c.kind != FieldKind::Number)
        return 0.0;
    return r == kPending ? pending_[f].number : c.number.value(static_cast<size_t>(r));
}

bool Table::storedNull(int r, int field) const {
    const auto f = static_cast<size_t>(field);
    if (f >= columns_.size())
        return false;
    if (r == kPending)
        return pending_[f].null;
    const Column& c = columns_[f];
    const auto row = static_cast<size_t>(r);
    return c.kind == FieldKind::Number ? c.number.isNull(row) : c.text.isNull(row);
}

std::string_view Table::storedText(int r, int field) const {
    const auto f = static_cast<size_t>(field);
    if (f >= columns_.size() || columns_[f].kind != FieldKind::Text)
        return {};
    const Column& c = columns_[f];
    if (r != kPending)
        return c.text.text(static_cast<size_t>(r));
    const PendingValue& v = pending_[f];
    return v.id >= 0 ? c.text.word(v.id) : v.text;
}

bool Table::storedTextIs(int r, int field, std::string_view utf8) const {
    const auto f = static_cast<size_t>(field);
    const LongText* l = nullptr;
    if (f < columns_.size() && columns_[f].kind == FieldKind::Text)
        l = r == kPending ? (pending_[f].long_text ? &pending_[f].whole : nullptr)
                          : columns_[f].text.longText(static_cast<size_t>(r));
    if (!l)
        return storedText(r, field) == utf8;
    if (!l->decodes)
        return l->whole == utf8;
    // Each byte of code page 932 takes at least one in UTF-8.
    if (utf8.size() < l->whole.size())
        return false;
    size_t at = 0;
    bool same = true;
    TextDecoder decoder(TextEncoding::Cp932);
    decoder.decodeInParts(l->whole, [&](std::string_view part) {
        same = same && utf8.substr(at, part.size()) == part;
        at += part.size();
    });
    return same && at == utf8.size();
}

bool Table::isBound(int field) const {
    const auto f = static_cast<size_t>(field);
    return f >= columns_.size() || columns_[f].packet_index >= 0;
}

double Table::number(int row, int field) const {
    return storedNumber(stored(row), field);
}

void Table::numbers(int row, std::initializer_list<int> fields, double* out) const {
    const int r = stored(row);
    double calculated[kMaxCalcFields];
    bool calculated_yet = false;
    for (const int field : fields) {
        const auto f = static_cast<size_t>(field);
        if (f < columns_.size()) {
            *out++ = storedNumber(r, field);
            continue;
        }
        if (!calculated_yet)
            calculate(r, calculated);
        calculated_yet = true;
        *out++ = calculated[f - columns_.size()];
    }
}
bool Table::isNull(int row, int field) const {
    return storedNull(stored(row), field);
}
std::string_view Table::text(int row, int field) const {
    return storedText(stored(row), field);
}
bool Table::textIs(int row, int field, std::string_view utf8) const {
    return storedTextIs(stored(row), field, utf8);
}

} // namespace catalogue
