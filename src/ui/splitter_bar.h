#pragma once

#include <QWidget>

namespace ui {

// A thin bar that resizes one neighbouring widget when dragged: the width of
// a widget docked left of it, or the height of one docked below it.
class SplitterBar : public QWidget {
    Q_OBJECT
public:
    enum class Target { LeftNeighbour, BottomNeighbour };
    SplitterBar(Target target, QWidget* neighbour, QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Target target_;
    QWidget* neighbour_;
    int press_pos_ = 0;
    int start_size_ = 0;
    bool dragging_ = false;
};

} // namespace ui
