#pragma once

#include <QObject>

#include <functional>

class QAction;
class QMainWindow;
class SpringGridModel;

namespace catalogue {
class Table;
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
    // `run_search` starts the search as the search button does.
    NearestCommand(QMainWindow* window, ui::SearchPanel* search, SpringGridModel* grid,
                   catalogue::Table& springs, std::function<void()> run_search);

    QAction* action() const { return action_; }
    void Button_nearestClick();

private:
    void message(const char* text);

    QMainWindow* window_;
    ui::SearchPanel* search_;
    SpringGridModel* grid_;
    catalogue::Table& springs_;
    std::function<void()> run_search_;
    QAction* action_;
};

} // namespace app
