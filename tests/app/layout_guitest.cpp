// Every text of the windows can be read whole: in each unit system and
// spring type, with the labels a search shows, at the window's first size,
// its least size and a large one. Run again at scale factor 2 (see
// tests/CMakeLists.txt).
#include "support/layout_check.h"
#include "support/main_window.h"
#include "support/packet_writer.h"
#include "support/temp_dir.h"

#include <QAction>
#include <QDialog>
#include <QRadioButton>

using namespace testsupport;

namespace {

class LayoutTexts : public MainWindowTest {
protected:
    void pick(const char* group, int item) {
        find(group)->findChildren<QRadioButton*>().at(item)->click();
    }
    void expect_readable(const QString& when) {
        // A layout change can ask for another one: let both settle.
        QApplication::processEvents();
        QApplication::processEvents();
        const QStringList cut = cut_texts(form);
        EXPECT_TRUE(cut.isEmpty())
            << when.toStdString() << ":\n  " << cut.join(QStringLiteral("\n  ")).toStdString();
    }
    WorkingDir dir;
};

} // namespace

TEST_F(LayoutTexts, EveryUnitSystemAndTypeAtEverySize) {
    write_catalogue({spring_row("C-1", 40, 0, 20, 20)}, {{"KSSC", "東京都", "03", "03", "u"}});
    type("Edit_length", "30");
    type("Edit_force", "10");
    type("Edit_forcewidth", "0.5099");
    type("Edit_length2", "25");
    const QSize sizes[] = {form->size(), form->minimumSizeHint(), QSize(1600, 1150)};
    for (int type_item = 0; type_item < 2; ++type_item) {
        for (int unit = 0; unit < 3; ++unit) {
            pick("RadioGroup_type", type_item);
            pick("RadioGroup_unit", unit);
            search();
            for (const QSize& size : sizes) {
                form->resize(size);
                expect_readable(QStringLiteral("type %1, unit %2, %3x%4")
                                    .arg(type_item)
                                    .arg(unit)
                                    .arg(form->width())
                                    .arg(form->height()));
            }
        }
    }
}

TEST_F(LayoutTexts, TheWindowCannotShrinkOverItsSearchControls) {
    form->resize(700, 400);
    QApplication::processEvents();
    expect_readable(QStringLiteral("asked for 700x400"));
    EXPECT_GE(find("GroupBox_input")->height(), 137);
}

TEST_F(LayoutTexts, AboutBoxAndServiceLifeDialog) {
    bool looked = false;
    answer_boxes([&] { find<QAction>("SpringDesiner1")->trigger(); },
                 {Reply::Accept, [&](QDialog* box) {
                      looked = true;
                      const QStringList cut = cut_texts(box);
                      EXPECT_TRUE(cut.isEmpty()) << cut.join(u'\n').toStdString();
                      // Room for the whole title in the frame's title bar, beside its buttons.
                      const QFontMetrics title(QApplication::font("QMdiSubWindowTitleBar"));
                      EXPECT_GE(box->width(), title.horizontalAdvance(box->windowTitle()) + 100);
                      EXPECT_GE(box->width(), 185);
                  }});
    EXPECT_TRUE(looked) << "the About box did not show";
    QWidget* cycle = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Form_cycle"))
            cycle = w;
    ASSERT_NE(cycle, nullptr);
    cycle->show();
    QApplication::processEvents();
    const QStringList cut = cut_texts(cycle);
    EXPECT_TRUE(cut.isEmpty()) << cut.join(u'\n').toStdString();
    cycle->hide();
}
