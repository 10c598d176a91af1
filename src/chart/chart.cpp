#include "chart/chart.h"

#include "chart/assign_changed.h"
#include "chart/chart_series_painter.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cstring>

namespace {

using chart_detail::assign;

constexpr int kMargin = 6;
constexpr int kDragThreshold = 3;

QFont pixelFont(const char* utf8Family, int pixels) {
    QFont font(QString::fromUtf8(utf8Family));
    font.setPixelSize(pixels);
    return font;
}

} // namespace

// The canvas handed out between paints: keeps the strokes for the next paint
// and asks for that paint.
class Chart::DeferredCanvas final : public ChartCanvas {
public:
    explicit DeferredCanvas(Chart& chart) : m_chart(chart) {}

    void setPen(const QColor& color, int width, Qt::PenStyle style) override {
        m_strokes.setPen(color, width, style);
    }
    void moveTo(int x, int y) override { m_strokes.moveTo(x, y); }
    void lineTo(int x, int y) override {
        m_strokes.lineTo(x, y);
        m_chart.update();
    }
    void clipTo(const QRect& rect) override { m_strokes.clipTo(rect); }
    void removeClip() override { m_strokes.removeClip(); }

    ChartRecordingCanvas& strokes() { return m_strokes; }

private:
    Chart& m_chart;
    ChartRecordingCanvas m_strokes;
};

