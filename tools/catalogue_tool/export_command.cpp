#include "export_command.h"

#include "core/catalogue/packet_reader.h"
#include "core/catalogue/regular_file.h"
#include "core/catalogue/text_decoder.h"
#include "core/catalogue/cp932_encoder.h"
#include "csv_writer.h"
#include "formula_guard.h"
#include "output_file.h"
#include "problem.h"
#include "progress.h"
#include "record_fields.h"

#include <algorithm>
#include <memory>

namespace cattool {
namespace {

class ExportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Turns packet rows into CSV records as the reader hands them over.
class CsvExport : public catalogue::PacketSink {
public:
    CsvExport(OutputFile& out, CsvEncoding encoding, Progress& progress, std::ostream& err)
        : out_(out), encoding_(encoding), progress_(progress), err_(err) {}

    void begin(const std::vector<catalogue::PacketField>& fields,
               catalogue::TextEncoding encoding) override {
        std::vector<std::string> names;
        for (const auto& f : fields)
            names.push_back(f.name);
        kind_ = detect_kind(names);
        decoder_ = std::make_unique<catalogue::TextDecoder>(encoding);

        const auto& record = record_fields(kind_);
        index_.assign(record.size(), -1);
        std::vector<std::string> header;
        for (size_t i = 0; i < record.size(); ++i) {
            header.emplace_back(record[i].name);
            for (size_t j = 0; j < fields.size(); ++j) {
                if (iequals(fields[j].name, record[i].name))
                    index_[i] = static_cast<int>(j);
            }
            if (index_[i] < 0)
                err_ << "tarvolin-catalogue: the packet does not declare '" << record[i].name
                     << "'; its column stays empty\n";
        }
        long left_out = 0;
        for (const auto& f : fields) {
            if (record_field_index(kind_, f.name) >= 0 || ++left_out > kSameWarnings)
                continue;
            err_ << "tarvolin-catalogue: field '" << catalogue::printable(f.name, encoding)
                 << "' is not part of the " << record_name(kind_) << " record and is left out\n";
        }
        if (left_out > kSameWarnings)
            err_ << "tarvolin-catalogue: … and " << left_out - kSameWarnings
                 << " more fields left out\n";
        cells_.assign(record.size(), std::string());
        if (encoding_ == CsvEncoding::Utf8)
            out_.write("\xEF\xBB\xBF"); // lets spreadsheets tell UTF-8
        put(header);
    }

    void row(const catalogue::RawRow& raw) override {
        progress_.row();
        ++rows_;
        const auto& record = record_fields(kind_);
        if (std::any_of(raw.values.begin(), raw.values.end(),
                        [](std::string_view v) { return v.size() >= catalogue::kLongValue; })) {
            putLong(raw);
            return;
        }
        for (size_t i = 0; i < cells_.size(); ++i) {
            cells_[i].clear();
            const int j = index_[i];
            if (j < 0 || !raw.present[static_cast<size_t>(j)])
                continue;
            if (!decoder_->decode(raw.values[static_cast<size_t>(j)], cells_[i]))
                undecodable(raw.number, record[i].name);
            if (record[i].kind == catalogue::FieldKind::Text)
                cells_[i] = guard_formula(cells_[i]); // numbers are written as they are
        }
        put(cells_);
    }

