#pragma once

#include "core/catalogue/packet_reader.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

class Table;

// A failure of a table operation; the message carries the table's name as prefix.
class TableError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A field the table binds by name when it opens. An optional field that the
// packet lacks stays unbound and reads as empty in every row.
struct FieldSpec {
    std::string name;
    FieldKind kind;
    bool optional = false;
};

// One stored row as the filter and calculated-field hooks see it.
class Record {
public:
    Record(const Table& table, int stored_row) : table_(&table), row_(stored_row) {}
    double number(int field) const; // 0 for an empty value
    bool isNull(int field) const;
    std::string_view text(int field) const;
    // Whether the whole text equals `utf8`, a long one included.
    bool textIs(int field, std::string_view utf8) const;

private:
    const Table* table_;
    int row_;
};

// An in-memory, read-only table loaded whole from a data packet. Fields are
// addressed by index: the bound fields in the order they were required, then
// the calculated fields. The filter decides on each row as the reader hands
// it over; rows it rejects are never stored, and their texts are decoded only
// as far as the filter reads them.
//
// A long text, one of kLongValue bytes or more in the file, is kept once,
// as it stands in the file, and never decoded whole: it reads as its first
// kLongTextShown bytes (cut at a character) followed by "…", so whatever
// shows or copies it holds little; textIs() compares the whole of it.
class Table : private PacketSink {
public:
    static constexpr std::size_t kLongTextShown = 1024;

    using FilterHook = std::function<bool(const Record&)>;
    using CalcHook = std::function<void(const Record&, double* calculated)>;
    using Listener = std::function<void()>;

    Table(std::string name, std::string file_name);

    const std::string& name() const { return name_; }
    const std::string& fileName() const { return file_name_; }

    // Set-up, while closed.
    void setFields(std::vector<FieldSpec> fields);
    void setCalcFields(std::vector<std::string> names, CalcHook hook);
    void setFilter(FilterHook hook) { filter_ = std::move(hook); }
    void setOrderField(int field) { order_field_ = field; }

    // Listeners: after open, after close, and data change (opened, or the
    // current row moved).
    void addAfterOpen(Listener l) { after_open_.push_back(std::move(l)); }
    void addAfterClose(Listener l) { after_close_.push_back(std::move(l)); }
    void addDataChange(Listener l) { data_change_.push_back(std::move(l)); }

    // `progress`, when given, follows the reading and may stop it: the
    // table then stays closed and ReadCancelled is thrown.
    void open(ReadProgress* progress = nullptr);
    void close();
    bool isOpen() const { return open_; }

    // Restricts the visible rows to those whose order field equals `key`
    // (the detail side of a master-detail link), making the first current.
    void setRange(std::string_view key);

    int recordCount() const { return static_cast<int>(visible_end_ - visible_begin_); }
    int currentRow() const { return current_; }
    void setCurrentRow(int row);

    int fieldCount() const { return static_cast<int>(fields_.size() + calc_names_.size()); }
    // ASCII case-insensitive, as field look-up by name is; -1 when unknown.
    int fieldIndex(std::string_view name) const;
    // As fieldIndex, but an unknown name is an error.
    int field(std::string_view name) const;
    const std::string& fieldName(int field) const;
    bool isCalculated(int field) const { return field >= static_cast<int>(fields_.size()); }
    FieldKind fieldKind(int field) const {
        return isCalculated(field) ? FieldKind::Number : fields_[static_cast<size_t>(field)].kind;
    }
    // False for an optional field the open packet does not declare.
    bool isBound(int field) const;

    // Values of visible rows.
    double number(int row, int field) const;
    // Several numbers of one row, the calculated ones from one run of the
    // calculated-field hook.
    void numbers(int row, std::initializer_list<int> fields, double* out) const;
    bool isNull(int row, int field) const;
    std::string_view text(int row, int field) const;
    bool textIs(int row, int field, std::string_view utf8) const;
    Record record(int row) const { return Record(*this, stored(row)); }
    // The position of a visible row among the rows stored in reading order.
    int storedRow(int visible_row) const { return stored(visible_row); }

private:
    friend class Record;