Chart::Chart(QWidget* parent)
    : QWidget(parent), m_titleFont(pixelFont("ＭＳ Ｐゴシック", 12)),
      m_legendFont(pixelFont("ＭＳ Ｐ明朝", 12)),
      m_deferred(std::make_unique<DeferredCanvas>(*this)) {
    for (ChartAxis* axis : axes())
        axis->attach([this] { lookChanged(); }, [this] { ensureLayout(); });
    m_right.setVisible(false);
    m_top.setVisible(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
}

Chart::~Chart() {
    // The series outlive this body as QObject children; cut them loose first.
    for (ChartSeries* s : m_series)
        s->m_chart = nullptr;
}

std::vector<ChartAxis*> Chart::axes() {
    return {&m_bottom, &m_left, &m_right, &m_top};
}

ChartSeries* Chart::addSeries(ChartSeries::Kind kind, const QString& name) {
    auto* s = new ChartSeries(this, kind, name);
    m_series.push_back(s);
    seriesChanged(true);
    return s;
}

ChartSeries* Chart::series(int index) const {
    if (index < 0 || index >= seriesCount())
        return nullptr;
    return m_series[static_cast<size_t>(index)];
}

void Chart::forgetSeries(ChartSeries* series) {
    m_series.erase(std::remove(m_series.begin(), m_series.end(), series), m_series.end());
    seriesChanged(true);
}

void Chart::seriesChanged(bool /*dataChanged*/) {
    // Legends and automatic ranges follow the series, so the layout goes too.
    lookChanged();
}

void Chart::lookChanged() {
    if (m_inLayout)
        return;
    m_layoutDirty = true;
    m_cacheDirty = true;
    update();
}

void Chart::setTitle(const QStringList& lines) {
    if (assign(m_title, lines))
        lookChanged();
}
void Chart::setTitleFont(const QFont& font) {
    if (assign(m_titleFont, font))
        lookChanged();
}
void Chart::setTitleColor(const QColor& color) {
    if (assign(m_titleColor, color))
        lookChanged();
}
void Chart::setTitleVisible(bool on) {
    if (assign(m_titleVisible, on))
        lookChanged();
}
void Chart::setBackgroundColor(const QColor& color) {
    if (assign(m_background, color))
        lookChanged();
}
void Chart::setBackWallColor(const QColor& color) {
    if (assign(m_backWall, color))
        lookChanged();
}
void Chart::setLegendVisible(bool on) {
    if (assign(m_legendVisible, on))
        lookChanged();
}
void Chart::setLegendPosition(LegendPosition position) {
    if (assign(m_legendPosition, position))
        lookChanged();
}
void Chart::setLegendSwatchWidth(int pixels) {
    if (assign(m_legendSwatchWidth, std::max(0, pixels)))
        lookChanged();
}
void Chart::setLegendShadowSize(int pixels) {
    if (assign(m_legendShadowSize, std::max(0, pixels)))
        lookChanged();
}
void Chart::setLegendFont(const QFont& font) {
    if (assign(m_legendFont, font))
        lookChanged();
}

std::vector<ChartLegendEntry> Chart::legendEntries() const {
    std::vector<ChartLegendEntry> entries;
    for (const ChartSeries* s : m_series) {
        if (s->showInLegend())
            entries.push_back({s->title(), s->seriesColor()});
    }
    return entries;
}

QRect Chart::plotRect() const {
    const_cast<Chart*>(this)->ensureLayout();
    return m_plot;
}

void Chart::setPreferredWidth(int width) {
    m_preferredWidth = width;
    updateGeometry();
}

QSize Chart::sizeHint() const {
    return QSize(m_preferredWidth > 0 ? m_preferredWidth : 400, 300);
}

void Chart::ensureLayout() {
    if (!m_layoutDirty || m_inLayout)
        return;
    m_inLayout = true;
    doLayout();
    m_inLayout = false;
    m_layoutDirty = false;
}

void Chart::applyAutomaticRanges() {
    // Automatic axes span the series drawn against them.
    auto fit = [this](ChartAxis& axis, auto uses, bool horizontal) {
        if (!axis.isAutomatic())
            return;
        bool any = false;
        double lo = 0.0, hi = 0.0;
        for (const ChartSeries* s : m_series) {
            if (!s->isVisible() || s->count() == 0 || !uses(s))
                continue;
            const double a = horizontal ? s->minX() : s->minY();
            const double b = horizontal ? s->maxX() : s->maxY();
            lo = any ? std::min(lo, a) : a;
            hi = any ? std::max(hi, b) : b;
            any = true;
        }
        if (any)
            axis.setViewRange(lo, hi);
    };
    fit(
        m_bottom, [](const ChartSeries*) { return true; }, true);
    fit(
        m_left,
        [](const ChartSeries* s) { return s->verticalAxis() == ChartSeries::VerticalAxis::Left; },
        false);
    fit(
        m_right,
        [](const ChartSeries* s) { return s->verticalAxis() == ChartSeries::VerticalAxis::Right; },
        false);
}

void Chart::doLayout() {
    m_layoutSize = size();
    applyAutomaticRanges();
    QRect area = rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);

    // Title lines at the top.
    m_titleRect = QRect();
    if (m_titleVisible && !m_title.isEmpty()) {
        const int height = QFontMetrics(m_titleFont).height() * static_cast<int>(m_title.size());
        m_titleRect = QRect(area.left(), area.top(), area.width(), height);
        area.setTop(area.top() + height + kMargin);
    }

    // The legend takes a band along its side.
    m_legendRect = QRect();
    const auto entries = legendEntries();
    if (m_legendVisible && !entries.empty()) {
        const bool vertical =
            m_legendPosition == LegendPosition::Left || m_legendPosition == LegendPosition::Right;
        const ChartLegend legend(entries, m_legendFont, m_legendSwatchWidth, m_legendShadowSize,
                                 vertical);
        const QSize size = legend.sizeFor(vertical ? area.width() / 3 : area.width());
        switch (m_legendPosition) {
        case LegendPosition::Top:
            m_legendRect = QRect(area.center().x() - size.width() / 2, area.top(), size.width(),
                                 size.height());
            area.setTop(area.top() + size.height() + kMargin);
            break;
        case LegendPosition::Bottom:
            m_legendRect = QRect(area.center().x() - size.width() / 2,
                                 area.bottom() - size.height() + 1, size.width(), size.height());
            area.setBottom(area.bottom() - size.height() - kMargin);
            break;
        case LegendPosition::Left:
            m_legendRect = QRect(area.left(), area.center().y() - size.height() / 2, size.width(),
                                 size.height());
            area.setLeft(area.left() + size.width() + kMargin);
            break;
        case LegendPosition::Right:
            m_legendRect =
                QRect(area.right() - size.width() + 1, area.center().y() - size.height() / 2,
                      size.width(), size.height());
            area.setRight(area.right() - size.width() - kMargin);
            break;
        }
    }

    // Horizontal axes first: their thickness does not depend on their length,
    // and it fixes the length of the vertical axes, whose label widths then fix
    // the length of the horizontal ones.
    auto& sBottom = m_scales[0];
    auto& sLeft = m_scales[1];
    auto& sRight = m_scales[2];
    auto& sTop = m_scales[3];
    sBottom = layoutChartAxis(m_bottom, area.width());
    sTop = layoutChartAxis(m_top, area.width());
    const int labelHalf = QFontMetrics(m_left.labelFont()).height() / 2;
    const bool anyVertical = m_left.isVisible() || m_right.isVisible();
    const int top = area.top() + std::max(sTop.thickness, anyVertical ? labelHalf : 0);
    const int bottom = area.bottom() - std::max(sBottom.thickness, anyVertical ? labelHalf : 0);
    const int height = std::max(1, bottom - top);
    sLeft = layoutChartAxis(m_left, height);
    sRight = layoutChartAxis(m_right, height);

    int left = area.left() + sLeft.thickness;
    int right = area.right() - sRight.thickness;
    // Room for the outer halves of the first and last labels of the bottom axis.
    for (int pass = 0; pass < 2; ++pass) {
        const int overhangStart = std::max(sBottom.overhangStart, sTop.overhangStart);
        const int overhangEnd = std::max(sBottom.overhangEnd, sTop.overhangEnd);
        left = area.left() + std::max(sLeft.thickness, overhangStart);
        right = area.right() - std::max(sRight.thickness, overhangEnd);
        sBottom = layoutChartAxis(m_bottom, std::max(1, right - left));
        sTop = layoutChartAxis(m_top, std::max(1, right - left));
    }
    m_plot = QRect(QPoint(left, top), QPoint(std::max(left + 1, right), std::max(top + 1, bottom)));
    m_bottom.setPixelSpan(m_plot.left(), m_plot.right());
    m_top.setPixelSpan(m_plot.left(), m_plot.right());
    m_left.setPixelSpan(m_plot.top(), m_plot.bottom());
    m_right.setPixelSpan(m_plot.top(), m_plot.bottom());
}

