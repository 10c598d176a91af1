#pragma once

#include <QWidget>

namespace ui {

// A thin bar that resizes one neighbouring widget when dragged: the width of
// a widget docked left of it, or the height of one docked below it. A widget on
// its right sizes itself: the bar reports the width the drag asks for.
class SplitterBar : public QWidget {
    Q_OBJECT
public:
    enum class Target { LeftNeighbour, BottomNeighbour, RightNeighbour };
    SplitterBar(Target target, QWidget* neighbour, QWidget* parent);

signals:
    // RightNeighbour: the width the drag gives the neighbour.
    void widthDragged(int width);

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
