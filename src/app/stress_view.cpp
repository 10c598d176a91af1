#include "app/stress_view.h"

#include "app/event_guard.h"
#include "chart/chart.h"
#include "ui/splitter_bar.h"
#include "ui/stress_panel.h"

#include <QAction>
#include <QLayout>
#include <QMainWindow>

namespace app {

StressView::StressView(QMainWindow* window, QWidget* client, ui::StressPanel* stress,
                       QAction* menu_statictau, QAction* menu_dynamictau)
    : QObject(window), window_(window), stress_(stress), menu_statictau_(menu_statictau),
      menu_dynamictau_(menu_dynamictau),
      Splitter_tau(new ui::SplitterBar(ui::SplitterBar::Target::BottomNeighbour, stress, client)) {
    Splitter_tau->setObjectName(QStringLiteral("Splitter_tau"));
    Splitter_tau->hide();
    // The handlers decide from the check mark as it was before the click.
    connect(menu_statictau, &QAction::triggered, this, [this](bool checked) {
        menu_statictau_->setChecked(!checked);
        guarded([this] { menu_statictauClick(); });
    });
    connect(menu_dynamictau, &QAction::triggered, this, [this](bool checked) {
        menu_dynamictau_->setChecked(!checked);
        guarded([this] { menu_dynamictauClick(); });
    });
}

void StressView::menu_statictauClick() {
    const bool show = !menu_statictau_->isChecked();
    menu_statictau_->setChecked(show);
    if (show) {
        stress_->staticChart()->show();
        stress_->staticSplitter()->show();
    } else {
        stress_->staticSplitter()->hide();
        stress_->staticChart()->hide();
    }
    Paneltau_set();
}

void StressView::menu_dynamictauClick() {
    const bool show = !menu_dynamictau_->isChecked();
    menu_dynamictau_->setChecked(show);
    stress_->dynamicPanel()->setVisible(show);
    Paneltau_set();
}

void StressView::Paneltau_set() {
    if (menu_statictau_->isChecked() || menu_dynamictau_->isChecked()) {
        if (stress_->isVisibleTo(window_))
            return;
        window_->resize(window_->width(), window_->height() + stress_->height());
        stress_->show();
        Splitter_tau->show();
    } else {
        // Hidden first, so that the window's minimum height lets it shrink.
        Splitter_tau->hide();
        stress_->hide();
        window_->centralWidget()->layout()->activate();
        window_->layout()->activate();
        window_->resize(window_->width(), window_->height() - stress_->height());
    }
}

} // namespace app
