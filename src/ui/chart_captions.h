// The window's charts on a sheet in another language: their titles and axis
// titles translated for the paint, the Japanese back when it is done.
#pragma once

#include <QString>
#include <QStringList>

#include <array>

class Chart;

namespace ui {

// A chart's caption in the installed translator's language: the whole text, or
// its words before a unit or symbol ("発生力　N" → "Force N"); unchanged when
// there is no translation.
QString chart_caption(const QString& caption);
// The title's lines translated as one text, so that a sentence may break elsewhere.
QStringList chart_title(const QStringList& lines);

// While it lives, the chart shows its captions translated (when the translator
// knows them). The chart is painted once on each change, so that the overlays
// the program draws in pixels lie where the changed layout puts the axes.
class TranslatedChartCaptions {
public:
    explicit TranslatedChartCaptions(Chart* chart);
    ~TranslatedChartCaptions();
    TranslatedChartCaptions(const TranslatedChartCaptions&) = delete;
    TranslatedChartCaptions& operator=(const TranslatedChartCaptions&) = delete;

private:
    Chart* chart_;
    QStringList title_;
    std::array<QString, 4> axes_;
    bool changed_ = false;
};

} // namespace ui