    // A float column: most catalogue values are short decimals, stored in
    // four bytes as digits and a count of decimal places; the others keep
    // their double in `exact`.
    struct NumberColumn {
        std::vector<uint32_t> codes;
        std::vector<double> exact;
        double value(size_t row) const;
        bool isNull(size_t row) const;
        void push(double v, uint32_t code, bool null);
        void clear();
        void trim();
    };
    // A long text as the file holds it, and as it reads.
    struct LongText {
        size_t row = 0;
        ByteBlock block; // holds `whole`
        std::string_view whole;
        bool decodes = false; // `whole` is in code page 932, not ASCII
        std::string shown;
    };
    // A text column, decoded to UTF-8. Columns with few distinct values
    // (maker, type, material) keep one copy of each value and an index per
    // row; the others keep their texts back to back.
    class TextColumn {
    public:
        // The index of a raw value in the dictionary, adding it (decoded)
        // when it is new; -1 when the column keeps no dictionary (any more).
        // The value comes from the packet reader and may be read past its end.
        int intern(std::string_view raw, TextDecoder& decoder, bool& valid);
        std::string_view word(int id) const;
        void push(int id);                           // a row of the dictionary form
        void push(std::string_view utf8, bool null); // a row of the pooled form
        // A row of the pooled form with a long text, kept apart; when the
        // block is empty, the text is copied into one.
        void pushLong(LongText text);
        const LongText* longText(size_t row) const;
        void makePooled() {
            if (!pooled_)
                toPool();
        }
        std::string_view text(size_t row) const;
        bool isNull(size_t row) const;
        bool pooled() const { return pooled_; }
        // The pooled texts have outgrown their 32-bit offsets.
        bool full() const { return pool_.size() > UINT32_MAX; }
        void clear();
        void trim();

    private:
        void toPool();
        int find(std::string_view raw, uint32_t hash) const;

        bool pooled_ = false;
        std::vector<uint16_t> ids_; // dictionary form, one per row
        std::string words_;         // decoded values, back to back
        std::vector<uint32_t> word_end_;
        std::string raws_; // the same in the file's bytes
        std::vector<uint32_t> raw_end_;
        std::vector<uint32_t> raw_hash_;
        std::vector<uint16_t> slots_;    // open addressing over raws_, 0 = free
        std::vector<uint32_t> text_end_; // pooled form
        std::string pool_;
        std::vector<uint64_t> nulls_; // pooled form, a bit per row
        std::vector<LongText> longs_; // pooled form, by row
    };
    struct Column {
        FieldKind kind = FieldKind::Text;
        int packet_index = -1;
        NumberColumn number;
        TextColumn text;
    };
    // The row the reader is handing over, as the filter sees it.
    struct PendingValue {
        double number = 0;
        uint32_t code = 0;
        bool null = true;
        int id = -1;           // dictionary entry of a text
        std::string_view text; // UTF-8 text when not in the dictionary
        std::string decoded;   // its storage when the raw bytes needed decoding
        bool long_text = false;
        LongText whole; // a long text; `block` is the reader's, taken over
    };
    static constexpr int kPending = -1;

    void begin(const std::vector<PacketField>& fields, TextEncoding encoding) override;
    void row(const RawRow& row) override;
    void storePending();
    void clearRows();
    void trimRows();
    void notify(const std::vector<Listener>& listeners) const;
    [[noreturn]] void fail(const std::string& message) const;

    int stored(int visible_row) const {
        const size_t i = visible_begin_ + static_cast<size_t>(visible_row);
        return order_.empty() ? static_cast<int>(i) : order_[i];
    }
    // The calculated fields of a stored row; the hook runs only for tables
    // of at most kMaxCalcFields of them, the others read as 0.
    static constexpr size_t kMaxCalcFields = 8;
    void calculate(int stored_row, double* calculated) const;
    double storedNumber(int stored_row, int field) const;
    bool storedNull(int stored_row, int field) const;
    std::string_view storedText(int stored_row, int field) const;
    bool storedTextIs(int stored_row, int field, std::string_view utf8) const;
    // Takes a long value of the file over into `v`: checked, and read as
    // its beginning; false when it does not decode.
    bool holdLong(const RawRow& raw, std::string_view value, PendingValue& v);

    std::string name_;
    std::string file_name_;
    std::vector<FieldSpec> fields_;
    std::vector<std::string> calc_names_;
    CalcHook calc_;
    FilterHook filter_;
    int order_field_ = -1;
    std::vector<Listener> after_open_, after_close_, data_change_;

    bool open_ = false;
    std::vector<Column> columns_;
    size_t rows_ = 0;
    std::vector<int> order_; // stored rows in the order of the order field
    size_t visible_begin_ = 0, visible_end_ = 0;
    int current_ = -1;

    // Kept from one opening to the next, so that a search reuses the memory
    // of the last one: the reader's buffers, the pending row, the decoder.
    PacketReader reader_;
    std::vector<PendingValue> pending_;
    TextEncoding encoding_ = TextEncoding::Cp932;
    std::unique_ptr<TextDecoder> decoder_;
};

} // namespace catalogue
