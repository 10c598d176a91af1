// Results a designer takes away from the main window: the hit count, the
// grid's rows on the clipboard and in a CSV file, the charts' view reset,
// and searches in another catalogue folder.
#include "app/catalogue_folder.h"
#include "app/chart_menu.h"
#include "app/grid_actions.h"
#include "app/grid_views.h"
#include "app/japanese_qt_texts.h"
#include "app/results_csv.h"
#include "app/stoppable_progress.h"
#include "chart/chart.h"
#include "support/main_window.h"
#include "support/packet_writer.h"
#include "support/temp_dir.h"
#include "ui/grid_model.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTableView>
#include <QTest>
#include <QTranslator>

using namespace testsupport;

namespace {

QByteArray read_all(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Results : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        // Two springs in kgf-mm: 1 kgf at 20 mm and 2 kgf at 25 mm.
        SpringRow a = spring_row("A-1", 30, 0, 20, 9.80665);
        SpringRow b = spring_row("B-2", 40, 0, 25, 2 * 9.80665);
        b.maker = "昌和発条";
        b.material = "SW-C";
        // Total coils that their rates can belong to (13.7 and 10.3 active coils).
        a.turn = 15;
        b.turn = 12;
        write_catalogue({a, b}, {});
    }
    QTableView* grid() { return find<QTableView>("DBGrid1"); }
    app::GridActions* actions() { return grid()->findChild<app::GridActions*>(); }
    QString hits() { return find<QLabel>("Label_hits")->text(); }
    void useKgf() { find("RadioGroup_unit")->findChildren<QRadioButton*>().at(1)->click(); }

    WorkingDir dir;
};

// The verdict columns close each row; both springs pass every check.
const QString kgf_titles = QStringLiteral(
    "メーカー\t型番\t材質\tD mm\td mm\tlo mm\tfo kgf\t参考長\tfmax kgf\tk kgf/mm\t判定\t理由\n");
const QString kgf_row_a =
    QStringLiteral("KSSC\tA-1\tSWP-B\t10\t1\t30\t0.000\t20\t1.000\t0.100\t合格\t\n");
const QString kgf_row_b =
    QStringLiteral("昌和発条\tB-2\tSW-C\t10\t1\t40\t0.000\t25\t2.000\t0.133\t合格\t\n");

// The grid's tab-separated text as the CSV file holds it.
QString csv(QString text) {
    return text.replace(u'\t', u',').replace(u'\n', QStringLiteral("\r\n"));
}

} // namespace

TEST_F(Results, TheHitCountFollowsEverySearchAndAFailedOneShowsNone) {
    EXPECT_EQ(hits(), QString());
    EXPECT_TRUE(search().isEmpty());
    EXPECT_EQ(hits(), QStringLiteral("2 件"));

    type("Edit_length", QStringLiteral("10"));
    type("Edit_force", QStringLiteral("500"));
    EXPECT_TRUE(search().isEmpty());
    EXPECT_EQ(grid()->model()->rowCount(), 0);
    EXPECT_EQ(hits(), QStringLiteral("0 件"));

    // A broken maker file after a good catalogue, then a broken catalogue:
    // each ends in the error box, and neither shows a count.
    type("Edit_length", QString());
    type("Edit_force", QString());
    const QString maker = dir.file(QStringLiteral("spring_maker.xml"));
    const QByteArray makers = read_all(maker);
    write_bytes(maker, "<DATAPACKET");
    EXPECT_EQ(search().size(), 1);
    EXPECT_EQ(hits(), QString());
    write_bytes(maker, makers.toStdString());
    EXPECT_TRUE(search().isEmpty());
    EXPECT_EQ(hits(), QStringLiteral("2 件"));
    write_bytes(dir.file(QStringLiteral("spring_data.xml")), "<DATAPACKET");
    EXPECT_EQ(search().size(), 1);
    EXPECT_EQ(hits(), QString());
}

TEST_F(Results, CtrlCAndTheMenuCopyRowsAsTheGridShowsThem) {
    useKgf();
    search();
    ASSERT_EQ(grid()->model()->rowCount(), 2);
    grid()->setFocus();
    grid()->setCurrentIndex(grid()->model()->index(1, 3));
    QTest::keyClick(grid(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
              (kgf_titles + kgf_row_b).toStdString());

    // A right click in the grid opens its menu; "all rows" copies both.
    const QPoint at = grid()->visualRect(grid()->model()->index(0, 1)).center();
    QTest::mouseClick(grid()->viewport(), Qt::RightButton, {}, at);
    QContextMenuEvent menu_event(QContextMenuEvent::Mouse, at, grid()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid()->viewport(), &menu_event);
    QMenu* menu = actions()->menu();
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(actions()->copyRowAction()->isEnabled());
    actions()->copyAllAction()->trigger();
    menu->hide();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
              (kgf_titles + kgf_row_a + kgf_row_b).toStdString());
}

