#include "app/grid_text.h"

#include "ui/grid_model.h"

namespace app {
namespace {

bool looks_like_formula(const QString& cell) {
    if (cell.isEmpty())
        return false;
    const QChar c = cell.front();
    if (c != u'=' && c != u'+' && c != u'-' && c != u'@' && c != u'\t' && c != u'\r')
        return false;
    bool number = false;
    cell.toDouble(&number);
    return !number;
}

void append_cell(QString& out, QString cell, CellFormat format) {
    // A spreadsheet that takes a paste runs formulas as it does on opening a file.
    if (looks_like_formula(cell))
        cell.prepend(u'\'');
    if (format == CellFormat::Tabs) {
        for (QChar& c : cell) {
            if (c == u'\t' || c == u'\n' || c == u'\r')
                c = u' ';
        }
        out += cell;
        return;
    }
    const bool quoted = cell.contains(u',') || cell.contains(u'"') || cell.contains(u'\n') ||
                        cell.contains(u'\r') ||
                        (!cell.isEmpty() && (cell.front().isSpace() || cell.back().isSpace()));
    if (!quoted) {
        out += cell;
        return;
    }
    out += u'"';
    out += cell.replace(u'"', QStringLiteral("\"\""));
    out += u'"';
}

template <typename CellText>
void append_line(QString& out, const std::vector<int>& columns, CellFormat format,
                 CellText&& cell_text) {
    const QChar separator = format == CellFormat::Tabs ? u'\t' : u',';
    for (size_t i = 0; i < columns.size(); ++i) {
        if (i)
            out += separator;
        append_cell(out, cell_text(columns[i]), format);
    }
    out += format == CellFormat::Tabs ? QStringLiteral("\n") : QStringLiteral("\r\n");
}

} // namespace

QString grid_title_line(const SpringGridModel& model, const std::vector<int>& columns,
                        CellFormat format) {
    QString out;
    append_line(out, columns, format, [&](int c) { return model.column(c).title; });
    return out;
}

void append_grid_rows(QString& out, const SpringGridModel& model, const std::vector<int>& columns,
                      int first, int end, CellFormat format) {
    for (int row = first; row < end; ++row)
        append_line(out, columns, format, [&](int c) { return model.text(row, c); });
}

QString grid_text(const SpringGridModel& model, const std::vector<int>& columns, int first, int end,
                  CellFormat format) {
    QString out = grid_title_line(model, columns, format);
    append_grid_rows(out, model, columns, first, end, format);
    return out;
}

} // namespace app
