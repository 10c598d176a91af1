#pragma once

#include "core/strength/listed_verdicts.h"

#include <QObject>

#include <functional>
#include <optional>

class QAction;
class QMainWindow;
class QMenu;
class SpringGridModel;

namespace catalogue {
class Table;
}
namespace search {
struct NearSpring;
}
namespace session {
class SearchSession;
}
namespace ui {
class SearchPanel;
}

namespace app {

// The command for the springs nearest to the search conditions (検索 →
// 近いバネを探す): the query from the search controls, the list, and a search
// with the tolerances of the row chosen there.
class NearestCommand : public QObject {
    Q_OBJECT
public:
    // Adds its command to `menu`. `run_search` starts the search as the search button does.
    NearestCommand(QMainWindow* window, QMenu* menu, const session::SearchSession& session,
                   ui::SearchPanel* search, SpringGridModel* grid, catalogue::Table& springs,
                   std::function<void()> run_search);

    // The verdict of a listed spring, for the grid's verdict columns when it shows them.
    using Verdicts =
        std::function<std::optional<spring_checks::Summary>(const search::NearSpring&)>;
    void setVerdicts(Verdicts verdicts) { verdicts_ = std::move(verdicts); }

    QAction* action() const { return action_; }
    void Button_nearestClick();

private:
    void message(const char* text);

    QMainWindow* window_;
    const session::SearchSession& session_;
    ui::SearchPanel* search_;
    SpringGridModel* grid_;
    catalogue::Table& springs_;
    std::function<void()> run_search_;
    Verdicts verdicts_;
    QAction* action_;
};

} // namespace app
