// Start-up state, view toggles, About box, error box and the maker link of
// the main window.
#include "app/event_guard.h"
#include "app/web_opener.h"
#include "support/boxes.h"
#include "support/main_window.h"
#include "support/packet_writer.h"
#include "support/temp_dir.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

using namespace testsupport;

namespace {

QStringList radio_items(QWidget* group) {
    QStringList items;
    for (auto* b : group->findChildren<QRadioButton*>())
        items << b->text();
    return items;
}

int checked_item(QWidget* group) {
    const auto buttons = group->findChildren<QRadioButton*>();
    for (int i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->isChecked())
            return i;
    }
    return -1;
}

SpringRow compression(const std::string& model, const std::string& maker) {
    SpringRow r = spring_row(model, 30, 0, 20, 40);
    r.maker = maker;
    return r;
}

} // namespace

class StartUp : public MainWindowTest {};

TEST_F(StartUp, WindowAndControlsAreInTheirStartState) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Tarvolin Ver.1.4J"));
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Tarvolin1.40J"));
    EXPECT_FALSE(form->windowIcon().isNull());
    // The stress panel keeps its 783 px, wider only where the fonts need it; the
    // window grows by the verdict beside it.
    EXPECT_GE(find("Paneltau")->width(), 783);
    EXPECT_EQ(form->width(), find("Paneltau")->width() + find("Panel_verdict")->width());
    EXPECT_LE(form->width(), 840 + find("Panel_verdict")->sizeHint().width());

    EXPECT_FALSE(form->springTable().isOpen());
    EXPECT_FALSE(form->makerTable().isOpen());
    EXPECT_EQ(find<QTableView>("DBGrid1")->model()->rowCount(), 0);
    EXPECT_FALSE(find<QLabel>("Label_maker_tel")->isVisible());
    EXPECT_TRUE(find<QLabel>("DBText1")->text().isEmpty());
    for (const char* hidden :
         {"Label16", "Label18", "Label19", "Label22", "Label24", "Label17", "Label20", "Label21",
          "Label23", "Label25", "Splitter_tau", "Splitter_dstau"})
        EXPECT_FALSE(find(hidden)->isVisible()) << hidden;
    for (const char* empty : {"Label_F1", "Label_tau1", "Label_f2", "Label_tau2"})
        EXPECT_TRUE(find<QLabel>(empty)->text().isEmpty()) << empty;
    for (const char* shown :
         {"Paneltau", "Chart_statictau", "Panel_dynamictau", "Chart_dynamictau", "DBChart1"})
        EXPECT_TRUE(find(shown)->isVisible()) << shown;

    EXPECT_EQ(checked_item(find("RadioGroup_type")), 0);
    EXPECT_EQ(radio_items(find("RadioGroup_type")), (QStringList{"圧縮", "引張"}));
    EXPECT_EQ(checked_item(find("RadioGroup_unit")), 0);
    EXPECT_EQ(radio_items(find("RadioGroup_unit")),
              (QStringList{"SI単位系 (N-mm)", "工学単位系 (kgf-mm)", "工学単位系 (gf-mm)"}));
    EXPECT_EQ(find("RadioGroup_unit")->toolTip(), QStringLiteral("単位系を切り替えます"));
    EXPECT_TRUE(find<QAction>("menu_statictau")->isChecked());
    EXPECT_TRUE(find<QAction>("menu_dynamictau")->isChecked());
}

