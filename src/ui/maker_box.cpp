#include "ui/maker_box.h"

#include "ui/clickable_label.h"
#include "ui/placed_controls.h"

#include <QLabel>

namespace ui {

MakerBox::MakerBox(QWidget* parent) : QGroupBox(QStringLiteral("information"), parent) {
    setObjectName(QStringLiteral("GroupBox3"));
    setFixedWidth(149);
    name_ = label(this, "DBText1", QString(), 6, 20);
    name_->setFixedWidth(137);
    tel_caption_ = label(this, "Label_maker_tel", QStringLiteral("Tel: "), 6, 40);
    tel_caption_->hide();
    tel_ = label(this, "DBText_tel", QString(), 6 + tel_caption_->width(), 40);
    tel_->setFixedWidth(137 - tel_caption_->width());
    url_ = new ClickableLabel(this);
    url_->setObjectName(QStringLiteral("DBText_url"));
    url_->move(6, 60);
    url_->setFixedWidth(137);
    url_->setWordWrap(true);
    url_->setCursor(Qt::PointingHandCursor);
    QFont underlined = url_->font();
    underlined.setUnderline(true);
    url_->setFont(underlined);
    QPalette hot = url_->palette();
    hot.setColor(QPalette::WindowText, QColor(0x00, 0x66, 0xCC)); // the system's hot-light colour
    url_->setPalette(hot);
    connect(url_, &ClickableLabel::clicked, this, &MakerBox::urlClicked);
}

void MakerBox::showMaker(const QString& name, const QString& tel, const QString& url) {
    name_->setText(name);
    tel_->setText(tel);
    url_->setText(url);
    url_->adjustSize();
}

void MakerBox::setTelCaptionShown(bool shown) {
    tel_caption_->setVisible(shown);
}

} // namespace ui
