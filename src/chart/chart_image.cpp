#include "chart/chart_image.h"

#include "chart/chart.h"
#include "chart/svg_paint_device.h"

#include <QBuffer>
#include <QPainter>
#include <QSaveFile>

#include <stdexcept>

namespace {

[[noreturn]] void fail(const QString& path, const QString& reason) {
    throw std::runtime_error(
        QStringLiteral("%1 に保存できません。%2").arg(path, reason).toStdString());
}

QByteArray svg_bytes(Chart& chart) {
    SvgPaintDevice svg(chart.size(), chart.title().join(u' '), chart.logicalDpiY());
    {
        QPainter painter(&svg);
        chart.renderExport(painter);
    }
    return svg.svg();
}

QByteArray png_bytes(Chart& chart) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    chart_image(chart).save(&buffer, "PNG");
    return buffer.data();
}

} // namespace

QImage chart_image(Chart& chart, qreal scale) {
    const qreal ratio = chart.devicePixelRatioF() * scale;
    QImage image((QSizeF(chart.size()) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    chart.renderExport(painter, &image);
    return image;
}

void save_chart_image(Chart& chart, const QString& path) {
    const bool svg = path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive);
    const QByteArray bytes = svg ? svg_bytes(chart) : png_bytes(chart);
    if (bytes.isEmpty())
        fail(path, QStringLiteral("画像を作れませんでした。"));
    // Written beside the target and renamed over it, so that a failure
    // leaves no half file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        fail(path, file.errorString());
}
