#include "csv_writer.h"

#include <csv.h>

namespace cattool {

bool csv_needs_quotes(std::string_view text) {
    const bool blank_edge = !text.empty() && (text.front() == ' ' || text.front() == '\t' ||
                                              text.back() == ' ' || text.back() == '\t');
    return blank_edge || text.find_first_of(",\"\r\n") != std::string_view::npos;
}

std::string csv_cell(std::string_view text) {
    if (!csv_needs_quotes(text))
        return std::string(text);
    std::string out(csv_write(nullptr, 0, text.data(), text.size()), '\0');
    csv_write(out.data(), out.size(), text.data(), text.size());
    return out;
}

std::string csv_record(const std::vector<std::string>& cells) {
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i)
            line += ',';
        line += csv_cell(cells[i]);
    }
    line += "\r\n";
    return line;
}

} // namespace cattool
