#pragma once

#include "chart/chart_canvas.h"

#include <vector>

// A canvas that keeps its calls, to be replayed later on another canvas or
// inspected: the chart uses it for strokes drawn between paints.
class ChartRecordingCanvas final : public ChartCanvas {
public:
    struct Op {
        enum class Type { Pen, Move, Line, Clip, Unclip };
        Type type;
        QPoint point;
        QRect rect;
        QColor color;
        int width = 1;
        Qt::PenStyle style = Qt::SolidLine;
    };
    // A drawn line with the pen and the clipping in force when it was drawn.
    struct Line {
        QPoint from;
        QPoint to;
        QColor color;
        int width = 1;
        bool clipped = false;
        QRect clip;
    };

    void setPen(const QColor& color, int width = 1, Qt::PenStyle style = Qt::SolidLine) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void clipTo(const QRect& rect) override;
    void removeClip() override;
    using ChartCanvas::lineTo;
    using ChartCanvas::moveTo;

    bool isEmpty() const { return m_ops.empty(); }
    void clear() { m_ops.clear(); }
    const std::vector<Op>& ops() const { return m_ops; }
    std::vector<Line> lines() const;
    void replay(ChartCanvas& target) const;

private:
    std::vector<Op> m_ops;
};
