#include "chart/chart_number_format.h"

#include <algorithm>
#include <cmath>

namespace {

struct Picture {
    QString prefix;
    QString suffix;
    int minIntegerDigits = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
    bool grouping = false;
};

bool isPlaceholder(QChar c) {
    return c == u'0' || c == u'#';
}

Picture parse(const QString& pattern) {
    // Only the first section of a "positive;negative;zero" pattern is used.
    const QString section = pattern.section(u';', 0, 0);
    Picture pic;
    int first = -1;
    int last = -1;
    for (int i = 0; i < section.size(); ++i) {
        if (isPlaceholder(section[i])) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first < 0) {
        pic.prefix = section;
        pic.maxDecimals = -1; // no digits at all: fall back to a plain number
        return pic;
    }
    pic.prefix = section.left(first);
    pic.suffix = section.mid(last + 1);
    bool afterPoint = false;
    for (int i = first; i <= last; ++i) {
        const QChar c = section[i];
        if (c == u'.') {
            afterPoint = true;
        } else if (c == u',' && !afterPoint) {
            pic.grouping = true;
        } else if (isPlaceholder(c)) {
            if (afterPoint) {
                ++pic.maxDecimals;
                if (c == u'0')
                    pic.minDecimals = pic.maxDecimals;
            } else if (c == u'0') {
                ++pic.minIntegerDigits;
            }
        }
    }
    return pic;
}

QString groupThousands(const QString& digits) {
    QString out;
    out.reserve(digits.size() + digits.size() / 3);
    const int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += u',';
        out += digits[i];
    }
    return out;
}

} // namespace

QString formatChartNumber(double value, const QString& pattern, int atLeastDecimals) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    const Picture pic = parse(pattern);
    if (pic.maxDecimals < 0)
        return pic.prefix + QString::number(value, 'g', 15);

    const int maxDecimals = std::max(pic.maxDecimals, atLeastDecimals);
    QString text = QString::number(std::fabs(value), 'f', maxDecimals);
    QString integerPart = text;
    QString fraction;
    if (const auto point = text.indexOf(u'.'); point >= 0) {
        integerPart = text.left(point);
        fraction = text.mid(point + 1);
    }
    while (fraction.size() > pic.minDecimals && fraction.endsWith(u'0'))
        fraction.chop(1);
    if (integerPart == QStringLiteral("0") && pic.minIntegerDigits == 0 && !fraction.isEmpty())
        integerPart.clear();
    while (integerPart.size() < pic.minIntegerDigits)
        integerPart.prepend(u'0');
    if (pic.grouping)
        integerPart = groupThousands(integerPart);

    QString number = integerPart;
    if (!fraction.isEmpty())
        number += u'.' + fraction;
    if (number.isEmpty())
        number = QStringLiteral("0");
    // A value that rounds to zero is written without a sign.
    const bool allZero = std::all_of(number.begin(), number.end(),
                                     [](QChar c) { return c == u'0' || c == u'.' || c == u','; });
    const QString sign = (value < 0 && !allZero) ? QStringLiteral("-") : QString();
    return pic.prefix + sign + number + pic.suffix;
}
