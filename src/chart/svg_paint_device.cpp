#include "chart/svg_paint_device.h"

#include <QBuffer>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>

#include <array>

namespace {

QString number(qreal v) {
    return QString::number(v, 'g', 10);
}

QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

QString color_name(const QColor& c) {
    return c.name(QColor::HexRgb);
}

QString matrix(const QTransform& t) {
    return QStringLiteral("matrix(%1,%2,%3,%4,%5,%6)")
        .arg(number(t.m11()), number(t.m12()), number(t.m21()), number(t.m22()), number(t.dx()),
             number(t.dy()));
}

QString path_data(const QPainterPath& path) {
    QString d;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            d += QStringLiteral("M%1 %2").arg(number(e.x), number(e.y));
        } else if (e.isLineTo()) {
            d += QStringLiteral("L%1 %2").arg(number(e.x), number(e.y));
        } else if (e.isCurveTo()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            d += QStringLiteral("C%1 %2 %3 %4 %5 %6")
                     .arg(number(e.x), number(e.y), number(c2.x), number(c2.y), number(end.x),
                          number(end.y));
            i += 2;
        }
    }
    return d;
}

} // namespace

// Writes each primitive as one element with its own style; a change of clip
// closes the group of the one before.
class SvgPaintEngine final : public QPaintEngine {
public:
    SvgPaintEngine(QSize size, QString title)
        : QPaintEngine(QPaintEngine::PaintEngineFeatures(QPaintEngine::AllFeatures) &
                       ~(QPaintEngine::PaintEngineFeatures(QPaintEngine::PatternBrush) |
                         QPaintEngine::PerspectiveTransform | QPaintEngine::ConicalGradientFill |
                         QPaintEngine::PorterDuff)),
          m_size(size), m_title(std::move(title)) {}

    bool begin(QPaintDevice*) override {
        m_body.clear();
        m_defs.clear();
        m_clipIds = 0;
        m_inGroup = false;
        m_clip = QPainterPath();
        return true;
    }
    bool end() override {
        closeGroup();
        m_document = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
                                    "<svg xmlns=\"http://www.w3.org/2000/svg\" "
                                    "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" "
                                    "width=\"%1\" height=\"%2\" viewBox=\"0 0 %1 %2\">\n"
                                    "<title>%3</title>\n<defs>\n%4</defs>\n%5</svg>\n")
                         .arg(m_size.width())
                         .arg(m_size.height())
                         .arg(escaped(m_title), m_defs, m_body)
                         .toUtf8();
        return true;
    }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& changed) override {
        const DirtyFlags flags = changed.state();
        if (flags & DirtyPen)
            m_pen = changed.pen();
        if (flags & DirtyBrush)
            m_brush = changed.brush();
        if (flags & DirtyTransform)
            m_transform = changed.transform();
        if (flags & DirtyOpacity)
            m_opacity = changed.opacity();
        if (flags & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled))
            updateClip();
    }

    void drawLines(const QLineF* lines, int count) override {
        for (int i = 0; i < count; ++i)
            element(QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\"")
                        .arg(number(lines[i].x1()), number(lines[i].y1()), number(lines[i].x2()),
                             number(lines[i].y2())),
                    false);
    }
    void drawLines(const QLine* lines, int count) override {
        for (int i = 0; i < count; ++i)
            drawLines(std::array<QLineF, 1>{QLineF(lines[i])}.data(), 1);
    }
    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i)
            element(QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"")
                        .arg(number(rects[i].x()), number(rects[i].y()), number(rects[i].width()),
                             number(rects[i].height())),
                    true);
    }
    void drawRects(const QRect* rects, int count) override {
        for (int i = 0; i < count; ++i)
            drawRects(std::array<QRectF, 1>{QRectF(rects[i])}.data(), 1);
    }
    void drawEllipse(const QRectF& r) override {
        element(QStringLiteral("<ellipse cx=\"%1\" cy=\"%2\" rx=\"%3\" ry=\"%4\"")
                    .arg(number(r.center().x()), number(r.center().y()), number(r.width() / 2),
                         number(r.height() / 2)),
                true);
    }
    void drawPath(const QPainterPath& path) override {
        element(QStringLiteral("<path d=\"%1\" fill-rule=\"%2\"")
                    .arg(path_data(path), path.fillRule() == Qt::WindingFill
                                              ? QStringLiteral("nonzero")
                                              : QStringLiteral("evenodd")),
                true);
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        QString list;
        for (int i = 0; i < count; ++i)
            list += QStringLiteral("%1,%2 ").arg(number(points[i].x()), number(points[i].y()));
        const bool polyline = mode == PolylineMode;
        element(
            QStringLiteral("<%1 points=\"%2\"%3")
                .arg(polyline ? QStringLiteral("polyline") : QStringLiteral("polygon"),
                     list.trimmed(),
                     mode == OddEvenMode ? QStringLiteral(" fill-rule=\"evenodd\"") : QString()),
            !polyline);
    }
    void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override {
        QPolygonF polygon;
        for (int i = 0; i < count; ++i)
            polygon << QPointF(points[i]);
        drawPolygon(polygon.constData(), count, mode);
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        const QFont font = item.font();
        const qreal pixels =
            font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * m_dpi / 72;
        QString style = QStringLiteral(" font-family=\"%1\" font-size=\"%2\" fill=\"%3\"")
                            .arg(escaped(font.family()), number(pixels), color_name(m_pen.color()));
        if (m_pen.color().alphaF() < 1)
            style += QStringLiteral(" fill-opacity=\"%1\"").arg(number(m_pen.color().alphaF()));
        if (font.bold())
            style += QStringLiteral(" font-weight=\"bold\"");
        if (font.italic())
            style += QStringLiteral(" font-style=\"italic\"");
        m_body += QStringLiteral("<text x=\"%1\" y=\"%2\"%3%4 xml:space=\"preserve\">%5</text>\n")
                      .arg(number(p.x()), number(p.y()), style, transformAttribute(),
                           escaped(item.text()));
    }
    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& source) override {
        drawImage(r, pixmap.toImage(), source, Qt::AutoColor);
    }
    void drawImage(const QRectF& r, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags) override {
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        image.copy(source.toAlignedRect()).save(&png, "PNG");
        m_body += QStringLiteral("<image x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"%5 "
                                 "preserveAspectRatio=\"none\" "
                                 "xlink:href=\"data:image/png;base64,%6\"/>\n")
                      .arg(number(r.x()), number(r.y()), number(r.width()), number(r.height()),
                           transformAttribute(), QString::fromLatin1(png.data().toBase64()));
    }

    QByteArray document() const { return m_document; }
    void setDpi(int dpi) { m_dpi = dpi; }