TEST_F(Results, CsvThroughTheFileMenuIsWholeInEitherEncoding) {
    useKgf();
    search();
    const QString expected = csv(kgf_titles + kgf_row_a + kgf_row_b);

    // The proposed name and both encodings offered, UTF-8 first.
    const QString utf8_path = dir.file(QStringLiteral("list.csv"));
    choosers.answerSave(utf8_path);
    expect_no_box([&] { actions()->saveCsvAction()->trigger(); });
    ASSERT_EQ(choosers.saves.size(), 1);
    EXPECT_EQ(choosers.saves[0].caption, QStringLiteral("結果を CSV で保存"));
    EXPECT_EQ(choosers.saves[0].start, QDir::current().filePath(QStringLiteral("springs.csv")));
    EXPECT_EQ(choosers.saves[0].filters,
              QStringList({QStringLiteral("CSV UTF-8 (*.csv)"),
                           QStringLiteral("CSV コード ページ 932 (*.csv)")}));
    EXPECT_EQ(read_all(utf8_path), QByteArray("\xEF\xBB\xBF") + expected.toUtf8());

    // Code page 932 chosen by its filter; a name typed without ".csv" gets it.
    choosers.answerSave(dir.file(QStringLiteral("list932")), 1);
    expect_no_box([&] { actions()->saveCsvAction()->trigger(); });
    EXPECT_EQ(read_all(dir.file(QStringLiteral("list932.csv"))).toStdString(),
              to_cp932(expected.toStdString()));

    // Cancelled: nothing written, nothing asked.
    choosers.answerSave(QString());
    const QStringList before = QDir(dir.path()).entryList(QDir::Files);
    expect_no_box([&] { actions()->saveCsvAction()->trigger(); });
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), before);
}

TEST_F(Results, CsvReplacesAnExistingFileOnlyWhenTheUserSaysSo) {
    search();
    const QString path = dir.file(QStringLiteral("list.csv"));
    write_bytes(path, "earlier");

    choosers.answerSave(path);
    const Box question =
        expect_box([&] { actions()->saveCsvAction()->trigger(); }, {Reply::Reject, {}});
    EXPECT_EQ(question.title, QStringLiteral("結果を CSV で保存"));
    EXPECT_TRUE(question.text.contains(QStringLiteral("list.csv"))) << question.text.toStdString();
    EXPECT_EQ(question.icon, QMessageBox::Warning);
    EXPECT_EQ(read_all(path), QByteArray("earlier"));

    choosers.answerSave(path);
    expect_box([&] { actions()->saveCsvAction()->trigger(); }, {Reply::Accept, {}});
    EXPECT_TRUE(read_all(path).contains("A-1"));
}

// Copying or saving many rows shows the search's progress with 中止; stopping
// leaves the clipboard and the earlier file as they were.
TEST_F(Results, AStoppedCopyOrSaveLeavesTheClipboardAndTheEarlierFile) {
    search();
    app::StoppableProgress::setShowDelay(0); // shown at the first look
    const auto restore = qScopeGuard([] { app::StoppableProgress::setShowDelay(500); });
    QString label, button;
    const auto stop = [&](QDialog* shown) {
        if (auto* progress = qobject_cast<QProgressDialog*>(shown)) {
            label = progress->labelText();
            auto* cancel = progress->findChild<QPushButton*>();
            ASSERT_NE(cancel, nullptr);
            button = cancel->text();
            cancel->click();
        }
    };

    QApplication::clipboard()->setText(QStringLiteral("before"));
    const Box copy_stopped =
        expect_box([&] { actions()->copyAllAction()->trigger(); }, {Reply::Accept, stop});
    EXPECT_EQ(label, QStringLiteral("2 行をコピーしています"));
    EXPECT_EQ(button, QStringLiteral("中止"));
    EXPECT_EQ(copy_stopped.text, QStringLiteral("コピーを中止しました"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));

    const QString path = dir.file(QStringLiteral("list.csv"));
    write_bytes(path, "earlier");
    choosers.answerSave(path);
    // The question whether to replace, then the progress, then the message.
    const QList<Box> boxes =
        answer_boxes([&] { actions()->saveCsvAction()->trigger(); }, {Reply::Accept, stop});
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[1].text, QStringLiteral("保存を中止しました"));
    EXPECT_TRUE(label.endsWith(QStringLiteral("list.csv に書き込んでいます")))
        << label.toStdString();
    EXPECT_EQ(read_all(path), QByteArray("earlier"));
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*.csv*")}, QDir::Files),
              QStringList{QStringLiteral("list.csv")});

    // Not stopped, both go through.
    app::StoppableProgress::setShowDelay(500);
    actions()->copyAllAction()->trigger();
    EXPECT_TRUE(QApplication::clipboard()->text().contains(QStringLiteral("A-1")));
}

