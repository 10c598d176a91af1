#include "ui/verdict_panel.h"

#include "ui/splitter_bar.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

namespace {

constexpr int kPanelWidth = 420; // at the window's default size
constexpr int kLeastWidth = 160;
constexpr int kLeastReason = 60; // a few characters of the reason, the rest in its tip
constexpr int kCellPadding = 10; // the cell's margins and focus frame in every style

// The reason on one line, shortened; its tip holds it whole.
class OneLine : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->features &= ~QStyleOptionViewItem::WrapText;
    }
};

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
        for (const AssumedValue& a : report->assumed)
            rows_.push_back(note(a.name, a.value));
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
      list_(new QTableView(this)), model_(new VerdictModel(this)), own_width_(kPanelWidth) {
    setObjectName(QStringLiteral("Panel_verdict"));
    setMinimumWidth(kLeastWidth);
    label_->setObjectName(QStringLiteral("Label_verdict"));
    QFont big = label_->font();
    big.setPixelSize(18);
    big.setBold(true);
    label_->setFont(big);
    reason_->setObjectName(QStringLiteral("Label_verdictreason"));
    // A long reason must not widen the panel: it wraps, and its tip holds it whole.
    reason_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    reason_->setWordWrap(true);
    list_->setObjectName(QStringLiteral("Grid_verdict"));
    list_->setModel(model_);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 4);
    list_->horizontalHeader()->setStretchLastSection(true);
    // What is checked wraps, so that value, limit and verdict stay in view.
    list_->setWordWrap(true);
    list_->setTextElideMode(Qt::ElideRight);
    list_->setItemDelegateForColumn(VerdictModel::Reason, new OneLine(list_));
    list_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // The bar between the stress panel and the list: dragged, it gives the list room.
    auto* bar = new SplitterBar(SplitterBar::Target::RightNeighbour, this, this);
    bar->setObjectName(QStringLiteral("Splitter_verdict"));
    connect(bar, &SplitterBar::widthDragged, this, &VerdictPanel::setWidth);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(bar);
    auto* column = new QVBoxLayout;
    row->addLayout(column, 1);
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

void VerdictPanel::setDefaultHeight(int height) {
    default_height_ = height;
    updateGeometry();
}

void VerdictPanel::setShare(int extra) {
    if (share_ == extra)
        return;
    share_ = extra;
    updateGeometry();
}

void VerdictPanel::setWidth(int width) {
    own_width_ = std::max(kLeastWidth, width - share_);
    updateGeometry();
}

QSize VerdictPanel::sizeHint() const {
    return {own_width_ + share_, std::max(default_height_, QWidget::sizeHint().height())};
}

void VerdictPanel::showReport(const std::optional<VerdictReport>& report) {
    model_->setReport(report);
    checks_ = report ? static_cast<int>(report->lines.size()) : 0;
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
    fitColumns();
}

void VerdictPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitColumns();
}

int VerdictPanel::contentWidth(int column, bool longest_word) const {
    // The check rows only: the notes span the columns after the first.
    const QFontMetrics metrics = list_->fontMetrics();
    int width = list_->horizontalHeader()->sectionSizeHint(column);
    for (int r = 0; r < checks_; ++r) {
        const QString text = model_->index(r, column).data().toString();
        const QStringList words =
            longest_word ? text.split(u' ', Qt::SkipEmptyParts) : QStringList{text};
        for (const QString& word : words)
            width = std::max(width, metrics.horizontalAdvance(word) + kCellPadding);
    }
    return width;
}

void VerdictPanel::fitColumns() {
    // The margin and the verdict at their widths; the value and the limit too where
    // there is room, else wrapped at their spaces; what is checked takes what is
    // left down to a least width, wrapping; the reason the rest, its whole text in
    // its tip. The vertical scroll bar's room is kept, shown or not: it comes with
    // the rows.
    const int room =
        list_->width() - 2 * list_->frameWidth() - list_->verticalScrollBar()->sizeHint().width();
    const int check = contentWidth(VerdictModel::Check);
    // A short name of a check on one line; longer ones and where it was made wrap.
    const int least =
        std::min(check, list_->fontMetrics().horizontalAdvance(QStringLiteral("最小使用長さ")) +
                            kCellPadding);
    int value = contentWidth(VerdictModel::Value);
    int limit = contentWidth(VerdictModel::Limit);
    const int fixed = contentWidth(VerdictModel::Margin) + contentWidth(VerdictModel::Verdict);
    const int over = least + value + limit + fixed - room;
    if (over > 0) {
        // Taken from both in proportion, each down to its longest word.
        const int value_least = contentWidth(VerdictModel::Value, true);
        const int limit_least = contentWidth(VerdictModel::Limit, true);
        const int slack = value - value_least + limit - limit_least;
        if (slack > 0) {
            const int cut = std::min(over, slack);
            const int value_cut = cut * (value - value_least) / slack;
            value -= value_cut;
            limit -= cut - value_cut;
        }
    }
    list_->setColumnWidth(VerdictModel::Value, value);
    list_->setColumnWidth(VerdictModel::Limit, limit);
    list_->setColumnWidth(VerdictModel::Margin, contentWidth(VerdictModel::Margin));
    list_->setColumnWidth(VerdictModel::Verdict, contentWidth(VerdictModel::Verdict));
    const int rest = room - value - limit - fixed;
    const int check_width = std::clamp(rest, least, check);
    list_->setColumnWidth(VerdictModel::Check, check_width);
    list_->setColumnWidth(VerdictModel::Reason, std::max(kLeastReason, rest - check_width));
    list_->resizeRowsToContents();
}

} // namespace ui
