#include "ui/result_area.h"

#include "ui/grid_model.h"
#include "ui/load_length_chart.h"
#include "ui/splitter_bar.h"
#include "ui/spring_columns.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStyle>
#include <QTableView>

namespace ui {
namespace {

// Rows measured at most, spread over the result, so that a search of a
// million rows stays fast; and the widest a column grows, so that a text of
// a kilobyte does not push the others out of sight (its tip shows it whole).
constexpr int kMeasuredRows = 1000;
constexpr int kWidestColumn = 360;

} // namespace

ResultArea::ResultArea(const catalogue::Table& springs, QWidget* parent)
    : QWidget(parent), chart_(make_load_length_chart(this)),
      model_(new SpringGridModel(springs, spring_columns(), this)), grid_(new QTableView(this)) {
    setObjectName(QStringLiteral("Panel1"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    chart_->setFixedWidth(215);

    grid_->setObjectName(QStringLiteral("DBGrid1"));
    grid_->setModel(model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setFocusPolicy(Qt::ClickFocus);
    grid_->setShowGrid(true);
    grid_->setWordWrap(false);
    grid_->verticalHeader()->hide();
    // Fixed row heights keep scrolling through a million rows cheap.
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(17);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid_->horizontalHeader()->setHighlightSections(false);
    QFont title(QStringLiteral("ＭＳ Ｐゴシック"));
    title.setPixelSize(12);
    grid_->horizontalHeader()->setFont(title);
    for (int i = 0; i < model_->columnCount(); ++i)
        grid_->setColumnWidth(i, model_->column(i).width);

    row->addWidget(chart_);
    auto* splitter1 = new SplitterBar(SplitterBar::Target::LeftNeighbour, chart_, this);
    splitter1->setObjectName(QStringLiteral("Splitter1"));
    row->addWidget(splitter1);
    row->addWidget(grid_, 1);
}

void ResultArea::fitColumns() {
    const QFontMetrics cells(grid_->font());
    const QHeaderView* header = grid_->horizontalHeader();
    const QFontMetrics titles(header->font());
    // The room the elided-text tips count with, and a pixel to spare each side.
    const int cell_margin =
        2 * (grid_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid_) + 2);
    const int title_margin =
        2 * (header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 1);
    const int rows = model_->rowCount();
    const int step = std::max(1, rows / kMeasuredRows);
    for (int c = 0; c < model_->columnCount(); ++c) {
        const SpringGridModel::Column& column = model_->column(c);
        int width = std::max(column.width, titles.horizontalAdvance(column.title) + title_margin);
        for (int r = 0; r < rows && width < kWidestColumn; r += step)
            width = std::max(width, cells.horizontalAdvance(model_->text(r, c)) + cell_margin);
        grid_->setColumnWidth(c, std::min(std::max(width, column.width), kWidestColumn));
    }
}

void ResultArea::showCurrentRow(int row) {
    if (row < 0 || grid_->currentIndex().row() == row)
        return;
    grid_->selectionModel()->setCurrentIndex(
        model_->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

} // namespace ui
