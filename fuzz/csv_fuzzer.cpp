// libFuzzer target for the catalogue tool's CSV reading. Besides what the
// sanitizers catch, it checks what must hold for any input:
// - the records are the same whatever the size of the pieces fed;
// - no cell handed over is longer than the reader's limit, and a cell that
//   would be ends reading with CsvCellTooLarge, as a broken quote ends it
//   with CsvSyntaxError; nothing else escapes;
// - records written back as CSV (with text guarded against formulas) read
//   back as the same cells once the guard is taken off again;
// - decoding a cell never crashes, whatever the encoding.
#include "csv_reader.h"
#include "csv_text.h"
#include "csv_writer.h"
#include "formula_guard.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Records = std::vector<std::vector<std::string>>;

[[noreturn]] void broken(const char* what) {
    std::fprintf(stderr, "\n*** %s\n", what);
    std::abort();
}

// The records of `bytes` fed in pieces of `piece` bytes, and how it ended.
std::string read(const std::string& bytes, std::size_t piece, Records& records) {
    cattool::CsvReader reader([&](const std::vector<std::string>& cells) {
        for (const auto& c : cells) {
            if (c.size() > cattool::CsvReader::kMaxCell)
                broken("a cell over the limit was handed over");
        }
        records.push_back(cells);
    });
    try {
        for (std::size_t at = 0; at < bytes.size(); at += piece)
            reader.feed(bytes.data() + at, std::min(piece, bytes.size() - at));
        reader.finish();
        return "ok";
    } catch (const cattool::CsvCellTooLarge& e) {
        return "cell " + std::to_string(e.record()) + ":" + std::to_string(e.column());
    } catch (const cattool::CsvSyntaxError& e) {
        return "syntax " + std::to_string(e.record());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Records whole, bytewise;
    const std::string end = read(bytes, bytes.size() + 1, whole);
    if (read(bytes, 1, bytewise) != end || bytewise != whole)
        broken("the records depend on the size of the pieces");

    for (const auto encoding :
         {cattool::CsvEncoding::Auto, cattool::CsvEncoding::Utf8, cattool::CsvEncoding::Cp932}) {
        cattool::CsvText text(encoding);
        std::string out;
        for (const auto& record : whole)
            for (const auto& cell : record)
                text.decode(cell, out);
    }

    if (end != "ok")
        return 0;
    // Written back and read again: the same cells. A record of one empty
    // cell is an empty line, which is no record; leave those out.
    // Behind a byte-order mark, as export writes it, so that a first cell
    // that begins with one keeps it.
    std::string written = "\xEF\xBB\xBF";
    Records expected;
    for (const auto& record : whole) {
        if (record.size() == 1 && record[0].empty())
            continue;
        std::vector<std::string> guarded;
        for (const auto& cell : record)
            guarded.push_back(cattool::guard_formula(cell));
        written += cattool::csv_record(guarded);
        expected.push_back(record);
    }
    Records again;
    if (read(written, 4096, again) != "ok")
        broken("written CSV does not read back");
    for (auto& record : again)
        for (auto& cell : record)
            cell = std::string(cattool::unguard_formula(cell));
    if (again != expected)
        broken("written CSV reads back as other cells");
    return 0;
}
