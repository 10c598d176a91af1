#include "ui/datasheet_page.h"

#include "chart/chart.h"
#include "chart/chart_placement.h"
#include "ui/chart_captions.h"
#include "ui/datasheet_sheet.h"
#include "ui/sheet_language.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace ui {
namespace {

using namespace sheet;

// Chart pixels to page units at most: a 12 px label prints at about 7 pt.
constexpr qreal max_chart_scale = 2.2;

// The captions' column of items: as wide as its longest caption needs, within
// `least` and `most`.
qreal label_column(const Sheet& s, const std::vector<DatasheetItem>& items, qreal least,
                   qreal most) {
    qreal widest = 0;
    for (const DatasheetItem& item : items)
        widest = std::max(widest, s.textWidth(item.label, small_size) + 16);
    return std::clamp(widest, least, most);
}

qreal header_block(Sheet& s, const DatasheetContent& c) {
    qreal y = margin;
    s.text({left, y, content_width * 0.62, 60},
           c.program + QStringLiteral("  ") +
               QCoreApplication::translate("datasheet", "バネ データシート"),
           title_size, true);
    s.text({left + content_width * 0.62, y, content_width * 0.38, 60},
           QCoreApplication::translate("datasheet", "作成日 %1").arg(c.date), body_size, false, ink,
           Qt::AlignRight);
    y += 66;
    s.line(y, ink);
    y += 8;
    const qreal half = content_width / 2;
    const std::vector<DatasheetItem> items = {
        {QCoreApplication::translate("datasheet", "件名"), c.header.subject},
        {QCoreApplication::translate("datasheet", "部品番号"), c.header.part_number},
        {QCoreApplication::translate("datasheet", "担当"), c.header.person},
        {QCoreApplication::translate("datasheet", "メモ"), c.header.memo}};
    const qreal label = label_column(s, items, 170, half / 2);
    s.item(left, y, label, half - 20, items[0]);
    s.item(left + half, y, label, half, items[1]);
    y += row_height;
    s.item(left, y, label, half - 20, items[2]);
    y += row_height;
    s.item(left, y, label, content_width, items[3]);
    return y + row_height + section_gap;
}

qreal spring_block(Sheet& s, const DatasheetContent& c, qreal y) {
    s.heading(y, QCoreApplication::translate("datasheet", "バネ"));
    y += heading_height;
    const qreal half = content_width / 2;
    const qreal label = label_column(s, c.spring, 170, half / 2);
    s.text({left, y, label - 10, 52}, QCoreApplication::translate("datasheet", "型番"), small_size,
           false, caption_ink);
    s.text({left + label, y, content_width - label, 52}, c.model_number, model_size, true);
    y += 56;
    // The spring and its maker on the left, the catalogue values in two
    // columns on the right.
    for (size_t i = 0; i < c.spring.size(); ++i)
        s.item(left, y + row_height * static_cast<qreal>(i), label, half - 30, c.spring[i]);
    const size_t per_column = (c.catalogue.size() + 1) / 2;
    const qreal column = half / 2;
    const qreal catalogue_label = label_column(s, c.catalogue, 240, column * 0.6);
    for (size_t i = 0; i < c.catalogue.size(); ++i) {
        const qreal x = left + half + (i < per_column ? 0 : column);
        const size_t r = i < per_column ? i : i - per_column;
        s.item(x, y + row_height * static_cast<qreal>(r), catalogue_label, column - 12,
               c.catalogue[i]);
    }
    const size_t rows = std::max(c.spring.size(), per_column);
    return y + row_height * static_cast<qreal>(rows) + section_gap;
}

// Items two to a row across the page, their labels in a column at least
// `least_label` wide and at most `most_label` of a half: the y below them.
qreal two_to_a_row(Sheet& s, const std::vector<DatasheetItem>& items, qreal y, qreal least_label,
                   qreal most_label) {
    const qreal half = content_width / 2;
    const qreal label = label_column(s, items, least_label, half * most_label);
    for (size_t i = 0; i < items.size(); ++i) {
        const qreal x = left + (i % 2 == 0 ? 0 : half);
        s.item(x, y, label, half - 20, items[i]);
        if (i % 2 == 1 || i + 1 == items.size())
            y += row_height;
    }
    return y;
}

qreal search_block(Sheet& s, const DatasheetContent& c, qreal y) {
    s.heading(y, QCoreApplication::translate("datasheet", "検索条件と各長さでの荷重・応力"));
    y += heading_height;
    // The working points two to a row: length and load of one condition.
    y = two_to_a_row(s, c.search, y, 300, 0.6) + 8;
    Table table;
    table.titles = {QCoreApplication::translate("datasheet", "条件"),
                    QCoreApplication::translate("datasheet", "長さ"),
                    QCoreApplication::translate("datasheet", "荷重"),
                    QCoreApplication::translate("datasheet", "荷重の幅"),
                    QCoreApplication::translate("datasheet", "応力 τ0"),
                    QCoreApplication::translate("datasheet", "許容応力 τa"),
                    QStringLiteral("τ0/τa")};
    for (const DatasheetLength& row : c.lengths) {
        const QColor load = row.load_out_of_range ? alarm : ink;
        const QColor stress = row.over_limit ? alarm : ink;
        table.rows.push_back({{row.condition},
                              {row.length},
                              {row.load, load},
                              {row.band},
                              {row.stress, stress},
                              {row.allowable},
                              {row.ratio, stress}});
    }
    const TableFit fit = s.fit(table, body_size);
    y = s.table(y, table, fit, table.rows.size());
    if (c.lengths.empty()) {
        s.text({left, y, content_width, fit.rowHeight()},
               QCoreApplication::translate("datasheet", "長さを指定した条件はありません"),
               body_size, false, caption_ink);
        y += fit.rowHeight();
    }
    return y + section_gap;
}

// What the checks took of the spring and its grade, two to a row.
qreal assumed_block(Sheet& s, const DatasheetContent& c, qreal y) {
    if (c.assumed.empty())
        return y;
    s.heading(y, QCoreApplication::translate("datasheet", "判定の前提 (カタログ値と材料表から)"));
    y += heading_height;
    return two_to_a_row(s, c.assumed, y, 200, 0.5) + section_gap;
}

// The verdict list in at most `room` of height, as the window lists it: the
// checks, then the assumptions and the load bands. Checks that do not fit
// are counted in a last line instead.
qreal verdict_block(Sheet& s, const DatasheetContent& c, qreal y, qreal room) {
    const qreal end = y + room;
    s.heading(y, QCoreApplication::translate("datasheet", "判定"));
    y += heading_height;
    if (!c.verdict) {
        s.text({left, y, content_width, row_height},
               QCoreApplication::translate("datasheet", "このバネの判定はありません"), body_size,
               false, caption_ink);
        return y + row_height + section_gap;
    }
    const VerdictReport& v = *c.verdict;
    // The overall word in its colour and its reason, as beside the window's list.
    const QColor overall = verdict_colour(v.overall);
    s.text({left, y, 200, row_height + 6}, verdict_word(v.overall), heading_size, true, overall);
    s.text({left + 200, y, content_width - 200, row_height + 6}, v.reason, body_size, false,
           overall);
    y += row_height + 10;

    Table table;
    table.titles = {QCoreApplication::translate("datasheet", "項目"),
                    QCoreApplication::translate("datasheet", "値"),
                    QCoreApplication::translate("datasheet", "限度"),
                    QCoreApplication::translate("datasheet", "余裕"),
                    QCoreApplication::translate("datasheet", "判定"),
                    QCoreApplication::translate("datasheet", "理由")};
    for (const VerdictLine& line : v.lines) {
        const QColor word = line.level ? verdict_colour(*line.level) : ink;
        // The check's name in its verdict's colour too, unless it passed.
        const bool marked = line.level && *line.level != spring_checks::Verdict::Ok;
        table.rows.push_back({{line.check, marked ? word : ink},
                              {line.value},
                              {line.limit},
                              {line.margin},
                              {line.verdict, word, line.level.has_value()},
                              {line.reason}});
    }
    // The assumptions and load bands span the columns after the first.
    for (const QString& assumption : v.assumptions)
        table.rows.push_back(
            {{QCoreApplication::translate("datasheet", "前提")}, {assumption, ink, false, true}});
    for (const QString& band : v.load_bands)
        table.rows.push_back(
            {{QCoreApplication::translate("datasheet", "荷重範囲")}, {band, ink, false, true}});

    const TableFit fit = s.fit(table, small_size);
    const size_t fits = static_cast<size_t>(
        std::max(0.0, (end - section_gap - y) / fit.rowHeight() - 1)); // less the titles
    if (table.rows.size() <= fits) {
        y = s.table(y, table, fit, table.rows.size());
        return y + section_gap;
    }
    // The assumptions and bands stay; the checks give way, one row going to
    // the count of what was left out.
    const size_t kept = table.rows.size() - v.lines.size();
    const size_t shown = fits > kept + 1 ? fits - kept - 1 : 0;
    Table cut{table.titles, {}};
    cut.rows.assign(table.rows.begin(), table.rows.begin() + static_cast<std::ptrdiff_t>(shown));
    cut.rows.push_back(
        {{QCoreApplication::translate("datasheet", "ほか %1 項目").arg(v.lines.size() - shown),
          caption_ink},
         {QCoreApplication::translate("datasheet", "紙面に収まらないため省略"), caption_ink, false,
          true}});
    cut.rows.insert(cut.rows.end(),
                    table.rows.begin() + static_cast<std::ptrdiff_t>(v.lines.size()),
                    table.rows.end());
    y = s.table(y, cut, fit, std::min(cut.rows.size(), fits));
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
    if (placed.isEmpty()) {
        s.text({room.x(), room.y(), room.width(), row_height},
               QCoreApplication::translate("datasheet", "画面に場所がなく描かれていないグラフです"),
               small_size, false, caption_ink);
        return;
    }
    s.painter().setPen(QPen(rule, 2));
    s.painter().setBrush(Qt::NoBrush);
    s.painter().drawRect(placed);
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
    // The page's own texts and the charts' captions in the sheet's language,
    // for this paint only.
    const SheetLanguageScope language(content.header.language);
    std::vector<std::unique_ptr<TranslatedChartCaptions>> captions;
    if (language.translates()) {
        for (const DatasheetChart& chart : content.charts)
            captions.push_back(std::make_unique<TranslatedChartCaptions>(chart.chart));
    }
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
    y = assumed_block(sheet, content, y);
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
