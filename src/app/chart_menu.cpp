#include "app/chart_menu.h"

#include "app/event_guard.h"
#include "app/save_target.h"
#include "chart/chart.h"
#include "chart/chart_image.h"
#include "ui/busy_cursor.h"

#include <QDir>
#include <QMenu>
#include <QMessageBox>

#include <exception>

namespace {

const QString png_filter = QStringLiteral("PNG 画像 (*.png)");
const QString svg_filter = QStringLiteral("SVG 画像 (*.svg)");

} // namespace

ChartMenu::ChartMenu(Chart* chart, QString file_stem)
    : QObject(chart), m_chart(chart), m_stem(std::move(file_stem)), m_menu(new QMenu(chart)) {
    m_menu->setObjectName(chart->objectName() + QStringLiteral("_menu"));
    m_save = m_menu->addAction(QStringLiteral("画像として保存(&S)..."));
    m_save->setObjectName(QStringLiteral("Action_saveimage"));
    m_reset = m_menu->addAction(QStringLiteral("表示範囲を戻す(&R)"));
    m_reset->setObjectName(QStringLiteral("Action_resetview"));
    connect(m_save, &QAction::triggered, this, &ChartMenu::saveImage);
    connect(m_reset, &QAction::triggered, chart, &Chart::undoZoom);
    connect(chart, &Chart::contextMenuRequested, this,
            [this](const QPoint& pos) { m_menu->popup(m_chart->mapToGlobal(pos)); });
}

void ChartMenu::saveImage() {
    const app::SaveRequest request{m_chart->window(),
                                   QStringLiteral("画像として保存"),
                                   QDir::current().filePath(m_stem + QStringLiteral(".png")),
                                   {png_filter, svg_filter}};
    // A name typed without an extension takes the one of the chosen type.
    const app::SaveChoice choice = app::ask_save_target(request, [](const app::SaveChoice& c) {
        if (c.path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive) ||
            c.path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
            return c.path;
        return c.path + (c.filter == svg_filter ? QStringLiteral(".svg") : QStringLiteral(".png"));
    });
    if (choice.path.isEmpty())
        return;
    try {
        const ui::BusyCursor busy;
        save_chart_image(*m_chart, choice.path);
    } catch (const std::exception& e) {
        app::show_message(m_chart->window(), QMessageBox::Warning, QString::fromUtf8(e.what()));
    }
}
