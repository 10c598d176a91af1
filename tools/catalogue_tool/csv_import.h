// The records of a CSV file turned into checked packet rows.
#pragma once

#include "core/catalogue/packet_writer.h"
#include "csv_text.h"
#include "output_file.h"
#include "problem.h"
#include "progress.h"
#include "row_checker.h"

#include <optional>
#include <string>
#include <vector>

namespace cattool {

// Takes the records of a CSV file one at a time: the first is the header,
// the others rows. Rows go to the writer while no error has been seen; the
// caller keeps the output only when none was.
class CsvImport {
public:
    CsvImport(CsvText& text, FileProblems& problems, Progress& progress, OutputFile& out,
              catalogue::TextEncoding packet_encoding);

    void record(const std::vector<std::string>& cells);
    // Ends the packet; only worth keeping when no error was reported.
    void finish();

    RecordKind kind() const { return kind_; }
    bool haveHeader() const { return have_header_; }
    long rows() const { return rows_; }

private:
    void header(const std::vector<std::string>& cells);
    void dataRow(const std::vector<std::string>& cells);
    void problem(Severity severity, const char* code, int column, const char* field,
                 std::string message);

    CsvText& text_;
    FileProblems& problems_;
    Progress& progress_;
    OutputFile& out_;
    catalogue::TextEncoding packet_encoding_;
    std::optional<catalogue::PacketWriter> writer_; // from the header on

    RecordKind kind_ = RecordKind::Spring;
    bool have_header_ = false;
    size_t columns_ = 0;
    std::vector<int> field_of_column_; // record field per column; -1 when none
    std::vector<char> unnamed_;        // columns whose header cell is empty
    std::optional<RowChecker> checker_;
    long record_ = 0; // CSV record number, the header being 1
    long rows_ = 0;   // data rows taken
    std::vector<std::string> decoded_;
    std::vector<Cell> cells_;
    std::vector<std::optional<std::string>> values_;
};

} // namespace cattool
