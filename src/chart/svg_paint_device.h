#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>
#include <QString>

#include <memory>

class SvgPaintEngine;

// A paint device that writes what is painted on it as an SVG drawing: lines,
// paths, polygons, rectangles and ellipses with their pen and brush, texts as
// text (font, size, colour), images as embedded PNG, each with the painter's
// transform and clip. The chart draws on it exactly as on the screen, so the
// drawing holds the same strokes, marks and texts.
class SvgPaintDevice : public QPaintDevice {
public:
    // `dpi` is the resolution fonts are sized for, that of the screen the
    // drawing stands for.
    SvgPaintDevice(QSize size, QString title, int dpi = 96);
    ~SvgPaintDevice() override;
    SvgPaintDevice(const SvgPaintDevice&) = delete;
    SvgPaintDevice& operator=(const SvgPaintDevice&) = delete;

    QPaintEngine* paintEngine() const override;

    // The whole document, once the painter has ended.
    QByteArray svg() const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize m_size;
    int m_dpi;
    std::unique_ptr<SvgPaintEngine> m_engine;
};
