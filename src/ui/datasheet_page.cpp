#include "ui/datasheet_page.h"

#include "chart/chart.h"
#include "chart/chart_placement.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <stdexcept>

namespace ui {
namespace {

// The page is laid out in tenths of a millimetre; font sizes are pixel sizes
// in the same unit, so that the layout does not depend on the device.
constexpr qreal page_width = 2100;
constexpr qreal page_height = 2970;
constexpr qreal margin = 120;
constexpr qreal left = margin;
constexpr qreal right = page_width - margin;
constexpr qreal content_width = right - left;
constexpr qreal bottom = page_height - margin;

constexpr int title_size = 46;
constexpr int model_size = 40;
constexpr int heading_size = 30;
constexpr int body_size = 25;
constexpr int small_size = 22;

constexpr qreal row_height = 34;
constexpr qreal table_row = 30;
constexpr qreal section_gap = 26;
constexpr qreal heading_height = 46;
// Chart pixels to page units at most: a 12 px label prints at about 7 pt.
constexpr qreal max_chart_scale = 2.2;

const QColor ink(0x20, 0x20, 0x20);
const QColor caption_ink(0x60, 0x60, 0x60);
const QColor rule(0xa0, 0xa0, 0xa0);
const QColor alarm(Qt::red);

QFont sheet_font(int size, bool bold = false) {
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

// Writes texts shortened to their rectangles.
class Sheet {
public:
    explicit Sheet(QPainter& painter) : p_(painter) {}

    void text(const QRectF& box, const QString& text, int size, bool bold = false,
              const QColor& colour = ink, Qt::Alignment align = Qt::AlignLeft) {
        const QFont font = sheet_font(size, bold);
        const QFontMetricsF metrics(font, p_.device());
        // A line break would start a second line outside the box.
        QString line = text;
        line.replace(u'\n', u' ').replace(u'\r', u' ');
        const QString shown = metrics.elidedText(line, Qt::ElideRight, box.width());
        p_.setFont(font);
        p_.setPen(colour);
        p_.drawText(box, align | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    }

    // A caption in grey and its value after it, within `width`.
    void item(qreal x, qreal y, qreal label_width, qreal width, const DatasheetItem& item,
              int size = body_size) {
        text({x, y, label_width - 10, row_height}, item.label, small_size, false, caption_ink);
        text({x + label_width, y, width - label_width, row_height}, item.value, size);
    }

    void heading(qreal y, const QString& title) {
        text({left, y, content_width, heading_height - 8}, title, heading_size, true);
        line(y + heading_height - 6, rule);
    }

    void line(qreal y, const QColor& colour) {
        p_.setPen(QPen(colour, 2));
        p_.drawLine(QPointF(left, y), QPointF(right, y));
    }

    QPainter& painter() { return p_; }

private:
    QPainter& p_;
};

qreal header_block(Sheet& s, const DatasheetContent& c) {
    qreal y = margin;
    s.text({left, y, content_width * 0.62, 60}, c.program + QStringLiteral("  バネ データシート"),
           title_size, true);
    s.text({left + content_width * 0.62, y, content_width * 0.38, 60},
           QStringLiteral("作成日 ") + c.date, body_size, false, ink, Qt::AlignRight);
    y += 66;
    s.line(y, ink);
    y += 8;
    const qreal half = content_width / 2;
    s.item(left, y, 170, half - 20, {QStringLiteral("件名"), c.header.subject});
    s.item(left + half, y, 170, half, {QStringLiteral("部品番号"), c.header.part_number});
    y += row_height;
    s.item(left, y, 170, half - 20, {QStringLiteral("担当"), c.header.person});
    y += row_height;
    s.item(left, y, 170, content_width, {QStringLiteral("メモ"), c.header.memo});
    return y + row_height + section_gap;
}

qreal spring_block(Sheet& s, const DatasheetContent& c, qreal y) {
    s.heading(y, QStringLiteral("バネ"));
    y += heading_height;
    s.text({left, y, 170 - 10, 52}, QStringLiteral("型番"), small_size, false, caption_ink);
    s.text({left + 170, y, content_width - 170, 52}, c.model_number, model_size, true);
    y += 56;
    // The spring and its maker on the left, the catalogue values in two
    // columns on the right.
    const qreal half = content_width / 2;
    for (size_t i = 0; i < c.spring.size(); ++i)
        s.item(left, y + row_height * static_cast<qreal>(i), 170, half - 30, c.spring[i]);
    const size_t per_column = (c.catalogue.size() + 1) / 2;
    const qreal column = half / 2;
    for (size_t i = 0; i < c.catalogue.size(); ++i) {
        const qreal x = left + half + (i < per_column ? 0 : column);
        const size_t r = i < per_column ? i : i - per_column;
        s.item(x, y + row_height * static_cast<qreal>(r), 240, column - 12, c.catalogue[i]);
    }
    const size_t rows = std::max(c.spring.size(), per_column);
    return y + row_height * static_cast<qreal>(rows) + section_gap;
}

struct Column {
    QString title;
    qreal width;
};

// Column titles over a table, in grey.
void table_titles(Sheet& s, qreal y, const std::vector<Column>& columns) {
    qreal x = left;
    for (const Column& column : columns) {
        s.text({x, y, column.width - 12, table_row}, column.title, small_size, false, caption_ink);
        x += column.width;
    }
}

qreal search_block(Sheet& s, const DatasheetContent& c, qreal y) {
    s.heading(y, QStringLiteral("検索条件と各長さでの荷重・応力"));
    y += heading_height;
    // The working points two to a row: length and load of one condition.
    const qreal half = content_width / 2;
    for (size_t i = 0; i < c.search.size(); ++i) {
        const qreal x = left + (i % 2 == 0 ? 0 : half);
        s.item(x, y, 300, half - 20, c.search[i]);
        if (i % 2 == 1 || i + 1 == c.search.size())
            y += row_height;
    }
    y += 8;
    const std::vector<Column> columns = {{QStringLiteral("条件"), 230},
                                         {QStringLiteral("長さ"), 170},
                                         {QStringLiteral("荷重"), 230},
                                         {QStringLiteral("荷重の幅"), 470},
                                         {QStringLiteral("応力 τ0"), 250},
                                         {QStringLiteral("許容応力 τa"), 300},
                                         {QStringLiteral("τ0/τa"), content_width - 1650}};
    table_titles(s, y, columns);
    y += table_row;
    if (c.lengths.empty()) {
        s.text({left, y, content_width, table_row},
               QStringLiteral("長さを指定した条件はありません"), body_size, false, caption_ink);
        y += table_row;
    }
    for (const DatasheetLength& row : c.lengths) {
        const QString texts[] = {row.condition, row.length,    row.load, row.band,
                                 row.stress,    row.allowable, row.ratio};
        qreal x = left;
        for (size_t i = 0; i < columns.size(); ++i) {
            const bool red =
                (i == 2 && row.load_out_of_range) || ((i == 4 || i == 6) && row.over_limit);
            s.text({x, y, columns[i].width - 12, table_row}, texts[i], body_size, false,
                   red ? alarm : ink);
            x += columns[i].width;
        }
        y += table_row;
    }
    return y + section_gap;
}

const std::vector<Column>& verdict_columns() {
    static const std::vector<Column> columns = {
        {QStringLiteral("項目"), 520}, {QStringLiteral("値"), 220},
        {QStringLiteral("限度"), 220}, {QStringLiteral("余裕"), 170},
        {QStringLiteral("判定"), 120}, {QStringLiteral("理由"), content_width - 1250}};
    return columns;
}

// Texts two to a row, each shortened to its half.
qreal two_columns(Sheet& s, qreal y, const QStringList& texts, int limit_rows) {
    const qreal half = content_width / 2;
    const int rows = std::min(limit_rows, static_cast<int>((texts.size() + 1) / 2));
    for (int r = 0; r < rows; ++r) {
        for (int k = 0; k < 2; ++k) {
            const int i = 2 * r + k;
            if (i < texts.size())
                s.text({left + k * half, y, half - 20, table_row}, texts[i], small_size);
        }
        y += table_row;
    }
    return y;
}

// The verdict list in at most `room` of height: lines that do not fit are
// counted in a last line instead.
qreal verdict_block(Sheet& s, const DatasheetContent& c, qreal y, qreal room) {
    const qreal end = y + room;
    s.heading(y, QStringLiteral("判定"));
    if (!c.verdict) {
        y += heading_height;
        s.text({left, y, content_width, table_row}, QStringLiteral("このバネの判定はありません"),
               body_size, false, caption_ink);
        return y + table_row + section_gap;
    }
    const VerdictReport& v = *c.verdict;
    y += heading_height;
    const std::vector<Column>& columns = verdict_columns();
    table_titles(s, y, columns);
    y += table_row;

    const int band_rows = static_cast<int>((v.load_bands.size() + 1) / 2);
    const int assumption_rows = static_cast<int>((v.assumptions.size() + 1) / 2);
    const int free_rows = static_cast<int>((end - y - section_gap) / table_row);
    const int line_count = static_cast<int>(v.lines.size());
    // The bands and assumptions are kept; the list gives way, one row
    // for the count of what was left out.
    int shown = std::min(line_count, std::max(0, free_rows - band_rows - assumption_rows));
    if (shown < line_count)
        shown = std::max(0, shown - 1);
    for (int i = 0; i < shown; ++i) {
        const VerdictLine& line = v.lines[static_cast<size_t>(i)];
        const QString texts[] = {line.check,  line.value,   line.limit,
                                 line.margin, line.verdict, line.reason};
        qreal x = left;
        for (size_t k = 0; k < columns.size(); ++k) {
            const bool word = k == 4 && line.level;
            s.text({x, y, columns[k].width - 12, table_row}, texts[k], small_size, word);
            x += columns[k].width;
        }
        y += table_row;
    }
    if (shown < line_count) {
        s.text({left, y, content_width, table_row},
               QStringLiteral("ほか %1 項目は紙面に収まらないため省略").arg(line_count - shown),
               small_size, false, caption_ink);
        y += table_row;
    }
    y += 6;
    y = two_columns(s, y, v.load_bands, band_rows);
    y = two_columns(s, y, v.assumptions, assumption_rows);
    return std::min(end, y + section_gap);
}

void chart_slot(Sheet& s, const DatasheetChart& chart, const QRectF& slot) {
    s.text({slot.x(), slot.y(), slot.width(), 36}, chart.caption, small_size, true);
    const QRectF room = slot.adjusted(0, 40, 0, 0);
    if (!chart.chart || room.height() <= 0)
        return;
    // Not larger than the chart's texts read beside the page's own: a chart
    // given much room would otherwise print its labels twice their size.
    QRectF area(QPointF(), room.size().boundedTo(QSizeF(chart.chart->size()) * max_chart_scale));
    area.moveCenter(room.center());
    area.moveTop(room.top());
    const QRectF placed = paint_chart_in(*chart.chart, s.painter(), area);
    if (placed.isValid()) {
        s.painter().setPen(QPen(rule, 2));
        s.painter().setBrush(Qt::NoBrush);
        s.painter().drawRect(placed);
    }
}

// The first chart (the load-length chart) across the page with the others
// side by side under it; when it is no wider than tall, as in a narrow
// window, it takes the left column and the others stand on the right.
void chart_block(Sheet& s, const DatasheetContent& c, qreal y) {
    if (c.charts.empty() || bottom - y < 120)
        return;
    const qreal height = bottom - y;
    if (c.charts.size() == 1) {
        chart_slot(s, c.charts[0], {left, y, content_width, height});
        return;
    }
    constexpr qreal gap = 40;
    const qreal rest = static_cast<qreal>(c.charts.size() - 1);
    const Chart* first = c.charts[0].chart;
    if (first && first->width() < first->height() * 1.3) {
        const qreal column = content_width * 0.46;
        chart_slot(s, c.charts[0], {left, y, column, height});
        const qreal each = (height - gap * (rest - 1)) / rest;
        for (size_t i = 1; i < c.charts.size(); ++i)
            chart_slot(s, c.charts[i],
                       {left + column + gap, y + (each + gap) * static_cast<qreal>(i - 1),
                        content_width - column - gap, each});
        return;
    }
    const qreal top = height * 0.5;
    chart_slot(s, c.charts[0], {left, y, content_width, top - 20});
    const qreal width = (content_width - gap * (rest - 1)) / rest;
    for (size_t i = 1; i < c.charts.size(); ++i)
        chart_slot(
            s, c.charts[i],
            {left + (width + gap) * static_cast<qreal>(i - 1), y + top, width, height - top});
}

} // namespace

void paint_datasheet(QPainter& painter, const QRectF& page, const DatasheetContent& content) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // A4 at the largest size the rectangle holds, centred: never stretched.
    const qreal scale = std::min(page.width() / page_width, page.height() / page_height);
    painter.translate(page.center() - QPointF(page_width, page_height) * scale / 2);
    painter.scale(scale, scale);
    painter.fillRect(QRectF(0, 0, page_width, page_height), Qt::white);

    Sheet sheet(painter);
    qreal y = header_block(sheet, content);
    y = spring_block(sheet, content, y);
    y = search_block(sheet, content, y);
    // The verdict list may take the page down to what the charts need at least.
    const qreal charts_at_least = content.charts.empty() ? 0 : 900;
    y = verdict_block(sheet, content, y, std::max<qreal>(200, bottom - charts_at_least - y));
    chart_block(sheet, content, y);
    painter.restore();
}

QByteArray datasheet_pdf(const DatasheetContent& content) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        throw std::runtime_error("PDF のバッファを開けませんでした");
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setResolution(600);
        writer.setCreator(content.program);
        writer.setTitle(QStringLiteral("データシート ") + content.model_number);
        QPainter painter;
        if (!painter.begin(&writer))
            throw std::runtime_error("PDF を作れませんでした");
        paint_datasheet(painter, QRectF(0, 0, writer.width(), writer.height()), content);
        if (!painter.end())
            throw std::runtime_error("PDF を作れませんでした");
    }
    if (bytes.isEmpty())
        throw std::runtime_error("PDF を作れませんでした");
    return bytes;
}

} // namespace ui
