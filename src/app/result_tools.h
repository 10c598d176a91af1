#pragma once

#include <functional>

class QMainWindow;
class QAction;
class QMenu;

namespace ui {
class ResultArea;
class StressPanel;
} // namespace ui

namespace app {

class ResultStatus;

// The tools for taking results away: the hit count and the catalogue folder
// beside the menus, the grid's copy and CSV commands with the folder command
// in the File menu `file` before `exit`, and the charts' context menus. A newly
// chosen catalogue folder is searched at once with `run_search`, so that
// what is shown comes from the folder named. The window keeps the returned
// status (the hit count) up with its tables.
ResultStatus* add_result_tools(QMainWindow* window, ui::ResultArea* results,
                               ui::StressPanel* stress, QMenu* file, QAction* exit,
                               const std::function<void()>& run_search);

} // namespace app
