// The dynamic load panel: operating range, link to the search, cycle count
// and the service-life dialog, through the window.
#include "chart/chart.h"
#include "support/boxes.h"
#include "support/main_window.h"
#include "support/packet_writer.h"
#include "support/temp_dir.h"

#include <QCheckBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

using namespace testsupport;

namespace {

SpringRow spring(const std::string& material, double wire, double coil = 10) {
    SpringRow r = spring_row("A", 30, 0, 20, 20); // 2 N/mm
    r.material = material;
    r.wire_dia = wire;
    r.coil_dia = coil;
    return r;
}

// Types one character at the end of an edit, as a user does.
void key_in(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->end(false);
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(edit, &press);
}

class DynamicPanel : public MainWindowTest {
protected:
    void click_radio(const char* group, int item) {
        find(group)->findChildren<QRadioButton*>().at(item)->click();
    }
    QString dynmin() { return find<QLineEdit>("Edit_dynmin")->text(); }
    QString dynmax() { return find<QLineEdit>("Edit_dynmax")->text(); }
    ChartSeries* area() { return find<Chart>("Chart_dynamictau")->series(2); }
    ChartSeries* point() { return find<Chart>("Chart_dynamictau")->series(1); }
    WorkingDir dir;
};

} // namespace

TEST_F(DynamicPanel, SearchFillsTheRangeFromTheLengths) {
    write_catalogue({}, {});
    type("Edit_length", "30");
    type("Edit_length2", "20");
    search();
    EXPECT_EQ(dynmin(), "20.00");
    EXPECT_EQ(dynmax(), "30.00");
    EXPECT_EQ(find<QLabel>("Label_dynunit")->text(), "mm");

    type("Edit_length", "");
    type("Edit_length2", "40");
    type("Edit_length2width", "2");
    search();
    EXPECT_EQ(dynmin(), "38.00");
    EXPECT_EQ(dynmax(), "42.00");

    type("Edit_length2", "");
    search();
    EXPECT_EQ(dynmin(), "");
    EXPECT_EQ(dynmax(), "");
}

TEST_F(DynamicPanel, LoadsCarryTheUnitAndDecimalsOfTheLastSearch) {
    write_catalogue({}, {});
    type("Edit_force", "2.5");
    click_radio("RadioGroup_unit", 1);
    search();
    click_radio("RadioGroup_dyncalcst", 1);
    EXPECT_EQ(find<QLabel>("Label_dynunit")->text(), "kgf");
    EXPECT_EQ(dynmin(), "2.400");
    EXPECT_EQ(dynmax(), "2.600");

    click_radio("RadioGroup_unit", 2);
    EXPECT_EQ(find<QLabel>("Label_dynunit")->text(), "gf"); // at once, before a search
    type("Edit_force", "250");
    type("Edit_forcewidth", "10");
    search();
    EXPECT_EQ(dynmin(), "240");
    EXPECT_EQ(dynmax(), "260");

    click_radio("RadioGroup_dyncalcst", 0);
    EXPECT_EQ(find<QLabel>("Label_dynunit")->text(), "mm");
}

TEST_F(DynamicPanel, TypingIntoTheMinimumUnlinksAndCheckingRelinks) {
    write_catalogue({}, {});
    type("Edit_length", "25");
    search();
    ASSERT_EQ(dynmin(), "24.00");
    auto* link = find<QCheckBox>("CheckBox_link");

    key_in(find<QLineEdit>("Edit_dynmax"), "5");
    EXPECT_TRUE(link->isChecked());
    key_in(find<QLineEdit>("Edit_dynmin"), "5");
    EXPECT_FALSE(link->isChecked());
    EXPECT_EQ(dynmin(), "24.005");

    type("Edit_length", "30");
    search();
    EXPECT_EQ(dynmin(), "24.005"); // unlinked: the search leaves the range alone

    link->click();
    EXPECT_TRUE(link->isChecked());
    EXPECT_EQ(dynmin(), "29.00");
    EXPECT_EQ(dynmax(), "31.00");
}

TEST_F(DynamicPanel, CycleCountRedrawsTheRegionAndErrorsKeepIt) {
    ASSERT_EQ(area()->count(), 4);
    EXPECT_NEAR(area()->endY(0), 0.3, 1e-6);
    expect_no_box([&] { type("Edit_dyncycle", "20000"); });
    EXPECT_NEAR(area()->endY(0), 0.419062, 1e-6);

    const Box seen = expect_box([&] { type("Edit_dyncycle", "abc"); });
    EXPECT_EQ(seen.title, "Tarvolin1.40J");
    EXPECT_EQ(seen.text, "'abc' is not a valid floating point value.");
    EXPECT_NEAR(area()->endY(0), 0.419062, 1e-6);

    expect_box([&] { type("Edit_dyncycle", "500"); });
    EXPECT_NEAR(area()->endY(0), 0.419062, 1e-6);
}

