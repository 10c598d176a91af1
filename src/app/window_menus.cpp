#include "app/window_menus.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace app {

WindowMenus build_window_menus(QMainWindow* window) {
    WindowMenus m;
    auto* bar = new QMenuBar(window);
    bar->setObjectName(QStringLiteral("MainMenu1"));
    window->setMenuBar(bar);

    m.file = bar->addMenu(QStringLiteral("ファイル(&F)"));
    m.file->setObjectName(QStringLiteral("F1"));
    m.Exit1 = m.file->addAction(QStringLiteral("終了(&X)"));
    m.Exit1->setObjectName(QStringLiteral("Exit1"));

    m.view = bar->addMenu(QStringLiteral("表示(&V)"));
    m.view->setObjectName(QStringLiteral("V1"));
    m.menu_statictau = m.view->addAction(QStringLiteral("静荷重応力グラフ(&S)"));
    m.menu_statictau->setObjectName(QStringLiteral("menu_statictau"));
    m.menu_dynamictau = m.view->addAction(QStringLiteral("動荷重寿命グラフ(&D)"));
    m.menu_dynamictau->setObjectName(QStringLiteral("menu_dynamictau"));
    for (QAction* a : {m.menu_statictau, m.menu_dynamictau}) {
        a->setCheckable(true);
        a->setChecked(true);
    }

    m.search = bar->addMenu(QStringLiteral("検索(&S)"));
    m.search->setObjectName(QStringLiteral("Search1"));

    QMenu* help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->setObjectName(QStringLiteral("Help1"));
    m.SpringDesiner1 = help->addAction(QStringLiteral("About(&A)"));
    m.SpringDesiner1->setObjectName(QStringLiteral("SpringDesiner1"));
    return m;
}

} // namespace app
