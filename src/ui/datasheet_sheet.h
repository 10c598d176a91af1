// The drawing tools of the datasheet page: its measures, its faces, texts
// shortened to their places and tables whose columns fit their texts.
#pragma once

#include "ui/datasheet_content.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QStringList>

#include <vector>

class QPainter;

namespace ui::sheet {

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
// The smallest a table's texts may get to stand whole: about 4.5 pt.
constexpr int smallest_size = 16;

constexpr qreal row_height = 34;
constexpr qreal section_gap = 26;
constexpr qreal heading_height = 46;

const QColor ink(0x20, 0x20, 0x20);
const QColor caption_ink(0x60, 0x60, 0x60);
const QColor rule(0xa0, 0xa0, 0xa0);
const QColor alarm(Qt::red);

QFont sheet_font(int size, bool bold = false);

struct Cell {
    QString text;
    QColor colour = ink;
    bool bold = false;
    bool spans = false; // takes the rest of its row; does not widen its column
};

struct Table {
    QStringList titles;
    std::vector<std::vector<Cell>> rows;
};

// The size of a table's texts and its column widths: the largest size up to
// `largest` at which every column holds its title and texts whole, the room
// left over shared among the columns. Where even the smallest size is too
// large, the last column gives way and its texts are shortened.
struct TableFit {
    int size = small_size;
    std::vector<qreal> widths;
    qreal rowHeight() const { return size * 1.35; }
};

// Writes texts shortened to their rectangles.
class Sheet {
public:
    explicit Sheet(QPainter& painter) : p_(painter) {}

    void text(const QRectF& box, const QString& text, int size, bool bold = false,
              const QColor& colour = ink, Qt::Alignment align = Qt::AlignLeft);
    // A caption in grey and its value after it, within `width`.
    void item(qreal x, qreal y, qreal label_width, qreal width, const DatasheetItem& item);
    void heading(qreal y, const QString& title);
    void line(qreal y, const QColor& colour);

    qreal textWidth(const QString& text, int size, bool bold = false) const;
    TableFit fit(const Table& table, int largest) const;
    // The titles and the first `rows` rows at y; returns the y under them.
    qreal table(qreal y, const Table& table, const TableFit& fit, size_t rows);

    QPainter& painter() { return p_; }

private:
    QPainter& p_;
};

} // namespace ui::sheet