// The refusal comes first: no question whether to replace the catalogue.
TEST_F(Results, CsvIsNeverWrittenOverTheCatalogueByNameOrThroughALink) {
    search();
    const QString data = dir.file(QStringLiteral("spring_data.xml"));
    const QString maker = dir.file(QStringLiteral("spring_maker.xml"));
    const QByteArray catalogue = read_all(data);
    const QByteArray makers = read_all(maker);
    QFile::link(maker, dir.file(QStringLiteral("m.csv")));

    choosers.answerSave(data);
    const Box by_name = expect_box([&] { actions()->saveCsvAction()->trigger(); });
    EXPECT_TRUE(by_name.text.contains(QStringLiteral("spring_data.xml はカタログのファイルです")))
        << by_name.text.toStdString();
    EXPECT_EQ(by_name.title, QStringLiteral("Tarvolin1.40J"));

#if !defined(_WIN32)
    // Windows makes a shell shortcut of QFile::link, which no save follows.
    choosers.answerSave(dir.file(QStringLiteral("m.csv")));
    const Box by_link = expect_box([&] { actions()->saveCsvAction()->trigger(); });
    EXPECT_TRUE(by_link.text.contains(QStringLiteral("spring_maker.xml はカタログのファイルです")))
        << by_link.text.toStdString();
    EXPECT_EQ(QFileInfo(dir.file(QStringLiteral("m.csv"))).symLinkTarget(), maker);
#endif

    EXPECT_EQ(read_all(data), catalogue);
    EXPECT_EQ(read_all(maker), makers);
    // Whoever calls the writer directly is refused too.
    const auto* model = qobject_cast<SpringGridModel*>(grid()->model());
    EXPECT_THROW(
        save_results_csv(*model, actions()->shownColumns(), data, app::CsvEncoding::Utf8Bom),
        std::runtime_error);
    EXPECT_EQ(read_all(data), catalogue);
}

TEST_F(Results, CsvIntoAFolderThatCannotBeWrittenIsAClearErrorAndLeavesNothing) {
    search();
    choosers.answerSave(dir.file(QStringLiteral("missing/list.csv")));
    const Box error = expect_box([&] { actions()->saveCsvAction()->trigger(); });
    EXPECT_TRUE(error.text.contains(QStringLiteral("保存できません"))) << error.text.toStdString();
    EXPECT_EQ(error.icon, QMessageBox::Warning);
    EXPECT_FALSE(QDir(dir.file(QStringLiteral("missing"))).exists());
}

TEST_F(Results, ChartImagesAreSavedThroughTheChooserWithTheChosenTypesSuffix) {
    search();
    auto* menu = find<Chart>("DBChart1")->findChild<ChartMenu*>();
    choosers.answerSave(dir.file(QStringLiteral("chart")), 1);
    expect_no_box([&] { menu->saveAction()->trigger(); });
    ASSERT_EQ(choosers.saves.size(), 1);
    EXPECT_EQ(choosers.saves[0].start, QDir::current().filePath(QStringLiteral("load_length.png")));
    EXPECT_TRUE(read_all(dir.file(QStringLiteral("chart.svg"))).contains("<svg"));

    // A link named like an image that leads to the catalogue is refused
    // (Windows makes a shell shortcut of QFile::link, which no save follows).
#if !defined(_WIN32)
    const QString data = dir.file(QStringLiteral("spring_data.xml"));
    const QByteArray catalogue = read_all(data);
    QFile::link(data, dir.file(QStringLiteral("c.png")));
    choosers.answerSave(dir.file(QStringLiteral("c.png")));
    const Box refusal = expect_box([&] { menu->saveAction()->trigger(); });
    EXPECT_TRUE(refusal.text.contains(QStringLiteral("spring_data.xml はカタログのファイルです")));
    EXPECT_EQ(read_all(data), catalogue);
#endif
}

