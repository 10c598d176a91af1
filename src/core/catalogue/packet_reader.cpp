#include "core/catalogue/packet_reader.h"

#include "core/catalogue/packet_reader_support.h"
#include "core/catalogue/native_path.h"
#include "core/catalogue/regular_file.h"
#include "core/catalogue/row_pipe.h"
#include "core/catalogue/xml_scanner.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <thread>

namespace catalogue {
namespace {

static_assert(XmlScanner::kPadding >= PacketReader::kValuePadding);

using File = FileHandle;

// No file of that name is a missing packet, and a name that is no regular
// file is as good as none; a file that is there but cannot be read says why.
File open_file(const std::string& path) {
    ReadableFile opened = open_regular_file(path);
    switch (opened.outcome) {
    case ReadableFile::Opened:
        break;
    case ReadableFile::Missing:
        throw PacketMissing(path);
    case ReadableFile::NotRegular:
        throw PacketNotRegular(path);
    case ReadableFile::Failed:
        invalid_packet(path,
                       std::string("ファイルを開けません (") + std::strerror(opened.error) + ")");
    }
    return std::move(opened.file);
}

// Packets are written in single-byte based encodings; a file in UTF-16 or
// UTF-32 (by its byte-order mark or by "<?" in two- or four-byte units) is
// refused as such rather than as text that is not XML.
void refuse_wide_encoding(std::FILE* f, const std::string& path) {
    unsigned char b[4] = {1, 1, 1, 1};
    const std::size_t n = std::fread(b, 1, sizeof b, f);
    std::rewind(f);
    if (n < 2)
        return;
    const bool utf32 = n == 4 && ((b[0] == 0xFF && b[1] == 0xFE && b[2] == 0 && b[3] == 0) ||
                                  (b[0] == 0 && b[1] == 0 && b[2] == 0xFE && b[3] == 0xFF) ||
                                  (b[0] == '<' && b[1] == 0 && b[2] == 0 && b[3] == 0) ||
                                  (b[0] == 0 && b[1] == 0 && b[2] == 0 && b[3] == '<'));
    const bool utf16 = (b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF) ||
                       (b[0] == '<' && b[1] == 0) || (b[0] == 0 && b[1] == '<');
    if (utf32 || utf16)
        invalid_packet(path, std::string("文字コード '") + (utf32 ? "UTF-32" : "UTF-16") +
                                 "' には対応していません");
}

// The line of a byte offset, for messages: counted only when a file fails.
int line_at(std::FILE* f, std::uint64_t offset) {
    std::rewind(f);
    int line = 1;
    char chunk[65536];
    while (offset > 0) {
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(offset, sizeof chunk));
        const std::size_t got = std::fread(chunk, 1, want, f);
        if (got == 0)
            break;
        line += static_cast<int>(std::count(chunk, chunk + got, '\n'));
        offset -= got;
    }
    return line;
}

// A declared width as integer attributes read elsewhere: leading blanks,
// a sign, decimal or 0x-hexadecimal digits up to the first other character,
// clamped to the int range; 0 when there are no digits.
int declared_width(std::string_view v) {
    std::size_t i = 0;
    while (i < v.size() && (v[i] == ' ' || v[i] == '\t' || v[i] == '\r' || v[i] == '\n'))
        ++i;
    const bool negative = i < v.size() && v[i] == '-';
    if (i < v.size() && (v[i] == '-' || v[i] == '+'))
        ++i;
    const bool hex = i + 1 < v.size() && v[i] == '0' && (v[i + 1] == 'x' || v[i + 1] == 'X');
    if (hex)
        i += 2;
    unsigned long long value = 0;
    bool overflow = false;
    for (; i < v.size(); ++i) {
        const char c = v[i];
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (hex && (c | 0x20) >= 'a' && (c | 0x20) <= 'f')
            digit = static_cast<unsigned>((c | 0x20) - 'a' + 10);
        else
            break;
        value = value * (hex ? 16 : 10) + digit;
        if (value > 0xFFFFFFFFull)
            overflow = true, value = 0xFFFFFFFFull;
    }
    if (negative)
        return overflow || value > 0x80000000ull ? INT_MIN
                                                 : static_cast<int>(-static_cast<long long>(value));
    return overflow || value > static_cast<unsigned long long>(INT_MAX) ? INT_MAX
                                                                        : static_cast<int>(value);
}

// One walk over the tokens of a packet. The first walk checks the whole
// file and streams the rows when the fields come before them, as they do
// in every packet written by a table; a packet that puts its rows first is
// walked a second time for them, once the fields are known.
class PacketWalk {
public:
    PacketWalk(const std::string& path, RowPipe& rows, std::vector<PacketField>& fields,
               RawRow& row)
        : path_(path), rows_(rows), fields_(fields), row_(row) {}

