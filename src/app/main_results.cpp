// The main window's tools for taking results away: the hit count and the
// catalogue folder beside the menus, the grid's copy and CSV commands, and
// the charts' context menus.
#include "app/main.h"

#include "app/catalogue_folder.h"
#include "app/grid_actions.h"
#include "app/result_status.h"
#include "charts/chart.h"
#include "app/chart_menu.h"

#include <QMenu>
#include <QMenuBar>

void TForm_spring::buildResultTools() {
    auto* status = new app::ResultStatus(this);
    menuBar()->setCornerWidget(status, Qt::TopRightCorner);
    // A search has succeeded once both tables are open, the maker table last.
    maker_table_.addAfterOpen([this, status] {
        if (spring_table_.isOpen())
            status->showCount(spring_table_.recordCount());
    });
    for (catalogue::Table* table : {&spring_table_, &maker_table_})
        table->addAfterClose([status] { status->clearCount(); });

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
