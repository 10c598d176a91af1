#include "ui/splitter_bar.h"

#include <QMouseEvent>
#include <algorithm>

namespace ui {

namespace {
constexpr int thickness = 3;
constexpr int smallest = 20;
} // namespace

SplitterBar::SplitterBar(Target target, QWidget* neighbour, QWidget* parent)
    : QWidget(parent), target_(target), neighbour_(neighbour) {
    if (target_ != Target::BottomNeighbour) {
        setFixedWidth(thickness);
        setCursor(Qt::SplitHCursor);
    } else {
        setFixedHeight(thickness);
        setCursor(Qt::SplitVCursor);
    }
}

void SplitterBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    dragging_ = true;
    const QPoint global = event->globalPosition().toPoint();
    const bool across = target_ != Target::BottomNeighbour;
    press_pos_ = across ? global.x() : global.y();
    start_size_ = across ? neighbour_->width() : neighbour_->height();
}

void SplitterBar::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_)
        return;
    const QPoint global = event->globalPosition().toPoint();
    if (target_ == Target::LeftNeighbour) {
        neighbour_->setFixedWidth(std::max(smallest, start_size_ + global.x() - press_pos_));
    } else if (target_ == Target::RightNeighbour) {
        // The neighbour lies right of the bar: dragging left makes it wider.
        emit widthDragged(std::max(smallest, start_size_ - (global.x() - press_pos_)));
    } else {
        // The neighbour lies below the bar: dragging up makes it taller.
        neighbour_->setFixedHeight(std::max(smallest, start_size_ - (global.y() - press_pos_)));
    }
}

void SplitterBar::mouseReleaseEvent(QMouseEvent*) {
    dragging_ = false;
}

} // namespace ui