TEST_F(Results, AFailureHalfwayLeavesTheEarlierFileAndNoPartOfTheNewOne) {
    // Past the first chunk a text that code page 932 cannot hold stops the write.
    std::vector<SpringRow> rows;
    for (int i = 0; i < 6000; ++i)
        rows.push_back(spring_row("S" + std::to_string(i), 30, 0, 20, 10));
    rows.back().modelNo = "S-\xF0\x9F\x98\x80"; // U+1F600
    std::string packet = spring_packet(rows);
    packet.replace(0, packet.find("?>"), "<?xml version=\"1.0\" encoding=\"UTF-8\"");
    write_bytes(dir.file(QStringLiteral("spring_data.xml")), packet);
    search();
    ASSERT_EQ(grid()->model()->rowCount(), 6000);
    const auto* model = qobject_cast<SpringGridModel*>(grid()->model());
    const QString path = dir.file(QStringLiteral("list.csv"));
    write_bytes(path, "earlier");
    const QStringList before = QDir(dir.path()).entryList(QDir::Files);
    try {
        save_results_csv(*model, actions()->shownColumns(), path, app::CsvEncoding::Cp932);
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("6001 行目"))) << e.what();
    }
    EXPECT_EQ(read_all(path), QByteArray("earlier"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), before);
}

TEST_F(Results, ResetBringsEveryChartBackToTheProgramsRange) {
    type("Edit_length", QStringLiteral("25"));
    type("Edit_force", QStringLiteral("7"));
    type("Edit_forcewidth", QStringLiteral("5"));
    search();
    for (const char* name : {"DBChart1", "Chart_statictau", "Chart_dynamictau"}) {
        auto* chart = find<Chart>(name);
        const double x0 = chart->bottomAxis().minimum(), x1 = chart->bottomAxis().maximum();
        const double y0 = chart->leftAxis().minimum(), y1 = chart->leftAxis().maximum();
        if (chart->isZoomEnabled())
            chart->zoomToRect(QRect(chart->plotRect().center(), chart->plotRect().bottomRight()));
        chart->panBy(QPoint(25, -15));
        ASSERT_NE(chart->bottomAxis().minimum(), x0) << name;
        chart->findChild<ChartMenu*>()->resetAction()->trigger();
        EXPECT_EQ(chart->bottomAxis().minimum(), x0) << name;
        EXPECT_EQ(chart->bottomAxis().maximum(), x1) << name;
        EXPECT_EQ(chart->leftAxis().minimum(), y0) << name;
        EXPECT_EQ(chart->leftAxis().maximum(), y1) << name;
    }
}

TEST_F(Results, ChoosingAnotherFolderSearchesItAtOnce) {
    QTemporaryDir other;
    {
        WorkingDir writing; // the helpers write into the working directory
        write_catalogue({spring_row("OTHER-1", 30, 0, 20, 10), spring_row("OTHER-2", 31, 0, 20, 10),
                         spring_row("OTHER-3", 32, 0, 20, 10)},
                        {});
        for (const char* name : {"spring_data.xml", "spring_maker.xml"})
            QFile::copy(writing.file(QString::fromLatin1(name)),
                        QDir(other.path()).filePath(QString::fromLatin1(name)));
    }
    auto* folder = form->findChild<app::CatalogueFolder*>();
    auto* label = find<QLabel>("Label_cataloguefolder");
    EXPECT_TRUE(label->toolTip().contains(QDir::toNativeSeparators(dir.path())));

    // A folder without the catalogue is refused, and nothing moves.
    QTemporaryDir empty;
    choosers.answerFolder(empty.path());
    const Box refused = expect_box([&] { folder->chooseAction()->trigger(); });
    EXPECT_TRUE(
        refused.text.contains(QStringLiteral("spring_data.xml と spring_maker.xml がありません")))
        << refused.text.toStdString();
    EXPECT_EQ(QDir::currentPath(), QDir(dir.path()).canonicalPath());
    ASSERT_EQ(choosers.folders.size(), 1);
    EXPECT_EQ(choosers.folders[0], QDir::currentPath());

    choosers.answerFolder(other.path());
    expect_no_box([&] { folder->chooseAction()->trigger(); });
    EXPECT_EQ(QDir::currentPath(), QDir(other.path()).canonicalPath());
    EXPECT_TRUE(
        label->toolTip().contains(QDir::toNativeSeparators(QDir(other.path()).canonicalPath())));
    // The new folder is searched at once: nothing shown still comes from the old one.
    ASSERT_EQ(grid()->model()->rowCount(), 3);
    EXPECT_EQ(hits(), QStringLiteral("3 件"));
    EXPECT_EQ(grid()->model()->index(0, 1).data().toString(), QStringLiteral("OTHER-1"));
}

