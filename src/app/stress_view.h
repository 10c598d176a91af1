// 表示 → 静荷重応力グラフ / 動荷重寿命グラフ: the static stress chart and the dynamic
// panel shown and hidden, and with both hidden the stress panel and its splitter bar
// gone and the window shorter by the panel's height (taller again when one returns).
#pragma once

#include <QObject>

class QAction;
class QMainWindow;
class QWidget;

namespace ui {
class SplitterBar;
class StressPanel;
} // namespace ui

namespace app {

class StressView : public QObject {
    Q_OBJECT
public:
    // Makes the splitter bar above the panel (`Splitter_tau`, for the window to lay
    // out) and follows both menu items.
    StressView(QMainWindow* window, QWidget* client, ui::StressPanel* stress,
               QAction* menu_statictau, QAction* menu_dynamictau);

    ui::SplitterBar* splitter() const { return Splitter_tau; }

private:
    void menu_statictauClick();
    void menu_dynamictauClick();
    void Paneltau_set();

    QMainWindow* window_;
    ui::StressPanel* stress_;
    QAction* menu_statictau_;
    QAction* menu_dynamictau_;
    ui::SplitterBar* Splitter_tau;
};

} // namespace app