    // Whether an attribute's value is read, for the scanner.
    bool keeps(int depth, std::string_view element, std::string_view attribute) const;

    // Returns true when the rows still have to be read.
    bool checkAll(XmlScanner& scanner);
    void rowsOnly(XmlScanner& scanner);

private:
    void startRows(const XmlScanner& scanner);
    void addField(const XmlScanner& scanner);
    void feedRow(const XmlScanner& scanner);
    std::string fieldError(TextEncoding encoding) const;
    bool encodingOf(const XmlScanner& scanner, TextEncoding& encoding) const;

    const std::string& path_;
    RowPipe& rows_;
    std::vector<PacketField>& fields_;
    RawRow& row_;

    bool packet_ = false, metadata_seen_ = false, in_metadata_ = false;
    bool fields_seen_ = false, in_fields_ = false, fields_done_ = false;
    bool rowdata_seen_ = false, in_rowdata_ = false, rows_deferred_ = false;
    bool feeding_ = false;
    std::vector<std::uint64_t> prefixes_;                     // of the field names
    std::vector<std::pair<std::string, std::size_t>> lookup_; // folded name, field
    std::string folded_;
};

bool PacketWalk::keeps(int depth, std::string_view element, std::string_view attribute) const {
    if (depth == 4 && element == "FIELD")
        return attribute == "attrname" || attribute == "fieldtype" || attribute == "WIDTH";
    if (depth != 3 || element != "ROW" || !feeding_)
        return false;
    return std::any_of(fields_.begin(), fields_.end(),
                       [&](const PacketField& f) { return iequals(f.name, attribute); });
}

bool PacketWalk::encodingOf(const XmlScanner& scanner, TextEncoding& encoding) const {
    encoding = scanner.byteOrderMark() ? TextEncoding::Utf8 : TextEncoding::Cp932;
    return scanner.declaredEncoding().empty() ||
           encoding_from_name(scanner.declaredEncoding(), encoding);
}

std::string PacketWalk::fieldError(TextEncoding encoding) const {
    // The first field, in file order, that has no name or repeats an earlier
    // one; sorted look-up, so that a packet of many fields costs no more than
    // reading it.
    const std::size_t n = fields_.size();
    std::vector<std::string> folded(n);
    std::vector<std::size_t> order(n);
    for (std::size_t i = 0; i < n; ++i) {
        folded[i] = ascii_lower(fields_[i].name);
        order[i] = i;
    }
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return folded[a] != folded[b] ? folded[a] < folded[b] : a < b;
    });
    std::vector<char> repeated(n, 0);
    for (std::size_t k = 1; k < n; ++k) {
        if (folded[order[k]] == folded[order[k - 1]])
            repeated[order[k]] = 1;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (fields_[i].name.empty())
            return "名前のない項目があります";
        if (repeated[i])
            return "項目 '" + printable(fields_[i].name, encoding) + "' が二重に宣言されています";
    }
    return {};
}

void PacketWalk::addField(const XmlScanner& scanner) {
    PacketField field;
    for (const auto& a : scanner.attributes()) {
        if (a.name == "attrname")
            field.name.assign(a.value);
        else if (a.name == "fieldtype")
            field.type.assign(a.value);
        else if (a.name == "WIDTH")
            field.width = declared_width(a.value);
    }
    field.kind = field_kind(field.type);
    fields_.push_back(std::move(field));
}