TEST_F(Results, TheFileMenuKeepsExitLast) {
    const QList<QAction*> items = find<QMenu>("F1")->actions();
    ASSERT_GE(items.size(), 3);
    EXPECT_EQ(items.last()->objectName(), QStringLiteral("Exit1"));
    EXPECT_EQ(items.at(0)->text(), QStringLiteral("カタログの場所(&L)..."));
    EXPECT_EQ(items.at(1)->text(), QStringLiteral("結果を CSV で保存(&S)..."));
}

TEST(QtTexts, QtsOwnDialogTextsAreJapaneseAndOkStaysOk) {
    QTranslator* translator = app::install_japanese_qt_texts();
    if (!translator)
        GTEST_SKIP() << "Qt's Japanese translation is not installed";
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"),
              QStringLiteral("キャンセル"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "&Save"), QStringLiteral("保存(&S)"));
    // The program's message boxes keep their OK button as it reads.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "OK"), QStringLiteral("OK"));
    QCoreApplication::removeTranslator(translator);
    delete translator;
}

TEST_F(Results, CsvCellsAreQuotedAndFormulasDefused) {
    std::vector<SpringRow> rows;
    for (const char* model : {"=1+2", "a,b", "say \"hi\"", "-3", "@SUM(A1)"})
        rows.push_back(spring_row(model, 30, 0, 20, 10));
    write_catalogue(rows, {});
    search();
    ASSERT_EQ(grid()->model()->rowCount(), 5);
    const auto* model = qobject_cast<SpringGridModel*>(grid()->model());
    const QString path = dir.file(QStringLiteral("cells.csv"));
    save_results_csv(*model, {1}, path, app::CsvEncoding::Utf8Bom);
    EXPECT_EQ(read_all(path).toStdString(), "\xEF\xBB\xBF型番\r\n'=1+2\r\n\"a,b\"\r\n"
                                            "\"say \"\"hi\"\"\"\r\n-3\r\n'@SUM(A1)\r\n");
    // The clipboard guards formulas as the file does; a number stays as shown.
    grid()->setCurrentIndex(grid()->model()->index(0, 1));
    actions()->copyRowAction()->trigger();
    EXPECT_TRUE(QApplication::clipboard()->text().contains(QStringLiteral("\t'=1+2\t")));
    actions()->copyAllAction()->trigger();
    const QString all = QApplication::clipboard()->text();
    EXPECT_TRUE(all.contains(QStringLiteral("\t'@SUM(A1)\t"))) << all.toStdString();
    EXPECT_TRUE(all.contains(QStringLiteral("\t-3\t"))) << all.toStdString();
}

// After a search every column is as wide as its title and its texts, never
// narrower than it starts: nothing the grid shows is cut.
TEST_F(Results, AfterASearchNoTitleOrValueIsCut) {
    SpringRow wide = spring_row("C-1234567890-ABCDEFGHIJ", 30, 0, 20, 1234.5);
    wide.maker = "東邦スプリング工業株式会社";
    wide.material = "SUS304WPB";
    write_catalogue({spring_row("A-1", 30, 0, 20, 9.80665), wide}, {});
    std::vector<int> before;
    for (int c = 0; c < grid()->model()->columnCount(); ++c)
        before.push_back(grid()->columnWidth(c));
    for (int unit : {1, 0, 2}) {
        find("RadioGroup_unit")->findChildren<QRadioButton*>().at(unit)->click();
        search();
        ASSERT_EQ(grid()->model()->rowCount(), 2);
        grid()->resize(2000, 400); // every column in view
        QHeaderView* header = grid()->horizontalHeader();
        for (int c = 0; c < grid()->model()->columnCount(); ++c) {
            EXPECT_GE(grid()->columnWidth(c), before[static_cast<size_t>(c)]) << c;
            const QPoint title(header->sectionViewportPosition(c) + 1, header->height() / 2);
            EXPECT_EQ(app::elided_title_text(header, title), QString()) << unit << " " << c;
            for (int r = 0; r < 2; ++r) {
                const QPoint at = grid()->visualRect(grid()->model()->index(r, c)).center();
                EXPECT_EQ(app::elided_cell_text(grid(), at), QString()) << unit << " " << c;
            }
        }
    }
}
