#include "app/result_tools.h"

#include "app/catalogue_folder.h"
#include "app/chart_menu.h"
#include "app/event_guard.h"
#include "app/grid_actions.h"
#include "app/result_status.h"
#include "core/catalogue/table.h"
#include "ui/result_area.h"
#include "ui/stress_panel.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace app {

void add_result_tools(QMainWindow* window, catalogue::Table& springs, catalogue::Table& makers,
                      ui::ResultArea* results, ui::StressPanel* stress, QMenu* file, QAction* exit,
                      const std::function<void()>& run_search,
                      const std::function<std::optional<int>()>& excluded) {
    auto* status = new ResultStatus(window);
    window->menuBar()->setCornerWidget(status, Qt::TopRightCorner);
    status->followRoom(window->menuBar());
    // A search has succeeded once both tables are open, the maker table last.
    makers.addAfterOpen([&springs, status, excluded] {
        if (springs.isOpen())
            status->showCount(springs.recordCount(), excluded());
    });
    for (catalogue::Table* table : {&springs, &makers})
        table->addAfterClose([status] { status->clearCount(); });

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
}

} // namespace app