TEST_F(StartUp, EditsAndListsHoldTheirDefaults) {
    const std::pair<const char*, const char*> defaults[] = {{"Edit_length", ""},
                                                            {"Edit_lengthwidth", "1"},
                                                            {"Edit_force", ""},
                                                            {"Edit_forcewidth", "0.1"},
                                                            {"Edit_length2", ""},
                                                            {"Edit_length2width", "1"},
                                                            {"Edit_force2", ""},
                                                            {"Edit_force2width", "0.1"},
                                                            {"Edit_coildia_outer_min", ""},
                                                            {"Edit_coildia_outer_max", ""},
                                                            {"Edit_coildia_inner_min", ""},
                                                            {"Edit_coildia_inner_max", ""},
                                                            {"Edit_dyncycle", "1E7"},
                                                            {"Edit_dynmin", ""},
                                                            {"Edit_dynmax", ""}};
    for (const auto& [name, text] : defaults)
        EXPECT_EQ(find<QLineEdit>(name)->text(), QString::fromUtf8(text)) << name;

    auto items = [](QComboBox* c) {
        QStringList l;
        for (int i = 0; i < c->count(); ++i)
            l << c->itemText(i);
        return l;
    };
    EXPECT_EQ(items(find<QComboBox>("ComboBox_maker")), (QStringList{"", "KSSC", "昌和発条"}));
    EXPECT_EQ(items(find<QComboBox>("ComboBox_material")),
              (QStringList{"", "SWP", "SWP-B", "SWO-B", "SUS304WPB"}));
    EXPECT_TRUE(find<QComboBox>("ComboBox_maker")->isEditable());
    EXPECT_TRUE(find<QComboBox>("ComboBox_maker")->currentText().isEmpty());

    auto* button = find<QPushButton>("Serch_Btn");
    EXPECT_EQ(button->text(), QStringLiteral("検索開始"));
    EXPECT_EQ(button->size(), QSize(169, 29));
    EXPECT_FALSE(button->icon().isNull());
    EXPECT_EQ(find<QGroupBox>("GroupBox_input")->title(), QStringLiteral("検索条件"));
    // 137 px at least; taller where the fonts need the room.
    EXPECT_GE(find<QGroupBox>("GroupBox_input")->height(), 137);
    EXPECT_EQ(find<QGroupBox>("GroupBox2")->toolTip(), QStringLiteral("許容応力値"));
    EXPECT_EQ(find("Chart_statictau")->width(), 345);
    EXPECT_EQ(find("DBChart1")->width(), 215);
    EXPECT_EQ(find("Paneltau")->height(), 200);
    EXPECT_EQ(find("Panel_dparameter")->width(), 143);
    EXPECT_EQ(find<QCheckBox>("CheckBox_link")->isChecked(), true);
}

TEST_F(StartUp, TabOrderRunsThroughTheSearchConditions) {
    std::vector<const char*> order = search_edits;
    order.insert(order.end(), {"ComboBox_maker", "ComboBox_material", "Serch_Btn"});
    for (size_t i = 1; i < order.size(); ++i) {
        QWidget* from = find(order[i - 1]);
        QWidget* next = from->nextInFocusChain();
        // Skip what Tab never stops at, and a combo box's own line edit.
        while (next && (!(next->focusPolicy() & Qt::TabFocus) || from->isAncestorOf(next)))
            next = next->nextInFocusChain();
        EXPECT_EQ(next, find(order[i])) << order[i - 1] << " -> " << order[i];
    }
    EXPECT_FALSE(find("DBGrid1")->focusPolicy() & Qt::TabFocus);
}

class ViewMenu : public MainWindowTest {};

TEST_F(ViewMenu, HidingBothChartsShrinksTheWindowAndShowingOneRestoresIt) {
    const int height = form->height();
    find<QAction>("menu_statictau")->trigger();
    EXPECT_FALSE(find<QAction>("menu_statictau")->isChecked());
    EXPECT_FALSE(find("Chart_statictau")->isVisible());
    EXPECT_TRUE(find("Paneltau")->isVisible());
    EXPECT_EQ(form->height(), height);

    find<QAction>("menu_dynamictau")->trigger();
    EXPECT_FALSE(find("Paneltau")->isVisible());
    EXPECT_FALSE(find("Splitter_tau")->isVisible());
    EXPECT_EQ(form->height(), height - 200);

    find<QAction>("menu_dynamictau")->trigger();
    EXPECT_TRUE(find<QAction>("menu_dynamictau")->isChecked());
    EXPECT_TRUE(find("Paneltau")->isVisible());
    EXPECT_TRUE(find("Splitter_tau")->isVisible());
    EXPECT_TRUE(find("Panel_dynamictau")->isVisible());
    EXPECT_EQ(form->height(), height);
}

