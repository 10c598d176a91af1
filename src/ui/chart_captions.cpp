#include "ui/chart_captions.h"

#include "chart/chart.h"

#include <QCoreApplication>

namespace ui {
namespace {

// The captions the window's charts are made with, for the translation file;
// the charts' own code sets them.
[[maybe_unused]] constexpr const char* captions[] = {
    QT_TRANSLATE_NOOP("chart", "バネ長"),
    QT_TRANSLATE_NOOP("chart", "発生力"),
    QT_TRANSLATE_NOOP("chart", "発生トルク"),
    QT_TRANSLATE_NOOP("chart", "静荷重に対する許容最大応力"),
    QT_TRANSLATE_NOOP("chart", "材料の直径"),
    QT_TRANSLATE_NOOP("chart", "最大応力"),
    QT_TRANSLATE_NOOP("chart", "応力"),
    QT_TRANSLATE_NOOP("chart", "動荷重に対する\nねじり応力の疲れ限度線図"),
    QT_TRANSLATE_NOOP("chart", "最小応力係数"),
    QT_TRANSLATE_NOOP("chart", "最大応力係数"),
};

QString translated(const QString& text) {
    return QCoreApplication::translate("chart", text.toUtf8().constData());
}

std::array<ChartAxis*, 4> axes(Chart& chart) {
    return {&chart.bottomAxis(), &chart.leftAxis(), &chart.rightAxis(), &chart.topAxis()};
}

} // namespace

QString chart_caption(const QString& caption) {
    if (caption.isEmpty())
        return caption;
    if (const QString whole = translated(caption); whole != caption)
        return whole;
    // The words end at the first space, ideographic or not.
    qsizetype end = 0;
    while (end < caption.size() && caption[end] != u' ' && caption[end] != u'\u3000')
        ++end;
    const QString words = caption.left(end);
    const QString rest = caption.mid(end).trimmed();
    const QString words_translated = translated(words);
    if (end == caption.size() || words_translated == words)
        return caption;
    return rest.isEmpty() ? words_translated : words_translated + u' ' + rest;
}

QStringList chart_title(const QStringList& lines) {
    if (lines.isEmpty())
        return lines;
    const QString joined = lines.join(u'\n');
    const QString whole = translated(joined);
    return whole == joined ? lines : whole.split(u'\n');
}

TranslatedChartCaptions::TranslatedChartCaptions(Chart* chart) : chart_(chart) {
    if (!chart_)
        return;
    title_ = chart_->title();
    if (const QStringList title = chart_title(title_); title != title_) {
        chart_->setTitle(title);
        changed_ = true;
    }
    const std::array<ChartAxis*, 4> all = axes(*chart_);
    for (size_t i = 0; i < all.size(); ++i) {
        axes_[i] = all[i]->title();
        if (const QString caption = chart_caption(axes_[i]); caption != axes_[i]) {
            all[i]->setTitle(caption);
            changed_ = true;
        }
    }
    if (changed_)
        chart_->grab();
}

TranslatedChartCaptions::~TranslatedChartCaptions() {
    if (!changed_)
        return;
    chart_->setTitle(title_);
    const std::array<ChartAxis*, 4> all = axes(*chart_);
    for (size_t i = 0; i < all.size(); ++i)
        all[i]->setTitle(axes_[i]);
    // As the window left it: its layout and the overlays of a paint of its own.
    chart_->grab();
}

} // namespace ui