void Chart::renderCache() {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (m_cache.size() != pixels)
        m_cache = QImage(pixels, QImage::Format_RGB32);
    m_cache.setDevicePixelRatio(ratio);
    ++m_renderCount;

    QPainter p(&m_cache);
    paintContents(p, &m_cache);
}

void Chart::paintContents(QPainter& p, QImage* image) {
    p.fillRect(rect(), m_background);
    if (m_titleRect.isValid()) {
        p.setFont(m_titleFont);
        p.setPen(m_titleColor);
        p.drawText(m_titleRect, Qt::AlignHCenter | Qt::AlignTop, m_title.join(u'\n'));
    }
    if (m_legendRect.isValid()) {
        const bool vertical =
            m_legendPosition == LegendPosition::Left || m_legendPosition == LegendPosition::Right;
        ChartLegend(legendEntries(), m_legendFont, m_legendSwatchWidth, m_legendShadowSize,
                    vertical)
            .paint(p, m_legendRect);
    }
    p.fillRect(m_plot, m_backWall);
    const ChartAxis* order[4] = {&m_bottom, &m_left, &m_right, &m_top};
    for (int i = 0; i < 4; ++i)
        paintChartAxisGrid(p, *order[i], m_scales[i], m_plot);
    for (const ChartSeries* s : m_series)
        paintChartSeries(p, image, *s, m_plot);
    for (int i = 0; i < 4; ++i)
        paintChartAxis(p, *order[i], m_scales[i], m_plot);
}

void Chart::renderExport(QPainter& painter, QImage* image) {
    ensureLayout();
    paintContents(painter, image);
    ChartPainterCanvas overlays(painter, image);
    m_lastPaint.replay(overlays);
}

void Chart::paintEvent(QPaintEvent* /*event*/) {
    ensureLayout();
    const QSize pixels = (QSizeF(size()) * devicePixelRatioF()).toSize();
    if (m_cacheDirty || m_cache.size() != pixels) {
        renderCache();
        m_cacheDirty = false;
        // A paint that renders the series anew paints the whole chart: strokes
        // drawn on the canvas before it are gone, only the after-draw hook's
        // remain. They were also placed for axes that may since have changed.
        m_deferred->strokes().clear();
    }
    // Overlays go onto a copy of the cache, through the rasteriser of the series.
    if (m_frame.size() != m_cache.size() || m_frame.format() != m_cache.format())
        m_frame = QImage(m_cache.size(), m_cache.format());
    m_frame.setDevicePixelRatio(m_cache.devicePixelRatio());
    std::memcpy(m_frame.bits(), m_cache.constBits(), static_cast<size_t>(m_cache.sizeInBytes()));

    m_lastPaint.clear();
    {
        QPainter framePainter(&m_frame);
        ChartPainterCanvas live(framePainter, &m_frame, &m_lastPaint);
        m_paintCanvas = &live;
        // Strokes from between paints go over the series, once.
        m_deferred->strokes().replay(live);
        m_deferred->strokes().clear();
        live.removeClip();
        live.setPen(Qt::black, 1);
        if (m_afterDraw) {
            // An overlay that fails is left out, and said so on the log: an
            // exception must not unwind through the paint machinery, and a
            // message box cannot open in the middle of a paint.
            try {
                m_afterDraw(live);
            } catch (const std::exception& e) {
                qWarning("chart overlay failed: %s", e.what());
            }
        }
        m_paintCanvas = nullptr;
    }

    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_frame);
    if (m_drag == Drag::Zoom) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(m_dragStart, m_dragPoint).normalized());
    }
}