TEST_F(ViewMenu, StaticChartComesBackWithItsSplitterAtItsRight) {
    find<QAction>("menu_statictau")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(find("Panel_dynamictau")->x(), 0); // fills the lower panel
    find<QAction>("menu_statictau")->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(find("Splitter_dstau")->isVisible());
    EXPECT_FALSE(find("Splitter_tau")->isVisible());
    EXPECT_EQ(find("Chart_statictau")->x(), 0);
    EXPECT_EQ(find("Splitter_dstau")->x(), find("Chart_statictau")->width());
}

TEST_F(ViewMenu, StaticChartKeepsItsWidthWhenTheFatigueDiagramGoes) {
    find<QAction>("menu_dynamictau")->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(find("Panel_dynamictau")->isVisible());
    EXPECT_EQ(find("Chart_statictau")->width(), 345);
}

class AboutBox : public MainWindowTest {};

TEST_F(AboutBox, AFreshBoxEachTime) {
    QString title;
    expect_no_box([&] { find<QAction>("SpringDesiner1")->trigger(); },
                  {Reply::Accept, [&](QDialog* box) { title = box->windowTitle(); }});
    EXPECT_EQ(title, QStringLiteral("Tarvolin Ver1.4J"));
    EXPECT_TRUE(form->findChildren<QDialog*>(QStringLiteral("AboutBox")).isEmpty());

    // Closed without OK, the box stays owned by the window.
    answer_boxes([&] { find<QAction>("SpringDesiner1")->trigger(); }, {Reply::Reject, {}});
    EXPECT_EQ(form->findChildren<QDialog*>(QStringLiteral("AboutBox")).size(), 1);
    answer_boxes([&] { find<QAction>("SpringDesiner1")->trigger(); }, {Reply::Reject, {}});
    EXPECT_EQ(form->findChildren<QDialog*>(QStringLiteral("AboutBox")).size(), 2);
}

TEST(ErrorBox, FullStopAfterCharactersSortingAfterThePoint) {
    EXPECT_EQ(app::error_box_text("Out of Range"), QStringLiteral("Out of Range."));
    EXPECT_EQ(app::error_box_text("データがありません"), QStringLiteral("データがありません."));
    EXPECT_EQ(app::error_box_text("done."), QStringLiteral("done."));
    EXPECT_EQ(app::error_box_text("(x)"), QStringLiteral("(x)"));
    EXPECT_EQ(app::error_box_text("1-"), QStringLiteral("1-"));
    EXPECT_EQ(app::error_box_text("2/3"), QStringLiteral("2/3."));
    EXPECT_EQ(app::error_box_text(""), QString());
}

class MakerBox : public MainWindowTest {
protected:
    // The search, and its only message box (empty when none showed).
    void search() {
        const QList<Box> boxes = MainWindowTest::search();
        EXPECT_LE(boxes.size(), 1);
        shown = !boxes.isEmpty();
        seen = boxes.value(0);
    }
    QString opened;
    bool shown = false;
    Box seen;
    void SetUp() override {
        MainWindowTest::SetUp();
        app::set_url_opener([this](const QString& text) { opened = text + QStringLiteral("|"); });
    }
    void TearDown() override {
        app::set_url_opener({});
        MainWindowTest::TearDown();
    }
};

