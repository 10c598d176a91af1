#include "ui/datasheet_sheet.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <numeric>

namespace ui::sheet {
namespace {

// Between two columns.
constexpr qreal column_gap = 14;

// One line: a line break would start a second line outside its box.
QString one_line(QString text) {
    return text.replace(u'\n', u' ').replace(u'\r', u' ');
}

} // namespace

QFont sheet_font(int size, bool bold) {
    QFont font;
    // The program's face, then the Japanese faces the setup installs.
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(size);
    font.setBold(bold);
    // Outlines without hinting measure as they print, at any scale.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::ForceOutline);
    return font;
}

void Sheet::text(const QRectF& box, const QString& text, int size, bool bold, const QColor& colour,
                 Qt::Alignment align) {
    const QFont font = sheet_font(size, bold);
    const QFontMetricsF metrics(font, p_.device());
    const QString shown = metrics.elidedText(one_line(text), Qt::ElideRight, box.width());
    p_.setFont(font);
    p_.setPen(colour);
    p_.drawText(box, align | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}

void Sheet::item(qreal x, qreal y, qreal label_width, qreal width, const DatasheetItem& item) {
    text({x, y, label_width - 10, row_height}, item.label, small_size, false, caption_ink);
    text({x + label_width, y, width - label_width, row_height}, item.value, body_size);
}

void Sheet::heading(qreal y, const QString& title) {
    text({left, y, content_width, heading_height - 8}, title, heading_size, true);
    line(y + heading_height - 6, rule);
}

void Sheet::line(qreal y, const QColor& colour) {
    p_.setPen(QPen(colour, 2));
    p_.drawLine(QPointF(left, y), QPointF(right, y));
}

qreal Sheet::textWidth(const QString& text, int size, bool bold) const {
    return QFontMetricsF(sheet_font(size, bold), p_.device()).horizontalAdvance(one_line(text));
}

TableFit Sheet::fit(const Table& table, int largest) const {
    const size_t columns = static_cast<size_t>(table.titles.size());
    TableFit fit;
    for (int size = largest; size >= smallest_size; --size) {
        fit.size = size;
        fit.widths.assign(columns, 0);
        for (size_t k = 0; k < columns; ++k)
            fit.widths[k] = textWidth(table.titles[static_cast<qsizetype>(k)], size);
        for (const std::vector<Cell>& row : table.rows)
            for (size_t k = 0; k < columns && k < row.size(); ++k)
                if (!row[k].spans)
                    fit.widths[k] =
                        std::max(fit.widths[k], textWidth(row[k].text, size, row[k].bold));
        for (qreal& w : fit.widths)
            w += column_gap;
        if (std::accumulate(fit.widths.begin(), fit.widths.end(), 0.0) <= content_width)
            break;
    }
    if (columns == 0)
        return fit;
    const qreal used = std::accumulate(fit.widths.begin(), fit.widths.end(), 0.0);
    if (used <= content_width) {
        for (qreal& w : fit.widths)
            w += (content_width - used) / static_cast<qreal>(columns);
        return fit;
    }
    // Too wide even so: the last column takes what is left, at least a
    // fifth of the width; where the others leave less, all shrink alike.
    const qreal others = used - fit.widths.back();
    if (content_width - others >= content_width / 5) {
        fit.widths.back() = content_width - others;
    } else {
        for (qreal& w : fit.widths)
            w *= content_width / used;
    }
    return fit;
}

qreal Sheet::table(qreal y, const Table& t, const TableFit& fit, size_t rows) {
    const qreal height = fit.rowHeight();
    qreal x = left;
    for (size_t k = 0; k < fit.widths.size(); ++k) {
        text({x, y, fit.widths[k] - column_gap, height}, t.titles[static_cast<qsizetype>(k)],
             fit.size, false, caption_ink);
        x += fit.widths[k];
    }
    y += height;
    for (size_t r = 0; r < rows && r < t.rows.size(); ++r) {
        x = left;
        const std::vector<Cell>& row = t.rows[r];
        for (size_t k = 0; k < fit.widths.size() && k < row.size(); ++k) {
            const qreal width = row[k].spans ? right - x : fit.widths[k];
            text({x, y, width - column_gap, height}, row[k].text, fit.size, row[k].bold,
                 row[k].colour);
            if (row[k].spans)
                break;
            x += width;
        }
        y += height;
    }
    return y;
}

} // namespace ui::sheet