void Chart::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Qt repeats resize events for hidden widgets on every render; only a real
    // change of size needs a new layout.
    if (m_layoutSize == size())
        return;
    m_layoutDirty = true;
    m_cacheDirty = true;
}

ChartCanvas& Chart::canvas() {
    if (m_paintCanvas)
        return *m_paintCanvas;
    return *m_deferred;
}

void Chart::setAfterDraw(std::function<void(ChartCanvas&)> hook) {
    m_afterDraw = std::move(hook);
    update();
}

void Chart::zoomToRect(const QRect& pixels) {
    ensureLayout();
    const QRect r = pixels.normalized();
    for (ChartAxis* axis : axes()) {
        const double a =
            axis->isHorizontal() ? axis->pixelToValue(r.left()) : axis->pixelToValue(r.bottom());
        const double b =
            axis->isHorizontal() ? axis->pixelToValue(r.right()) : axis->pixelToValue(r.top());
        axis->setViewRange(std::min(a, b), std::max(a, b));
    }
}

void Chart::panBy(QPoint pixels) {
    ensureLayout();
    for (ChartAxis* axis : axes()) {
        const int shift = axis->isHorizontal() ? pixels.x() : pixels.y();
        if (shift == 0)
            continue;
        // The range moves against the mouse, so the drawing follows it.
        const double a = axis->pixelToValue(axis->pixelStart() - shift);
        const double b = axis->pixelToValue(axis->pixelEnd() - shift);
        axis->setViewRange(std::min(a, b), std::max(a, b));
    }
}

void Chart::undoZoom() {
    for (ChartAxis* axis : axes())
        axis->restoreSetRange();
}

void Chart::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && m_zoomEnabled) {
        m_drag = Drag::Zoom;
    } else if (event->button() == Qt::RightButton && m_panEnabled) {
        m_drag = Drag::Pan;
    } else {
        QWidget::mousePressEvent(event);
        return;
    }
    m_dragStart = m_dragPoint = pos;
    m_panMoved = false;
    event->accept();
}

void Chart::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (m_drag == Drag::Zoom) {
        m_dragPoint = pos;
        update();
    } else if (m_drag == Drag::Pan) {
        // A pan starts once the mouse leaves the click's few pixels, so that a
        // plain right click moves nothing and opens the menu.
        if (!m_panMoved && (pos - m_dragStart).manhattanLength() <= kDragThreshold)
            return event->accept();
        m_panMoved = true;
        panBy(pos - m_dragPoint);
        m_dragPoint = pos;
    } else {
        QWidget::mouseMoveEvent(event);
        return;
    }
    event->accept();
}

void Chart::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (m_drag == Drag::Zoom && event->button() == Qt::LeftButton) {
        m_drag = Drag::None;
        const QPoint delta = pos - m_dragStart;
        if (delta.x() > kDragThreshold && delta.y() > kDragThreshold)
            zoomToRect(QRect(m_dragStart, pos));
        else if (delta.x() < -kDragThreshold || delta.y() < -kDragThreshold)
            undoZoom();
        update();
    } else if (m_drag == Drag::Pan && event->button() == Qt::RightButton) {
        m_drag = Drag::None;
        if (m_panMoved || (pos - m_dragStart).manhattanLength() > kDragThreshold)
            panBy(pos - m_dragPoint);
        else
            emit contextMenuRequested(pos);
    } else {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    event->accept();
}

void Chart::contextMenuEvent(QContextMenuEvent* event) {
    // With panning on, the mouse release decides between a pan and the menu.
    if (event->reason() != QContextMenuEvent::Mouse || !m_panEnabled)
        emit contextMenuRequested(event->pos());
    event->accept();
}