private:
    QString transformAttribute() const {
        return m_transform.isIdentity()
                   ? QString()
                   : QStringLiteral(" transform=\"%1\"").arg(matrix(m_transform));
    }

    QString strokeAttributes() const {
        if (m_pen.style() == Qt::NoPen)
            return QStringLiteral(" stroke=\"none\"");
        const qreal width = m_pen.widthF() > 0 ? m_pen.widthF() : 1;
        QString s = QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\"")
                        .arg(color_name(m_pen.color()), number(width));
        if (m_pen.color().alphaF() < 1)
            s += QStringLiteral(" stroke-opacity=\"%1\"").arg(number(m_pen.color().alphaF()));
        if (m_pen.style() != Qt::SolidLine) {
            QStringList dashes;
            for (const qreal d : m_pen.dashPattern())
                dashes << number(d * width);
            s += QStringLiteral(" stroke-dasharray=\"%1\"").arg(dashes.join(u','));
        }
        s += m_pen.capStyle() == Qt::FlatCap    ? QStringLiteral(" stroke-linecap=\"butt\"")
             : m_pen.capStyle() == Qt::RoundCap ? QStringLiteral(" stroke-linecap=\"round\"")
                                                : QStringLiteral(" stroke-linecap=\"square\"");
        s += m_pen.joinStyle() == Qt::RoundJoin   ? QStringLiteral(" stroke-linejoin=\"round\"")
             : m_pen.joinStyle() == Qt::BevelJoin ? QStringLiteral(" stroke-linejoin=\"bevel\"")
                                                  : QStringLiteral(" stroke-linejoin=\"miter\"");
        if (m_pen.isCosmetic())
            s += QStringLiteral(" vector-effect=\"non-scaling-stroke\"");
        return s;
    }

    QString fillAttributes() const {
        if (m_brush.style() == Qt::NoBrush)
            return QStringLiteral(" fill=\"none\"");
        QString s = QStringLiteral(" fill=\"%1\"").arg(color_name(m_brush.color()));
        if (m_brush.color().alphaF() < 1)
            s += QStringLiteral(" fill-opacity=\"%1\"").arg(number(m_brush.color().alphaF()));
        return s;
    }

    void element(const QString& start, bool filled) {
        QString s = start + strokeAttributes() +
                    (filled ? fillAttributes() : QStringLiteral(" fill=\"none\"")) +
                    transformAttribute();
        if (m_opacity < 1)
            s += QStringLiteral(" opacity=\"%1\"").arg(number(m_opacity));
        m_body += s + QStringLiteral("/>\n");
    }

    // The clip in device coordinates, as the painter holds it now.
    void updateClip() {
        QPainter* p = painter();
        const bool clipped = p && p->hasClipping();
        const QPainterPath clip =
            clipped ? p->deviceTransform().map(p->clipPath()) : QPainterPath();
        if (clipped == m_inGroup && clip == m_clip)
            return;
        closeGroup();
        m_clip = clip;
        if (!clipped)
            return;
        const QString id = QStringLiteral("clip%1").arg(++m_clipIds);
        m_defs += QStringLiteral("<clipPath id=\"%1\"><path d=\"%2\"/></clipPath>\n")
                      .arg(id, path_data(clip));
        m_body += QStringLiteral("<g clip-path=\"url(#%1)\">\n").arg(id);
        m_inGroup = true;
    }

    void closeGroup() {
        if (m_inGroup)
            m_body += QStringLiteral("</g>\n");
        m_inGroup = false;
    }

    QSize m_size;
    QString m_title;
    int m_dpi = 96;
    QPen m_pen;
    QBrush m_brush;
    QTransform m_transform;
    qreal m_opacity = 1;
    QString m_body;
    QString m_defs;
    int m_clipIds = 0;
    bool m_inGroup = false; // inside the group of a clip
    QPainterPath m_clip;
    QByteArray m_document;
};

SvgPaintDevice::SvgPaintDevice(QSize size, QString title, int dpi)
    : m_size(size), m_dpi(dpi), m_engine(std::make_unique<SvgPaintEngine>(size, std::move(title))) {
    m_engine->setDpi(dpi);
}

SvgPaintDevice::~SvgPaintDevice() = default;

QPaintEngine* SvgPaintDevice::paintEngine() const {
    return m_engine.get();
}

QByteArray SvgPaintDevice::svg() const {
    return m_engine->document();
}

int SvgPaintDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return m_size.width();
    case PdmHeight:
        return m_size.height();
    case PdmWidthMM:
        return qRound(m_size.width() * 25.4 / m_dpi);
    case PdmHeightMM:
        return qRound(m_size.height() * 25.4 / m_dpi);
    case PdmNumColors:
        return 0xFFFFFF;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return m_dpi;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
    }
    return 0;
}