    // A row with a long value: its long cells are written straight from the
    // reader's buffer, ASCII as it stands (the same bytes in either
    // encoding) and other text a piece at a time, so that the value is held
    // once; the other cells as every row's.
    void putLong(const catalogue::RawRow& raw) {
        const auto& record = record_fields(kind_);
        flush();
        for (size_t i = 0; i < cells_.size(); ++i) {
            if (i)
                out_.write(",");
            const int j = index_[i];
            if (j < 0 || !raw.present[static_cast<size_t>(j)])
                continue;
            const std::string_view value = raw.values[static_cast<size_t>(j)];
            const bool text = record[i].kind == catalogue::FieldKind::Text;
            if (value.size() >= catalogue::kLongValue) {
                // The guard's test, as the quoting's, reads ASCII only, which
                // the file's bytes hold as the decoded text does.
                const bool guard = text && needs_formula_guard(value);
                const auto write = [&](std::string_view piece) { out_.write(piece); };
                if (is_ascii(value)) {
                    write_csv_cell(guard ? "'" : "", value, write);
                    continue;
                }
                const auto pieces = [&](auto&& piece) {
                    if (!decoder_->decodeInParts(
                            value, [&](std::string_view part) { encodeInPieces(part, piece); }))
                        undecodable(raw.number, record[i].name);
                };
                write_csv_cell_in_pieces(guard ? "'" : "", value, pieces, write);
                continue;
            }
            std::string cell;
            if (!decoder_->decode(value, cell))
                undecodable(raw.number, record[i].name);
            if (text)
                cell = guard_formula(cell);
            out_.write(encoded(csv_cell(cell)));
        }
        out_.write("\r\n");
    }

    static bool is_ascii(std::string_view text) {
        return std::all_of(text.begin(), text.end(),
                           [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    }

    // Writes what is buffered; call once the reader is done.
    void flush() {
        out_.write(buffer_);
        buffer_.clear();
    }

    long rows() const { return rows_; }
    RecordKind kind() const { return kind_; }

private:
    [[noreturn]] static void undecodable(int row, std::string_view field) {
        throw ExportError("row " + std::to_string(row) + ", field " + std::string(field) +
                          ": the text does not decode");
    }

    // Hands UTF-8 text to `piece` in the output's encoding, a bounded piece
    // at a time.
    template <class Piece> void encodeInPieces(std::string_view utf8, Piece&& piece) {
        if (encoding_ == CsvEncoding::Utf8) {
            piece(utf8);
            return;
        }
        if (!cp932_.encodeInPieces(utf8, piece))
            notInCp932();
    }

    [[noreturn]] void notInCp932() const {
        throw ExportError("row " + std::to_string(rows_) +
                          ": text that code page 932 does not have; export as UTF-8");
    }

    // The CSV text in the output's encoding.
    std::string encoded(std::string line) {
        if (encoding_ == CsvEncoding::Cp932) {
            std::string bytes;
            if (!cp932_.encode(line, bytes))
                notInCp932();
            line.swap(bytes);
        }
        return line;
    }

    void put(const std::vector<std::string>& cells) {
        buffer_ += encoded(csv_record(cells));
        if (buffer_.size() > (1u << 20))
            flush();
    }

    OutputFile& out_;
    CsvEncoding encoding_;
    Progress& progress_;
    std::ostream& err_;
    RecordKind kind_ = RecordKind::Spring;
    std::unique_ptr<catalogue::TextDecoder> decoder_;
    std::vector<int> index_; // packet field per record field; -1 when not declared
    std::vector<std::string> cells_;
    catalogue::Cp932Encoder cp932_;
    std::string buffer_;
    long rows_ = 0;
};

} // namespace

int run_export(const ExportOptions& options, std::ostream& out, std::ostream& err) {
    try {
        const bool terminal = stderr_is_terminal();
        Progress progress(options.progress || terminal ? &err : nullptr, terminal, options.packet);
        OutputFile output(options.output, options.force, {catalogue::identity_of(options.packet)});
        CsvExport sink(output, options.csv_encoding, progress, err);
        catalogue::read_packet(options.packet, sink);
        sink.flush();
        progress.finish();
        output.commit();
        out << "wrote " << sink.rows() << " " << record_name(sink.kind()) << " rows to "
            << options.output << '\n';
        return kClean;
    } catch (const catalogue::PacketNotRegular&) {
        err << "tarvolin-catalogue: " << options.packet << ": not a regular file\n";
    } catch (const catalogue::PacketMissing&) {
        err << "tarvolin-catalogue: " << options.packet << ": no such file\n";
    } catch (const std::exception& e) {
        err << "tarvolin-catalogue: " << e.what() << '\n';
    }
    return kUnreadable;
}

} // namespace cattool