void PacketWalk::startRows(const XmlScanner& scanner) {
    TextEncoding encoding;
    // Any fault of the declarations is reported once the whole file has
    // proved well-formed, so the rows are not read then.
    if (!fields_done_ || !encodingOf(scanner, encoding) || !fieldError(encoding).empty()) {
        rows_deferred_ = !fields_done_;
        return;
    }
    // Beyond a few fields, names are looked up in sorted order, so that rows
    // whose attributes come in another order stay linear in their length.
    lookup_.clear();
    if (fields_.size() > 16) {
        for (std::size_t i = 0; i < fields_.size(); ++i)
            lookup_.emplace_back(ascii_lower(fields_[i].name), i);
        std::sort(lookup_.begin(), lookup_.end());
    }
    prefixes_.clear();
    for (const PacketField& f : fields_)
        prefixes_.push_back(name_prefix(f.name));
    row_.values.assign(fields_.size(), std::string_view());
    row_.present.assign(fields_.size(), 0);
    row_.number = 0;
    rows_.begin(fields_, encoding);
    feeding_ = rows_.wanted();
}

void PacketWalk::feedRow(const XmlScanner& scanner) {
    std::fill(row_.present.begin(), row_.present.end(), 0);
    const std::size_t n = fields_.size();
    std::size_t position = 0;
    for (const auto& a : scanner.attributes()) {
        // Rows normally list their attributes in field order: try that first.
        std::size_t index = n;
        if (position < n && prefixes_[position] == a.prefix &&
            fields_[position].name.size() == a.name.size() &&
            (a.name.size() <= 8 || fields_[position].name == a.name)) {
            index = position;
        } else if (lookup_.empty()) {
            for (std::size_t i = 0; i < n; ++i) {
                if (iequals(fields_[i].name, a.name)) {
                    index = i;
                    break;
                }
            }
        } else {
            folded_.assign(a.name);
            for (char& c : folded_)
                c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
            const auto at = std::lower_bound(lookup_.begin(), lookup_.end(), folded_,
                                             [](const std::pair<std::string, std::size_t>& e,
                                                const std::string& k) { return e.first < k; });
            if (at != lookup_.end() && at->first == folded_)
                index = at->second;
        }
        ++position;
        if (index == n)
            continue; // RowState and undeclared attributes carry nothing we use
        row_.values[index] = a.value;
        row_.present[index] = 1;
    }
    ++row_.number;
    row_.owner = const_cast<XmlScanner*>(&scanner);
    rows_.row(row_);
    feeding_ = rows_.wanted();
}

bool PacketWalk::checkAll(XmlScanner& scanner) {
    for (;;) {
        const XmlScanner::Token token = scanner.next();
        if (token == XmlScanner::Token::EndOfDocument)
            break;
        const int depth = scanner.depth();
        const std::string_view name = scanner.name();
        if (token == XmlScanner::Token::StartTag) {
            if (depth == 1) {
                packet_ = name == "DATAPACKET";
            } else if (depth == 2 && packet_) {
                if (name == "METADATA" && !metadata_seen_) {
                    metadata_seen_ = in_metadata_ = true;
                } else if (name == "ROWDATA" && !rowdata_seen_) {
                    rowdata_seen_ = in_rowdata_ = true;
                    startRows(scanner);
                }
            } else if (depth == 3) {
                if (in_metadata_ && name == "FIELDS" && !fields_seen_)
                    fields_seen_ = in_fields_ = true;
                else if (in_rowdata_ && feeding_ && name == "ROW")
                    feedRow(scanner);
            } else if (depth == 4 && in_fields_ && name == "FIELD") {
                addField(scanner);
            }
        } else if (depth == 1) {
            in_metadata_ = in_rowdata_ = false;
        } else if (depth == 2 && in_fields_) {
            in_fields_ = false;
            fields_done_ = true;
        }
    }
    // The file is well-formed; now what it declares, in the order the
    // reference engine checks it.
    TextEncoding encoding;
    if (!encodingOf(scanner, encoding))
        invalid_packet(path_,
                       "文字コード '" + scanner.declaredEncoding() + "' には対応していません");
    if (!packet_)
        invalid_packet(path_, "DATAPACKET がありません");
    if (!fields_seen_)
        invalid_packet(path_, "METADATA/FIELDS がありません");
    if (!rowdata_seen_)
        invalid_packet(path_, "ROWDATA がありません");
    const std::string fault = fieldError(encoding);
    if (!fault.empty())
        invalid_packet(path_, fault);
    return rows_deferred_ && rows_.wanted();
}

