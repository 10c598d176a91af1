#include "ui/nearest_form.h"

#include "ui/nearest_model.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

TForm_nearest::TForm_nearest(std::vector<search::NearRow> rows,
                             std::vector<SpringGridModel::Column> columns, double unit_factor,
                             QWidget* parent, SpringGridModel::ExtraText extra_text,
                             SpringGridModel::ExtraColour extra_colour)
    : QDialog(parent) {
    setObjectName(QStringLiteral("Form_nearest"));
    setWindowTitle(QStringLiteral("近いバネ"));
    if (parent)
        setFont(parent->font());
    model_ = new NearestModel(std::move(rows), std::move(columns), unit_factor, this);
    model_->setExtraSource(std::move(extra_text), std::move(extra_colour));

    auto* column = new QVBoxLayout(this);
    auto* note = new QLabel(QStringLiteral("検索条件に近いバネ %1 件です。許容差の倍率は、"
                                           "そのバネが検索条件に入るまでに許容差を広げる倍率です。")
                                .arg(model_->rowCount()),
                            this);
    note->setObjectName(QStringLiteral("Label_nearest"));
    note->setWordWrap(true);
    column->addWidget(note);

    Grid_nearest = new QTableView(this);
    Grid_nearest->setObjectName(QStringLiteral("Grid_nearest"));
    Grid_nearest->setModel(model_);
    Grid_nearest->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid_nearest->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid_nearest->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid_nearest->setWordWrap(false);
    Grid_nearest->verticalHeader()->hide();
    Grid_nearest->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Grid_nearest->verticalHeader()->setDefaultSectionSize(17);
    Grid_nearest->horizontalHeader()->setHighlightSections(false);
    // Twenty rows are cheap to measure: every text is shown whole.
    Grid_nearest->resizeColumnsToContents();
    int width =
        2 * Grid_nearest->frameWidth() + Grid_nearest->verticalScrollBar()->sizeHint().width();
    for (int i = 0; i < model_->columnCount(); ++i) {
        const int w = std::max(model_->columnWidth(i), Grid_nearest->columnWidth(i));
        Grid_nearest->setColumnWidth(i, w);
        width += w;
    }
    Grid_nearest->setMinimumSize(width, Grid_nearest->horizontalHeader()->sizeHint().height() +
                                            10 * 17 + 2 * Grid_nearest->frameWidth());
    column->addWidget(Grid_nearest, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    Button_nearestsearch = new QPushButton(QStringLiteral("この許容差で検索"), this);
    Button_nearestsearch->setObjectName(QStringLiteral("Button_nearestsearch"));
    Button_nearestsearch->setToolTip(
        QStringLiteral("選んだバネの倍率だけ両方の選択条件の許容差を広げて検索します"));
    Button_nearestsearch->setDefault(true);
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("Button_nearestclose"));
    buttons->addWidget(Button_nearestsearch);
    buttons->addWidget(close);
    column->addLayout(buttons);

    connect(Button_nearestsearch, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(Grid_nearest, &QTableView::doubleClicked, this, &QDialog::accept);
    auto follow = [this] { Button_nearestsearch->setEnabled(chosenRow() != nullptr); };
    connect(Grid_nearest->selectionModel(), &QItemSelectionModel::currentRowChanged, this, follow);
    if (model_->rowCount() > 0)
        Grid_nearest->selectRow(0);
    follow();
    // Room for all twenty rows where the screen allows.
    resize(width + 2 * column->contentsMargins().left(),
           sizeHint().height() + (model_->rowCount() - 10) * 17);
}

const search::NearRow* TForm_nearest::chosenRow() const {
    const QModelIndex current = Grid_nearest->currentIndex();
    return current.isValid() ? &model_->nearRow(current.row()) : nullptr;
}
