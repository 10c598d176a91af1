#pragma once

#include <functional>
#include <optional>

class QMainWindow;
class QAction;
class QMenu;

namespace catalogue {
class Table;
}
namespace ui {
class ResultArea;
class StressPanel;
} // namespace ui

namespace app {

// The tools for taking results away: the hit count and the catalogue folder
// beside the menus, the grid's copy and CSV commands with the folder command
// in the File menu `file` before `exit`, and the charts' context menus. A newly
// chosen catalogue folder is searched at once with `run_search`, so that
// what is shown comes from the folder named. `excluded` says how many springs the
// search left out as failing, when it left any out.
void add_result_tools(QMainWindow* window, catalogue::Table& springs, catalogue::Table& makers,
                      ui::ResultArea* results, ui::StressPanel* stress, QMenu* file, QAction* exit,
                      const std::function<void()>& run_search,
                      const std::function<std::optional<int>()>& excluded);

} // namespace app