void PacketWalk::rowsOnly(XmlScanner& scanner) {
    bool packet = false, inside = false;
    for (;;) {
        const XmlScanner::Token token = scanner.next();
        if (token == XmlScanner::Token::EndOfDocument)
            return;
        const int depth = scanner.depth();
        if (token == XmlScanner::Token::StartTag) {
            if (depth == 1) {
                packet = scanner.name() == "DATAPACKET";
            } else if (depth == 2 && packet && scanner.name() == "ROWDATA") {
                inside = true;
                fields_done_ = true;
                startRows(scanner);
            } else if (depth == 3 && inside && scanner.name() == "ROW") {
                feedRow(scanner);
            }
            if (inside && !feeding_)
                return; // the sink failed
        } else if (depth == 1 && inside) {
            return; // only the first ROWDATA holds the rows
        }
    }
}

} // namespace

void PacketReader::read(const std::string& path, PacketSink& sink, ReadProgress* progress) {
    const File file = open_file(path);
    refuse_wide_encoding(file.get(), path);
    std::error_code size_error;
    const auto total = std::filesystem::file_size(native_path(path), size_error);
    fields_.clear();
    // A construct longer than a chunk grows the buffers; memory of that size
    // is not kept for the next file.
    struct Release {
        PacketReader& r;
        ~Release() {
            if (r.buffer_.size() > 2 * r.chunk_ + 64 || r.scratch_.size() > 2 * r.chunk_ + 64) {
                r.buffer_.resize(0);
                r.scratch_.resize(0);
            }
        }
    } release{*this};
    // The file is scanned on a thread of its own while the sink takes the
    // rows here, on the caller's thread. A file that is not well-formed, or
    // not a valid packet, fails as such even where the sink failed earlier.
    RowPipe rows;
    rows.follow(progress, size_error ? 0 : static_cast<std::uint64_t>(total));
    std::exception_ptr scan_failure;
    std::thread scanning([&] {
        try {
            PacketWalk walk(path, rows, fields_, row_);
            const auto keeps = [&walk](int depth, std::string_view element,
                                       std::string_view attribute) {
                return walk.keeps(depth, element, attribute);
            };
            XmlScanner scanner(file.get(), buffer_, scratch_, chunk_);
            scanner.follow(&rows.bytesRead(), &rows.stopFlag());
            scanner.keepOnly(keeps);
            if (walk.checkAll(scanner)) {
                std::rewind(file.get());
                XmlScanner again(file.get(), buffer_, scratch_, chunk_);
                again.follow(&rows.bytesRead(), &rows.stopFlag());
                again.keepOnly(keeps);
                walk.rowsOnly(again);
            }
            rows.finish();
        } catch (...) {
            scan_failure = std::current_exception();
            rows.close();
        }
    });
    rows.drain(sink);
    scanning.join();
    if (rows.stopped()) {
        if (rows.failure())
            std::rethrow_exception(rows.failure());
        throw ReadCancelled();
    }
    if (scan_failure) {
        try {
            std::rethrow_exception(scan_failure);
        } catch (const XmlSyntaxError& e) {
            invalid_packet(path, xml_error_message(e.what(), line_at(file.get(), e.offset())));
        }
    }
    if (rows.failure())
        std::rethrow_exception(rows.failure());
    if (progress)
        progress->done();
}

void read_packet(const std::string& path, PacketSink& sink) {
    PacketReader reader;
    reader.read(path, sink);
}

} // namespace catalogue
