#include "app/result_status.h"

#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QResizeEvent>

#include <algorithm>

namespace app {
namespace {

constexpr int kFolderWidth = 320;

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
    row->setContentsMargins(0, 0, 6, 0);
    row->setSpacing(16);
    row->addWidget(count_);
    row->addWidget(folder_);
    showFolder(QDir::currentPath());
}

void ResultStatus::showCount(int springs, std::optional<int> excluded) {
    const QLocale japanese(QLocale::Japanese);
    QString text = QStringLiteral("%1 件").arg(japanese.toString(springs));
    if (excluded)
        text += QStringLiteral("（不可 %1 件を除外）").arg(japanese.toString(*excluded));
    count_->setText(text);
    // The longer text widens the label; the menu bar places its corner anew.
    count_->setFixedWidth(std::max(base_width_, count_->fontMetrics().horizontalAdvance(text) + 4));
    if (QWidget* bar = parentWidget()) {
        adjustSize();
        QResizeEvent resize(bar->size(), bar->size());
        QCoreApplication::sendEvent(bar, &resize);
    }
}

void ResultStatus::clearCount() {
    count_->clear();
}

void ResultStatus::showFolder(const QString& folder) {
    const QString shown = QDir::toNativeSeparators(folder);
    const QString text = QStringLiteral("カタログ: %1").arg(shown);
    folder_->setText(folder_->fontMetrics().elidedText(text, Qt::ElideMiddle, kFolderWidth));
    folder_->setToolTip(
        QStringLiteral("検索は %1 の spring_data.xml と spring_maker.xml を読みます").arg(shown));
}

} // namespace app
