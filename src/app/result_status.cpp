#include "app/result_status.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QResizeEvent>
#include <QStyle>

#include <algorithm>

namespace app {
namespace {

constexpr int kFolderWidth = 320;
constexpr int kLeastFolderWidth = 120; // below this the folder label says too little
constexpr int kSpacing = 16, kRightMargin = 6;

} // namespace

ResultStatus::ResultStatus(QWidget* parent)
    : QWidget(parent), count_(new QLabel(this)), folder_(new QLabel(this)) {
    setObjectName(QStringLiteral("ResultStatus"));
    count_->setObjectName(QStringLiteral("Label_hits"));
    count_->setToolTip(QStringLiteral("検索で見つかったバネの数"));
    folder_->setObjectName(QStringLiteral("Label_cataloguefolder"));
    // Fixed widths: the menu bar places its corner once, by the size it had then.
    base_width_ = count_->fontMetrics().horizontalAdvance(QStringLiteral("99,999,999 件"));
    count_->setFixedWidth(base_width_);
    count_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    folder_->setFixedWidth(kFolderWidth);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, kRightMargin, 0);
    row->setSpacing(kSpacing);
    row->addWidget(count_);
    row->addWidget(folder_);
    showFolder(QDir::currentPath());
}

void ResultStatus::showCount(int springs, std::optional<int> excluded) {
    const QLocale japanese(QLocale::Japanese);
    count_text_ = QStringLiteral("%1 件").arg(japanese.toString(springs));
    if (excluded)
        count_text_ += QStringLiteral("（不可 %1 件を除外）").arg(japanese.toString(*excluded));
    stale_ = false;
    showCountText();
}

void ResultStatus::setStale(bool stale) {
    if (count_text_.isEmpty() || stale == stale_)
        return;
    stale_ = stale;
    showCountText();
}

void ResultStatus::showCountText() {
    const QString text =
        stale_ ? count_text_ + QStringLiteral("（条件変更後 未再検索）") : count_text_;
    count_->setText(text);
    // The longer text widens the label; the menu bar places its corner anew.
    count_->setFixedWidth(std::max(base_width_, count_->fontMetrics().horizontalAdvance(text) + 4));
    fitRoom();
}

void ResultStatus::clearCount() {
    count_->clear();
    count_text_.clear();
    stale_ = false;
}

void ResultStatus::showFolder(const QString& folder) {
    const QString shown = QDir::toNativeSeparators(folder);
    folder_text_ = QStringLiteral("カタログ: %1").arg(shown);
    folder_->setText(
        folder_->fontMetrics().elidedText(folder_text_, Qt::ElideMiddle, folder_->width()));
    folder_->setToolTip(
        QStringLiteral("検索は %1 の spring_data.xml と spring_maker.xml を読みます").arg(shown));
}

void ResultStatus::followRoom(QWidget* bar) {
    bar_ = bar;
    bar->installEventFilter(this);
    fitRoom();
}

bool ResultStatus::eventFilter(QObject* watched, QEvent* event) {
    if (watched == bar_ && event->type() == QEvent::Resize && !relayout_)
        fitRoom();
    return QWidget::eventFilter(watched, event);
}

void ResultStatus::fitRoom() {
    if (!bar_)
        return;
    // The menus' own widths, as the bar lays them out in its style.
    const QFontMetrics metrics(bar_->font());
    const int item_margin =
        2 * bar_->style()->pixelMetric(QStyle::PM_MenuBarHMargin, nullptr, bar_) +
        2 * bar_->style()->pixelMetric(QStyle::PM_MenuBarItemSpacing, nullptr, bar_) + 16;
    int menus = 2 * bar_->style()->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, bar_);
    for (const QAction* a : bar_->actions()) {
        if (a->isVisible())
            menus += metrics.horizontalAdvance(QString(a->text()).remove(u'&')) + item_margin;
    }
    const int room = bar_->width() - menus;
    const int count = count_->maximumWidth();
    const int folder = std::min(kFolderWidth, room - count - kSpacing - kRightMargin);
    folder_->setVisible(folder >= kLeastFolderWidth);
    if (folder_->isVisible()) {
        folder_->setFixedWidth(folder);
        folder_->setText(folder_->fontMetrics().elidedText(folder_text_, Qt::ElideMiddle, folder));
    }
    count_->setVisible(room >= count + kRightMargin);
    relayoutBar();
}

void ResultStatus::relayoutBar() {
    // The bar places its corner by the corner's size when it lays itself out.
    adjustSize();
    if (!bar_ || relayout_)
        return;
    relayout_ = true;
    QResizeEvent resize(bar_->size(), bar_->size());
    QCoreApplication::sendEvent(bar_, &resize);
    relayout_ = false;
}

} // namespace app
