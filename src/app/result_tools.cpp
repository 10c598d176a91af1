#include "app/result_tools.h"

#include "app/catalogue_folder.h"
#include "app/chart_menu.h"
#include "app/event_guard.h"
#include "app/grid_actions.h"
#include "app/result_status.h"
#include "ui/result_area.h"
#include "ui/stress_panel.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace app {

ResultStatus* add_result_tools(QMainWindow* window, ui::ResultArea* results,
                               ui::StressPanel* stress, QMenu* file, QAction* exit,
                               const std::function<void()>& run_search) {
    auto* status = new ResultStatus(window);
    window->menuBar()->setCornerWidget(status, Qt::TopRightCorner);
    status->followRoom(window->menuBar());

    auto* grid = new GridActions(results->grid(), results->model());
    auto* folder = new CatalogueFolder(window);
    QObject::connect(folder, &CatalogueFolder::changed, status, &ResultStatus::showFolder);
    QObject::connect(folder, &CatalogueFolder::changed, window,
                     [run_search] { guarded(run_search); });

    // Before 終了, which stays last.
    file->insertAction(exit, folder->chooseAction());
    file->insertAction(exit, grid->saveCsvAction());
    file->insertSeparator(exit);

    new ChartMenu(results->chart(), QStringLiteral("load_length"));
    new ChartMenu(stress->staticChart(), QStringLiteral("static_stress"));
    new ChartMenu(stress->fatigueChart(), QStringLiteral("fatigue"));
    return status;
}

} // namespace app
