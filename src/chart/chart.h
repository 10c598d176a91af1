#pragma once

#include "chart/chart_axis.h"
#include "chart/chart_axis_painter.h"
#include "chart/chart_canvas.h"
#include "chart/chart_error.h"
#include "chart/chart_legend.h"
#include "chart/chart_recording_canvas.h"
#include "chart/chart_series.h"

#include <QImage>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

// The program's chart widget: four axes, an ordered list of series, a title, a
// legend, mouse zoom and pan, and a canvas on which the program draws overlays
// in pixels. The series are rendered into a cached image that a repaint reuses
// until data, axes, size or look change, so overlays can be redrawn on every
// cursor move without touching a million segments.
class Chart : public QWidget {
    Q_OBJECT

public:
    enum class LegendPosition { Top, Bottom, Left, Right };

    explicit Chart(QWidget* parent = nullptr);
    ~Chart() override;

    // Series, in painting order. The new series is a child of the chart named name.
    ChartSeries* addSeries(ChartSeries::Kind kind, const QString& name);
    int seriesCount() const { return static_cast<int>(m_series.size()); }
    ChartSeries* series(int index) const;

    ChartAxis& bottomAxis() { return m_bottom; }
    ChartAxis& leftAxis() { return m_left; }
    ChartAxis& rightAxis() { return m_right; }
    ChartAxis& topAxis() { return m_top; }
    const ChartAxis& bottomAxis() const { return m_bottom; }
    const ChartAxis& leftAxis() const { return m_left; }
    const ChartAxis& rightAxis() const { return m_right; }
    const ChartAxis& topAxis() const { return m_top; }

    // Title: one entry per line.
    QStringList title() const { return m_title; }
    void setTitle(const QStringList& lines);
    QFont titleFont() const { return m_titleFont; }
    void setTitleFont(const QFont& font);
    QColor titleColor() const { return m_titleColor; }
    void setTitleColor(const QColor& color);
    bool isTitleVisible() const { return m_titleVisible; }
    void setTitleVisible(bool on);

    QColor backgroundColor() const { return m_background; }
    void setBackgroundColor(const QColor& color);
    QColor backWallColor() const { return m_backWall; }
    void setBackWallColor(const QColor& color);

    bool isLegendVisible() const { return m_legendVisible; }
    void setLegendVisible(bool on);
    LegendPosition legendPosition() const { return m_legendPosition; }
    void setLegendPosition(LegendPosition position);
    int legendSwatchWidth() const { return m_legendSwatchWidth; }
    void setLegendSwatchWidth(int pixels);
    int legendShadowSize() const { return m_legendShadowSize; }
    void setLegendShadowSize(int pixels);
    QFont legendFont() const { return m_legendFont; }
    void setLegendFont(const QFont& font);
    // One entry per series shown in the legend, in series order.
    std::vector<ChartLegendEntry> legendEntries() const;

    // The pixel rectangle inside the axes.
    QRect plotRect() const;

    // Mouse: left drag down-right zooms into the rectangle, left drag up-left
    // restores the range last set through the axis setters; right drag pans.
    bool isZoomEnabled() const { return m_zoomEnabled; }
    void setZoomEnabled(bool on) { m_zoomEnabled = on; }
    bool isPanEnabled() const { return m_panEnabled; }
    void setPanEnabled(bool on) { m_panEnabled = on; }
    void zoomToRect(const QRect& pixels);
    void panBy(QPoint pixels);
    // Back to the ranges the program set, undoing zoom and pan alike.
    void undoZoom();

    // Paints the chart as the screen shows it, overlays of the last paint
    // included, onto another device (an image of any pixel ratio, an SVG).
    void renderExport(QPainter& painter, QImage* image = nullptr);

    // Overlay drawing. During a paint (in the after-draw hook) the canvas draws
    // on the widget; between paints its strokes are kept, a repaint is
    // scheduled, and the next paint draws them once, over the series and under
    // whatever the after-draw hook draws, unless that paint renders the series
    // anew, which wipes them as a full repaint does.
    ChartCanvas& canvas();
    // Renders the whole chart anew on the next paint, as a data binding does
    // after each refill even when the data came out the same.
    void repaintAll() { lookChanged(); }
    // Runs at the end of every paint, so that overlays lie above the series.
    void setAfterDraw(std::function<void(ChartCanvas&)> hook);

    // For tests and benchmarks: how many times the series were rendered into
    // the cache, and the canvas lines of the last paint.
    int seriesRenderCount() const { return m_renderCount; }
    std::vector<ChartRecordingCanvas::Line> lastPaintStrokes() const { return m_lastPaint.lines(); }

    // The width the chart asks its layout for; 0 for its own default.
    void setPreferredWidth(int width);
    QSize sizeHint() const override;

signals:
    // A right click that does not drag, or the menu key, asks for the
    // chart's context menu; pos in the chart's coordinates.
    void contextMenuRequested(const QPoint& pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    friend class ChartSeries;
    class DeferredCanvas;
    enum class Drag { None, Zoom, Pan };

    void forgetSeries(ChartSeries* series);
    void seriesChanged(bool dataChanged);
    void lookChanged();
    void ensureLayout();
    void doLayout();
    void applyAutomaticRanges();
    void renderCache();
    void paintContents(QPainter& painter, QImage* image);
    std::vector<ChartAxis*> axes();

    ChartAxis m_bottom{ChartAxis::Position::Bottom};
    ChartAxis m_left{ChartAxis::Position::Left};
    ChartAxis m_right{ChartAxis::Position::Right};
    ChartAxis m_top{ChartAxis::Position::Top};
    std::vector<ChartSeries*> m_series;

    QStringList m_title;
    QFont m_titleFont;
    QColor m_titleColor = Qt::black;
    bool m_titleVisible = true;
    QColor m_background = Qt::white;
    QColor m_backWall = Qt::white;
    bool m_legendVisible = true;
    LegendPosition m_legendPosition = LegendPosition::Right;
    int m_legendSwatchWidth = 20;
    int m_legendShadowSize = 0;
    QFont m_legendFont;
    bool m_zoomEnabled = true;
    bool m_panEnabled = true;

    int m_preferredWidth = 0;
    // Layout, refreshed lazily.
    bool m_layoutDirty = true;
    bool m_inLayout = false;
    QSize m_layoutSize;
    QRect m_plot;
    QRect m_titleRect;
    QRect m_legendRect;
    ChartAxisScale m_scales[4];

    // Cached rendering of everything but the overlays.
    QImage m_cache;
    QImage m_frame; // the cache with this paint's overlays
    bool m_cacheDirty = true;
    int m_renderCount = 0;

    std::unique_ptr<DeferredCanvas> m_deferred;
    ChartCanvas* m_paintCanvas = nullptr;
    std::function<void(ChartCanvas&)> m_afterDraw;
    ChartRecordingCanvas m_lastPaint;

    Drag m_drag = Drag::None;
    QPoint m_dragStart;
    QPoint m_dragPoint;
    bool m_panMoved = false;
};
