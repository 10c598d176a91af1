#include "packet_check.h"

#include <algorithm>

namespace cattool {
namespace {

using catalogue::FieldKind;

bool is_ascii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

const char* kind_name(FieldKind kind) {
    return kind == FieldKind::Number ? "a number" : "text";
}

} // namespace

void PacketChecker::begin(const std::vector<catalogue::PacketField>& fields,
                          catalogue::TextEncoding encoding) {
    std::vector<std::string> names;
    for (const auto& f : fields)
        names.push_back(f.name);
    kind_ = detect_kind(names);

    const auto& record = record_fields(kind_);
    std::vector<Binding> bindings(record.size());
    packet_index_.assign(record.size(), -1);
    for (size_t i = 0; i < record.size(); ++i) {
        const RecordField& want = record[i];
        const auto found = std::find_if(fields.begin(), fields.end(),
                                        [&](const auto& f) { return iequals(f.name, want.name); });
        Problem p;
        p.field = want.name;
        if (found == fields.end()) {
            p.severity = want.required ? Severity::Error : Severity::Warning;
            p.code = "missing-field";
            p.message = std::string("the packet does not declare this field of the ") +
                        record_name(kind_) + " record";
            sink_.report(std::move(p));
            continue;
        }
        if (found->kind != want.kind) {
            p.code = "field-kind";
            p.message = "declared as '" + catalogue::printable(found->type, encoding) + "'; the " +
                        record_name(kind_) + " record needs " + kind_name(want.kind);
            sink_.report(std::move(p));
            continue;
        }
        packet_index_[i] = static_cast<int>(found - fields.begin());
        bindings[i].bound = true;
        // A text declared without a width is held to the record's width.
        bindings[i].width = found->width > 0 ? found->width : want.width;
    }
    const bool utf8 = encoding == catalogue::TextEncoding::Utf8;
    checker_.emplace(kind_, std::move(bindings), NumberSyntax::Packet,
                     utf8 ? "UTF-8" : "code page 932");
    decoder_ = std::make_unique<catalogue::TextDecoder>(encoding);
    decoded_.assign(record.size(), std::string());
    cells_.assign(record.size(), Cell());
}

void PacketChecker::readLong(std::string_view value, Cell& cell, std::string& beginning) {
    // Decoded a piece at a time and never held whole: the beginning is kept
    // for the messages, and what the checks ask of the whole is gathered on
    // the way.
    constexpr size_t kBeginning = 1024;
    cell.cut = true;
    cell.control = has_control_character(value);
    cell.cp932_bytes = 0;
    cell.decoded = decoder_->decodeInParts(value, [&](std::string_view part) {
        if (beginning.size() <= kBeginning)
            beginning.append(part.substr(0, kBeginning + 1 - beginning.size()));
        const auto bytes = cell.cp932_bytes ? cp932_.byte_length(part) : std::nullopt;
        cell.cp932_bytes = bytes ? std::optional<size_t>(*cell.cp932_bytes + *bytes) : std::nullopt;
    });
    beginning.resize(catalogue::utf8_cut(beginning, kBeginning));
    cell.text = cell.decoded ? std::string_view(beginning) : value; // not shown, only non-empty
}

void PacketChecker::row(const catalogue::RawRow& raw) {
    ++rows_;
    progress_.row();
    for (size_t i = 0; i < cells_.size(); ++i) {
        Cell& cell = cells_[i];
        cell = Cell();
        const int index = packet_index_[i];
        if (index < 0 || !raw.present[static_cast<size_t>(index)])
            continue;
        decoded_[i].clear();
        cell.present = true;
        const std::string_view value = raw.values[static_cast<size_t>(index)];
        if (value.size() >= catalogue::kLongValue && is_ascii(value)) {
            cell.text = value; // the same in every encoding: not copied
            continue;
        }
        if (value.size() >= catalogue::kLongValue) {
            readLong(value, cell, decoded_[i]);
            continue;
        }
        cell.decoded = decoder_->decode(value, decoded_[i]);
        cell.text = cell.decoded ? std::string_view(decoded_[i]) : std::string_view();
        if (!cell.decoded)
            cell.text = raw.values[static_cast<size_t>(index)]; // not shown, only non-empty
    }
    checker_->check(raw.number, cells_, sink_);

    const Cell& maker = cells_[static_cast<size_t>(record_field_index(kind_, "maker"))];
    if (maker.present && maker.decoded && !maker.text.empty()) {
        if (kind_ == RecordKind::Maker)
            maker_names_.insert(std::string(maker.text));
        else
            maker_uses_[std::string(maker.text)].push_back(raw.number);
    }
}

} // namespace cattool
