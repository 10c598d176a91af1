#include "app/result_status.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>

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
    count_->setFixedWidth(count_->fontMetrics().horizontalAdvance(QStringLiteral("99,999,999 件")));
    count_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    folder_->setFixedWidth(kFolderWidth);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 6, 0);
    row->setSpacing(16);
    row->addWidget(count_);
    row->addWidget(folder_);
    showFolder(QDir::currentPath());
}

void ResultStatus::showCount(int springs) {
    count_->setText(QStringLiteral("%1 件").arg(QLocale(QLocale::Japanese).toString(springs)));
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
