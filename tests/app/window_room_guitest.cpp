// Room in a large window: beyond the default size the load-length chart and the
// stress panel take a third of the extra width and height, the static stress chart
// keeps its shape and the fatigue diagram fills its part; at the default size
// nothing moves.
#include "chart/chart.h"
#include "support/main_window.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QToolButton>

#include "app/result_status.h"

using namespace testsupport;

namespace {

class WindowRoom : public MainWindowTest {
protected:
    void resizeTo(QSize size) {
        form->resize(size);
        QApplication::processEvents();
        QApplication::processEvents();
    }
    QWidget* loadLength() { return find("DBChart1"); }
    QWidget* stress() { return find("Paneltau"); }
    QWidget* staticChart() { return find("Chart_statictau"); }
    QWidget* fatigue() { return find("Chart_dynamictau"); }
    QWidget* dynamicPanel() { return find("Panel_dynamictau"); }
};

} // namespace

TEST_F(WindowRoom, BeyondTheDefaultSizeTheChartsTakeAThirdOfTheExtraRoom) {
    const QSize defaults = form->size();
    QApplication::processEvents();
    EXPECT_EQ(loadLength()->width(), 215);
    EXPECT_EQ(stress()->height(), 200);
    EXPECT_EQ(staticChart()->width(), 345);
    const int default_fatigue = fatigue()->width();

    resizeTo({1600, 1200});
    const int extra_w = (1600 - defaults.width()) / 3;
    const int extra_h = (1200 - defaults.height()) / 3;
    EXPECT_EQ(loadLength()->width(), 215 + extra_w);
    EXPECT_EQ(stress()->height(), 200 + extra_h);
    // The static chart widens with the panel's height, at its default aspect.
    EXPECT_EQ(staticChart()->width(), 345 + static_cast<int>(extra_h * 345.0 / 200.0));
    // The grid keeps the rest of the height.
    EXPECT_GT(find("DBGrid1")->height(), stress()->height());
    // The fatigue diagram fills its panel beside the calculation conditions.
    EXPECT_EQ(fatigue()->width(), dynamicPanel()->width() - 143);
    EXPECT_EQ(fatigue()->height(), stress()->height());

    // Back at the default size, everything is where it started.
    resizeTo(defaults);
    EXPECT_EQ(form->size(), defaults);
    EXPECT_EQ(loadLength()->width(), 215);
    EXPECT_EQ(stress()->height(), 200);
    EXPECT_EQ(staticChart()->width(), 345);
    EXPECT_EQ(fatigue()->width(), default_fatigue);

    // With the static chart hidden, the fatigue diagram takes its room too.
    resizeTo({1600, 1200});
    find<QAction>("menu_statictau")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(dynamicPanel()->width(), stress()->width());
    EXPECT_EQ(fatigue()->width(), stress()->width() - 143);
    find<QAction>("menu_statictau")->trigger();
}

TEST_F(WindowRoom, AWidthSetWithTheSplitterIsKeptAndOnlyTheShareChanges) {
    const QSize defaults = form->size();
    resizeTo({defaults.width() + 300, defaults.height()});
    loadLength()->setFixedWidth(300); // as a drag of the splitter bar leaves it
    resizeTo({defaults.width() + 330, defaults.height()});
    EXPECT_EQ(loadLength()->width(), 410);
    resizeTo(defaults);
    EXPECT_EQ(loadLength()->width(), 300);
    EXPECT_EQ(form->size(), defaults);
}

TEST_F(WindowRoom, InANarrowWindowTheFolderLabelGivesWayBeforeAnyMenu) {
    auto* status = form->menuBar()->findChild<app::ResultStatus*>();
    ASSERT_NE(status, nullptr);
    status->showCount(99999, 99999); // the longest count a search shows
    resizeTo(form->minimumSizeHint());
    auto* extension = form->menuBar()->findChild<QToolButton*>("qt_menubar_ext_button");
    ASSERT_NE(extension, nullptr);
    EXPECT_FALSE(extension->isVisible());
    for (QAction* menu : form->menuBar()->actions())
        EXPECT_FALSE(form->menuBar()->actionGeometry(menu).isEmpty()) << menu->text().toStdString();
    QLabel* count = find<QLabel>("Label_hits");
    EXPECT_TRUE(count->isVisible());
    EXPECT_EQ(count->text(), QStringLiteral("99,999 件（不可 99,999 件を除外）"));
    QLabel* folder = find<QLabel>("Label_cataloguefolder");
    EXPECT_TRUE(folder->isHidden() || folder->width() < 320);
    EXPECT_LE(status->geometry().right(), form->menuBar()->width());

    // With room again, the folder label is whole.
    resizeTo({1600, 1200});
    EXPECT_TRUE(folder->isVisible());
    EXPECT_EQ(folder->width(), 320);
}
