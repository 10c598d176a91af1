#include "ui/verdict_panel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int kPanelWidth = 420; // at the window's default size
constexpr int kLeastWidth = 160;

// A row of the assumptions or the load bands: its text spans the columns after
// the first, so it shows whole in a narrow panel.
VerdictLine note(const QString& title, const QString& text) {
    VerdictLine line;
    line.check = title;
    line.value = text;
    return line;
}

} // namespace

VerdictModel::VerdictModel(QObject* parent) : QAbstractTableModel(parent) {}

void VerdictModel::setReport(const std::optional<VerdictReport>& report) {
    beginResetModel();
    rows_.clear();
    if (report) {
        rows_ = report->lines;
        for (const QString& a : report->assumptions)
            rows_.push_back(note(QStringLiteral("前提"), a));
        for (const QString& b : report->load_bands)
            rows_.push_back(note(QStringLiteral("荷重範囲"), b));
    }
    endResetModel();
}

int VerdictModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int VerdictModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant VerdictModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const VerdictLine& line = rows_[static_cast<std::size_t>(index.row())];
    // The check's name takes its verdict's colour too: the list reads at a glance
    // even where the panel is too narrow for the 判定 column.
    if (role == Qt::ForegroundRole && (index.column() == Verdict || index.column() == Check) &&
        line.level && (index.column() == Verdict || *line.level != spring_checks::Verdict::Ok))
        return verdict_colour(*line.level);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case Check:
        return line.check;
    case Value:
        return line.value;
    case Limit:
        return line.limit;
    case Margin:
        return line.margin;
    case Verdict:
        return line.verdict;
    case Reason:
        return line.reason;
    }
    return {};
}

QVariant VerdictModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const titles[] = {"項目", "値", "限度", "余裕", "判定", "理由"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(titles[section]) : QVariant();
}

VerdictPanel::VerdictPanel(QWidget* parent)
    : QWidget(parent), label_(new QLabel(this)), reason_(new QLabel(this)),
      list_(new QTableView(this)), model_(new VerdictModel(this)) {
    setObjectName(QStringLiteral("Panel_verdict"));
    setMinimumWidth(kLeastWidth);
    label_->setObjectName(QStringLiteral("Label_verdict"));
    QFont big = label_->font();
    big.setPixelSize(18);
    big.setBold(true);
    label_->setFont(big);
    reason_->setObjectName(QStringLiteral("Label_verdictreason"));
    // A long reason must not widen the panel; its tip holds it whole.
    reason_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    list_->setObjectName(QStringLiteral("Grid_verdict"));
    list_->setModel(model_);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 4);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->setWordWrap(false);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 2, 2, 2);
    column->setSpacing(2);
    auto* head = new QHBoxLayout;
    head->setSpacing(10);
    head->addWidget(label_);
    head->addWidget(reason_, 1);
    column->addLayout(head);
    column->addWidget(list_, 1);
    showReport(std::nullopt);
}

QSize VerdictPanel::sizeHint() const {
    return {kPanelWidth, QWidget::sizeHint().height()};
}

void VerdictPanel::showReport(const std::optional<VerdictReport>& report) {
    model_->setReport(report);
    list_->clearSpans();
    if (report) {
        const int first_note = static_cast<int>(report->lines.size());
        for (int r = first_note; r < model_->rowCount(); ++r)
            list_->setSpan(r, VerdictModel::Value, 1, VerdictModel::ColumnCount - 1);
    }
    if (!report) {
        label_->clear();
        reason_->clear();
        label_->setStyleSheet({});
        label_->setToolTip({});
        return;
    }
    label_->setText(verdict_word(report->overall));
    label_->setStyleSheet(QStringLiteral("color: %1").arg(verdict_colour(report->overall).name()));
    label_->setToolTip(report->reason);
    reason_->setText(report->reason);
    reason_->setToolTip(report->reason);
    list_->resizeColumnsToContents();
}

} // namespace ui