TEST_F(DynamicPanel, ServiceLifeResultIsTakenOverWithOk) {
    auto run_dialog = [&](bool ok) {
        QString title;
        expect_no_box([&] { find<QPushButton>("Button_cycle")->click(); },
                      {ok ? Reply::Accept : Reply::Reject, [&](QDialog* dialog) {
                           title = dialog->windowTitle();
                           // Any change computes; the value stays the default.
                           if (auto* pt = dialog->findChild<QLineEdit*>("Edit_pt"))
                               pt->setText(pt->text() + "0");
                       }});
        EXPECT_EQ(title, QStringLiteral("寿命回数計算"));
    };
    run_dialog(false);
    EXPECT_EQ(find<QLineEdit>("Edit_dyncycle")->text(), "1E7");
    run_dialog(true);
    EXPECT_EQ(find<QLineEdit>("Edit_dyncycle")->text(), "1.38E+08");
    EXPECT_NEAR(area()->endY(0), 0.277216, 1e-6);
}

TEST_F(DynamicPanel, WorkingPointNeedsLengthsInRangeAndATensileStrength) {
    write_catalogue({spring("SWP-B", 1.0), spring("SWOCV", 3.0, 20)}, {});
    type("Edit_dynmin", "25");
    type("Edit_dynmax", "22");
    search(); // no search lengths: the link leaves the range empty
    EXPECT_EQ(point()->count(), 0);

    find<QCheckBox>("CheckBox_link")->click(); // unlink, then type a range by hand
    find<QCheckBox>("CheckBox_link")->setChecked(false);
    type("Edit_dynmin", "22");
    type("Edit_dynmax", "25");
    search();
    ASSERT_EQ(point()->count(), 1);
    const double x = point()->x(0), y = point()->y(0);
    EXPECT_LT(x, y);

    type("Edit_dynmin", "25"); // swapped ends give the same dot
    type("Edit_dynmax", "22");
    search();
    ASSERT_EQ(point()->count(), 1);
    EXPECT_DOUBLE_EQ(point()->x(0), x);
    EXPECT_DOUBLE_EQ(point()->y(0), y);

    type("Edit_dynmax", "35"); // beyond the free length
    search();
    EXPECT_EQ(point()->count(), 0);

    type("Edit_dynmax", "22");
    find<QTableView>("DBGrid1")->selectRow(1); // a grade without tensile strength
    EXPECT_EQ(point()->count(), 0);
}

// An operating range beyond the double range is an overflow: the error box,
// the range boxes left as they were, never a text "INF".
TEST_F(DynamicPanel, ARangeBeyondTheDoubleRangeIsAnOverflowNotInf) {
    write_catalogue({}, {});
    type("Edit_length", "1e308");
    type("Edit_lengthwidth", "1e308");
    const QString before = find<QLineEdit>("Edit_dynmax")->text();
    const Box box = expect_box([&] { find<QPushButton>("Serch_Btn")->click(); });
    EXPECT_EQ(box.text, QStringLiteral("Floating point overflow."));
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(find<QLineEdit>("Edit_dynmax")->text(), before);
    EXPECT_FALSE(find<QLineEdit>("Edit_dynmin")->text().contains(QStringLiteral("INF")));
    // Clicking the link again reports it the same way.
    find<QCheckBox>("CheckBox_link")->setChecked(false);
    const Box again = expect_box([&] { find<QCheckBox>("CheckBox_link")->click(); });
    EXPECT_EQ(again.text, QStringLiteral("Floating point overflow."));
    EXPECT_EQ(find<QLineEdit>("Edit_dynmax")->text(), before);
}

// Typed key by key, a cycle count passes through texts that give no count,
// each answered with its error box; the box leaves the text, the cursor and
// the selection alone, so the typing ends with exactly what was typed.
TEST_F(DynamicPanel, ACycleCountTypedKeyByKeyEndsAsTyped) {
    QApplication::setActiveWindow(form);
    auto* cycles = find<QLineEdit>("Edit_dyncycle");
    for (const QString& typed : {QStringLiteral("1000"), QStringLiteral("1E7")}) {
        cycles->setFocus();
        cycles->selectAll();
        const QList<Box> boxes = answer_boxes([&] { QTest::keyClicks(cycles, typed); });
        EXPECT_EQ(cycles->text(), typed);
        EXPECT_EQ(cycles->cursorPosition(), typed.size()) << typed.toStdString();
        EXPECT_FALSE(boxes.isEmpty()) << typed.toStdString(); // "1" gives no count
    }
    EXPECT_NEAR(area()->endY(0), 0.3, 1e-6); // the region of 10^7 cycles
    // Taking a letter out and typing it again goes on where the cursor was.
    cycles->setSelection(1, 1);                                      // the "E"
    expect_box([&] { QTest::keyClick(cycles, Qt::Key_Backspace); }); // 17 cycles give no count
    EXPECT_EQ(cycles->text(), QStringLiteral("17"));
    EXPECT_EQ(cycles->cursorPosition(), 1);
    expect_no_box([&] { QTest::keyClicks(cycles, QStringLiteral("E")); });
    EXPECT_EQ(cycles->text(), QStringLiteral("1E7"));
}
