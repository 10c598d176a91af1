// The main window's tools for taking results away: the hit count and the
// catalogue folder beside the menus, the grid's copy and CSV commands, and
// the charts' context menus.
#include "app/main.h"

#include "app/catalogue_folder.h"
#include "app/grid_actions.h"
#include "app/result_status.h"
#include "charts/chart.h"
#include "charts/chart_menu.h"

#include <QMenu>
#include <QMenuBar>

void TForm_spring::buildResultTools() {
    auto* status = new app::ResultStatus(this);
    menuBar()->setCornerWidget(status, Qt::TopRightCorner);
    spring_table_.addAfterOpen([this, status] { status->showCount(spring_table_.recordCount()); });
    spring_table_.addAfterClose([status] { status->clearCount(); });

    auto* grid = new app::GridActions(DBGrid1, grid_model_);
    auto* folder = new app::CatalogueFolder(this);
    connect(folder, &app::CatalogueFolder::changed, status, &app::ResultStatus::showFolder);

    // Before 終了, which stays last.
    QMenu* file = menuBar()->findChild<QMenu*>(QStringLiteral("F1"));
    file->insertAction(Exit1, folder->chooseAction());
    file->insertAction(Exit1, grid->saveCsvAction());
    file->insertSeparator(Exit1);

    new ChartMenu(DBChart1, QStringLiteral("load_length"));
    new ChartMenu(Chart_statictau, QStringLiteral("static_stress"));
    new ChartMenu(Chart_dynamictau, QStringLiteral("fatigue"));
}
