#pragma once

#include <QString>

#include <vector>

class SpringGridModel;

namespace app {

// The grid's rows as text, each cell as the grid shows it, the column
// titles as the first line. In both formats a text a spreadsheet would run
// as a formula (beginning with =, +, -, @, tab or CR, and no number) gets a
// leading apostrophe.
enum class CellFormat {
    // For the clipboard: cells apart by tabs, lines by line feeds; a tab or
    // line break inside a cell becomes a space.
    Tabs,
    // RFC 4180: commas, CR LF, a cell with a comma, quote, line break or
    // outer space in quotes.
    Csv,
};

// `columns` are model columns in the order shown.
QString grid_title_line(const SpringGridModel& model, const std::vector<int>& columns,
                        CellFormat format);
// Appends the lines of rows [first, end).
void append_grid_rows(QString& out, const SpringGridModel& model, const std::vector<int>& columns,
                      int first, int end, CellFormat format);
// Titles and rows [first, end) together.
QString grid_text(const SpringGridModel& model, const std::vector<int>& columns, int first, int end,
                  CellFormat format);

} // namespace app
