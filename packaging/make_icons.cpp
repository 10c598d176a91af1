// Writes the program's window icon as the desktop theme needs it: one SVG and
// one PNG per size, all drawn from the same strokes as the window icon, and
// a Windows icon file of the sizes up to 256.
// Usage: make_icons OUTPUT_DIR SIZE...
#include "app/icons.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

QString number(double v) {
    return QString::number(v, 'g', 6);
}

QString line(const QLineF& l, const app::SpringStrokes& s) {
    return QStringLiteral("  <line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\" stroke=\"%5\" "
                          "stroke-width=\"%6\" stroke-linecap=\"square\"/>\n")
        .arg(number(l.x1()), number(l.y1()), number(l.x2()), number(l.y2()), s.plate_color.name(),
             number(s.plate_width));
}

bool write_svg(const QString& path) {
    const app::SpringStrokes s = app::window_icon_strokes();
    QString points;
    for (const QPointF& p : s.wire)
        points += number(p.x()) + ',' + number(p.y()) + ' ';
    const QString grid = QString::number(app::window_icon_grid);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QTextStream out(&file);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << grid
        << "\" height=\"" << grid << "\" viewBox=\"0 0 " << grid << ' ' << grid << "\">\n"
        << " <title>Tarvolin</title>\n"
        << " <g fill=\"none\">\n"
        << line(s.top_plate, s) << line(s.bottom_plate, s) << "  <polyline points=\""
        << points.trimmed() << "\" stroke=\"" << s.wire_color.name() << "\" stroke-width=\""
        << number(s.wire_width) << "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n"
        << " </g>\n"
        << "</svg>\n";
    out.flush();
    return file.error() == QFile::NoError;
}

QImage icon_image(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    app::draw_window_icon(p, size);
    return image;
}

bool write_png(const QString& path, int size) {
    return icon_image(size).save(path, "PNG");
}

void put16(QByteArray& out, int v) {
    out.append(char(v & 0xFF)).append(char(v >> 8 & 0xFF));
}
void put32(QByteArray& out, qint64 v) {
    put16(out, int(v & 0xFFFF));
    put16(out, int(v >> 16 & 0xFFFF));
}

// A Windows icon of the sizes up to 256, each a PNG (as Windows takes since
// Vista), for the installer and the program's file.
bool write_ico(const QString& path, const std::vector<int>& sizes) {
    std::vector<QByteArray> pngs;
    for (const int size : sizes) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        icon_image(size).save(&buffer, "PNG");
        pngs.push_back(buffer.data());
    }
    QByteArray out;
    put16(out, 0);
    put16(out, 1); // an icon
    put16(out, int(sizes.size()));
    qint64 offset = 6 + 16 * qint64(sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        out.append(char(sizes[i] % 256)).append(char(sizes[i] % 256)); // 256 is written 0
        out.append(char(0)).append(char(0));
        put16(out, 1);  // planes
        put16(out, 32); // bits a pixel
        put32(out, pngs[i].size());
        put32(out, offset);
        offset += pngs[i].size();
    }
    for (const QByteArray& png : pngs)
        out += png;
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(out) == out.size();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_icons OUTPUT_DIR SIZE...\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path()) || !write_svg(dir.filePath(QStringLiteral("tarvolin.svg")))) {
        std::fprintf(stderr, "make_icons: cannot write %s/tarvolin.svg\n", argv[1]);
        return 1;
    }
    std::vector<int> ico_sizes;
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size > 0 && size <= 256)
            ico_sizes.push_back(size);
        const QString name = QStringLiteral("tarvolin-%1.png").arg(size);
        if (size <= 0 || !write_png(dir.filePath(name), size)) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(dir.filePath(name)));
            return 1;
        }
    }
    if (!write_ico(dir.filePath(QStringLiteral("tarvolin.ico")), ico_sizes)) {
        std::fprintf(stderr, "make_icons: cannot write %s/tarvolin.ico\n", argv[1]);
        return 1;
    }
    return 0;
}