TEST_F(MakerBox, FollowsTheCursorAndHandsTheAddressToTheShell) {
    WorkingDir dir;
    write_catalogue(
        {compression("A", "KSSC"), compression("B", "昌和発条"), compression("C", "無名")},
        {{"KSSC", "東京都", "03-1111", "03-2222", "www.kssc.example.jp"},
         {"昌和発条", "大阪府", "06-1111", "06-2222", "http://showa.example.jp/"}});
    form->DBText_urlClick();
    EXPECT_TRUE(opened.isEmpty()); // closed table: nothing happens

    search();
    EXPECT_FALSE(shown) << seen.text.toStdString();
    EXPECT_TRUE(find<QLabel>("Label_maker_tel")->isVisible());
    EXPECT_EQ(find<QLabel>("DBText1")->text(), QStringLiteral("KSSC"));
    EXPECT_EQ(find<QLabel>("DBText_tel")->text(), QStringLiteral("03-1111"));
    form->DBText_urlClick();
    EXPECT_EQ(opened, QStringLiteral("www.kssc.example.jp|"));

    find<QTableView>("DBGrid1")->selectRow(1);
    EXPECT_EQ(form->springTable().currentRow(), 1);
    EXPECT_EQ(find<QLabel>("DBText1")->text(), QStringLiteral("昌和発条"));
    EXPECT_EQ(find<QLabel>("DBText_url")->text(), QStringLiteral("http://showa.example.jp/"));

    // A maker without a row: empty texts, "Tel: " still shown, an empty address handed over.
    find<QTableView>("DBGrid1")->selectRow(2);
    EXPECT_TRUE(find<QLabel>("DBText1")->text().isEmpty());
    EXPECT_TRUE(find<QLabel>("DBText_tel")->text().isEmpty());
    EXPECT_TRUE(find<QLabel>("Label_maker_tel")->isVisible());
    form->DBText_urlClick();
    EXPECT_EQ(opened, QStringLiteral("|"));
}

TEST_F(MakerBox, MissingCatalogueFileReachesTheErrorBox) {
    WorkingDir dir;
    search();
    ASSERT_TRUE(shown);
    EXPECT_EQ(seen.title, QStringLiteral("Tarvolin1.40J"));
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.text,
              QStringLiteral("ClientDataSet_spring: データプロバイダ/パケットがありません."));
    EXPECT_FALSE(form->springTable().isOpen());
    EXPECT_FALSE(form->makerTable().isOpen());
}

TEST_F(MakerBox, MissingMakerFileLeavesTheCatalogueShown) {
    WorkingDir dir;
    write_cp932("spring_data.xml", spring_packet({compression("A", "KSSC")}));
    search();
    EXPECT_EQ(seen.text,
              QStringLiteral("ClientDataSet_maker: データプロバイダ/パケットがありません."));
    EXPECT_TRUE(form->springTable().isOpen());
    EXPECT_EQ(find<QTableView>("DBGrid1")->model()->rowCount(), 1);
    EXPECT_FALSE(form->makerTable().isOpen());
    EXPECT_FALSE(find<QLabel>("Label_maker_tel")->isVisible());
    EXPECT_TRUE(find<QLabel>("DBText1")->text().isEmpty());

    // The next search after the file is back works.
    write_cp932("spring_maker.xml", maker_packet({{"KSSC", "", "03", "", "www.kssc.example.jp"}}));
    search();
    EXPECT_FALSE(shown);
    EXPECT_EQ(find<QLabel>("DBText_tel")->text(), QStringLiteral("03"));
}

TEST_F(MakerBox, MakerPacketWithoutTelIsReportedByItsText) {
    WorkingDir dir;
    write_cp932("spring_data.xml", spring_packet({compression("A", "KSSC")}));
    write_bytes("spring_maker.xml", "<DATAPACKET><METADATA><FIELDS>"
                                    "<FIELD attrname=\"maker\" fieldtype=\"string\" WIDTH=\"30\"/>"
                                    "<FIELD attrname=\"url\" fieldtype=\"string\" WIDTH=\"30\"/>"
                                    "</FIELDS></METADATA><ROWDATA/></DATAPACKET>");
    search();
    EXPECT_EQ(seen.text, QStringLiteral("DBText_tel: 項目 'tel' が見つかりません."));
}

TEST(WebOpener, PlatformOpenerIsReplaceable) {
    QStringList handed;
    app::set_url_opener([&](const QString& t) { handed << t; });
    app::open_with_shell(QStringLiteral("www.example.jp"));
    app::set_url_opener({});
    EXPECT_EQ(handed, QStringList{QStringLiteral("www.example.jp")});
}
