#include "ui/result_area.h"

#include "ui/grid_model.h"
#include "ui/load_length_chart.h"
#include "ui/splitter_bar.h"
#include "ui/spring_columns.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

namespace ui {

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

void ResultArea::showCurrentRow(int row) {
    if (row < 0 || grid_->currentIndex().row() == row)
        return;
    grid_->selectionModel()->setCurrentIndex(
        model_->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

} // namespace ui
