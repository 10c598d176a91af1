// The main window's menu bar and the items it names; the commands that add
// to a menu are handed it by the window.
#pragma once

class QAction;
class QMainWindow;
class QMenu;

namespace app {

struct WindowMenus {
    QMenu* file = nullptr;
    QMenu* view = nullptr;
    QMenu* search = nullptr; // filled by the nearest-spring command and the verdicts
    QAction* Exit1 = nullptr;
    QAction* menu_statictau = nullptr;
    QAction* menu_dynamictau = nullptr;
    QAction* SpringDesiner1 = nullptr;
};

// Makes the menu bar of `window` with its menus and items.
WindowMenus build_window_menus(QMainWindow* window);

} // namespace app
