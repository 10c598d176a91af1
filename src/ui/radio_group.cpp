#include "ui/radio_group.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace ui {

RadioGroup::RadioGroup(const QString& name, const QString& caption, const QStringList& items,
                       int columns, QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this)) {
    setObjectName(name);
    auto* grid = new QGridLayout(this);
    // Room between the items and from the frame, so that no item touches
    // another or is cut by the border.
    grid->setContentsMargins(2, 1, 0, 2);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(1);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        buttons_->addButton(button, i);
        grid->addWidget(button, i / columns, i % columns);
    }
    connect(buttons_, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
}

int RadioGroup::itemIndex() const {
    return buttons_->checkedId();
}

void RadioGroup::setItemIndex(int index) {
    if (QAbstractButton* b = buttons_->button(index))
        b->setChecked(true);
}

int RadioGroup::count() const {
    return static_cast<int>(buttons_->buttons().size());
}

} // namespace ui
