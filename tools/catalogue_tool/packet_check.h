// Checks a catalogue or maker packet as the reader hands it over: the field
// declarations first, then every row.
#pragma once

#include "core/catalogue/packet_reader.h"
#include "core/catalogue/text_decoder.h"
#include "maker_cross_check.h"
#include "progress.h"
#include "row_checker.h"

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace cattool {

class PacketChecker : public catalogue::PacketSink {
public:
    PacketChecker(ProblemSink& sink, Progress& progress) : sink_(sink), progress_(progress) {}

    void begin(const std::vector<catalogue::PacketField>& fields,
               catalogue::TextEncoding encoding) override;
    void row(const catalogue::RawRow& row) override;

    RecordKind kind() const { return kind_; }
    long rows() const { return rows_; }
    // Maker names of a maker packet, and the rows of a catalogue by maker.
    const std::set<std::string>& makerNames() const { return maker_names_; }
    const MakerUses& makerUses() const { return maker_uses_; }

private:
    void readLong(std::string_view value, Cell& cell, std::string& beginning);

    ProblemSink& sink_;
    Progress& progress_;
    RecordKind kind_ = RecordKind::Spring;
    std::vector<int> packet_index_; // per record field; -1 when not bound
    std::optional<RowChecker> checker_;
    std::unique_ptr<catalogue::TextDecoder> decoder_;
    std::vector<std::string> decoded_;
    std::vector<Cell> cells_;
    catalogue::Cp932Encoder cp932_;
    long rows_ = 0;
    std::set<std::string> maker_names_;
    MakerUses maker_uses_;
};

} // namespace cattool
