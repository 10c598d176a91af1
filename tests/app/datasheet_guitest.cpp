// The datasheet of the selected spring through the File menu: the commands'
// place and state, the PDF read back as the window shows the spring in each
// unit system, the header asked for once, and a path that cannot be written.
#include "app/datasheet_commands.h"
#include "support/main_window.h"
#include "support/packet_writer.h"
#include "support/pdf_tools.h"
#include "support/temp_dir.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>

using namespace testsupport;

namespace {

const MakerRow maker = {"昌和発条", "大阪府大阪市北区1-2-3", "06-1234-5678", "06-1234-0000",
                        "https://showa.example.jp/"};

class Datasheet : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        // 2 N/mm from 30 mm down to 20 mm: 10 N at 25 mm, τ0 = 229 MPa.
        SpringRow spring = spring_row("AS-0835", 30, 0, 20, 20);
        spring.maker = maker.maker;
        SpringRow other = spring_row("BX-12", 40, 0, 25, 30);
        write_catalogue({spring, other}, {maker});
        type("Edit_length", QStringLiteral("25"));
        type("Edit_lengthwidth", QString());
    }

    QAction* print() { return find<QAction>("Action_print"); }
    QAction* pdf() { return find<QAction>("Action_datasheetpdf"); }
    void useUnits(int item) {
        find("RadioGroup_unit")->findChildren<QRadioButton*>().at(item)->click();
    }

    // Runs the PDF command to `path`, the header dialog answered by `fill`
    // (rejected when `accept` is false): the message boxes it showed.
    QList<Box> savePdf(const QString& path, bool accept = true) {
        if (!path.isEmpty())
            choosers.answerSave(path);
        const Answer answer{accept ? Reply::Accept : Reply::Reject, [this](QDialog* dialog) {
                                ++dialogs;
                                fill(dialog);
                            }};
        return answer_boxes([&] { pdf()->trigger(); }, answer);
    }

    void fill(QDialog* dialog) {
        if (dialog->objectName() != QLatin1String("Form_datasheetheader"))
            return;
        const std::pair<const char*, QString> entries[] = {
            {"Edit_subject", QStringLiteral("搬送装置の押さえ")},
            {"Edit_partno", QStringLiteral("P-2024-017")},
            {"Edit_person", QStringLiteral("山田")},
            {"Edit_memo", QStringLiteral("見積依頼用")}};
        for (const auto& [name, text] : entries) {
            auto* edit = dialog->findChild<QLineEdit*>(QLatin1String(name));
            ASSERT_NE(edit, nullptr) << name;
            edit->setText(text);
        }
    }

    int dialogs = 0;
    WorkingDir dir;
};

// The allowable stress the hint shows ("許容応力値:1121N/mm2"): its number.
QString hinted_allowable(const QString& hint) {
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral(":(\\d+)")).match(hint);
    return m.captured(1);
}

} // namespace

TEST_F(Datasheet, CommandsStandBeforeExitAndFollowTheSelection) {
    const QList<QAction*> file =
        form->menuBar()->findChild<QMenu*>(QStringLiteral("F1"))->actions();
    const qsizetype at_print = file.indexOf(print());
    const qsizetype at_pdf = file.indexOf(pdf());
    ASSERT_GE(at_print, 0);
    EXPECT_EQ(at_pdf, at_print + 1);
    EXPECT_EQ(file.last(), find<QAction>("Exit1")) << "終了 stays last";
    EXPECT_EQ(print()->shortcut(), QKeySequence(QKeySequence::Print));
    EXPECT_EQ(print()->text(), QStringLiteral("印刷(&P)..."));
    EXPECT_EQ(pdf()->text(), QStringLiteral("データシートを PDF で保存..."));

    // Nothing selected before the first search.
    EXPECT_FALSE(print()->isEnabled());
    EXPECT_FALSE(pdf()->isEnabled());
    search();
    EXPECT_TRUE(print()->isEnabled());
    EXPECT_TRUE(pdf()->isEnabled());
    // A search that finds nothing leaves nothing selected.
    type("Edit_force", QStringLiteral("500"));
    type("Edit_forcewidth", QStringLiteral("1"));
    type("Edit_lengthwidth", QStringLiteral("1"));
    search();
    EXPECT_FALSE(print()->isEnabled());
    EXPECT_FALSE(pdf()->isEnabled());
    // Run all the same (a shortcut racing the search): nothing asked, nothing shown.
    auto* commands = form->findChild<app::DatasheetCommands*>();
    ASSERT_NE(commands, nullptr);
    EXPECT_FALSE(commands->content());
    const Answer count{Reply::Reject, [this](QDialog*) { ++dialogs; }};
    EXPECT_TRUE(answer_boxes([&] { commands->savePdf(); }, count).isEmpty());
    EXPECT_TRUE(answer_boxes([&] { commands->print(); }, count).isEmpty());
    EXPECT_EQ(dialogs, 0);
}

// The sheet reads as the window: in N-mm, kgf-mm and gf-mm alike one A4 page
// with the window's load, stress and allowable stress, the maker and the header.
TEST_F(Datasheet, PdfHoldsWhatTheWindowShowsInEveryUnitSystem) {
    const QString units[] = {QStringLiteral("N"), QStringLiteral("kgf"), QStringLiteral("gf")};
    const QString stress_units[] = {QStringLiteral("MPa"), QStringLiteral("kgf/mm²"),
                                    QStringLiteral("gf/mm²")};
    for (int item = 0; item < 3; ++item) {
        SCOPED_TRACE(units[item].toStdString());
        useUnits(item);
        search();
        const QString path = dir.file(QStringLiteral("sheet_%1.pdf").arg(units[item]));
        EXPECT_TRUE(savePdf(path).isEmpty());
        ASSERT_TRUE(QFileInfo::exists(path));

        READ_PDF_OR_KEEP_AND_SKIP(path);
        const PdfInfo info = pdf_info(path);
        EXPECT_EQ(info.pages, 1);
        EXPECT_NEAR(info.width, 595.28, 0.5);
        EXPECT_NEAR(info.height, 841.89, 0.5);
        for (const PdfFont& font : pdf_fonts(path))
            EXPECT_TRUE(font.embedded) << font.name.toStdString();
        for (const PdfWord& w : pdf_words(path))
            EXPECT_TRUE(w.x_max <= 595 && w.y_max <= 842) << w.text.toStdString();

        const QString text = pdf_text(path);
        const QString load = find<QLabel>("Label_F1")->text();
        const QString stress = find<QLabel>("Label_tau1")->text();
        ASSERT_FALSE(load.isEmpty());
        ASSERT_FALSE(stress.isEmpty());
        const QString allowable = hinted_allowable(find<QGroupBox>("GroupBox1")->toolTip());
        ASSERT_FALSE(allowable.isEmpty());
        for (const QString& expected : {QStringLiteral("AS-0835"),
                                        QString::fromStdString(maker.maker),
                                        QString::fromStdString(maker.adress),
                                        QString::fromStdString(maker.tel),
                                        QString::fromStdString(maker.fax),
                                        QString::fromStdString(maker.url),
                                        QDir::toNativeSeparators(dir.path()),
                                        QStringLiteral("参考長 lmax"),
                                        QStringLiteral("総巻数 turn"),
                                        QStringLiteral("動作範囲"),
                                        QStringLiteral("繰返し回数"),
                                        QStringLiteral("判定の前提"),
                                        QStringLiteral("SWP-B"),
                                        load + u' ' + units[item],
                                        stress + u' ' + stress_units[item],
                                        allowable + u' ' + stress_units[item],
                                        QStringLiteral("搬送装置の押さえ"),
                                        QStringLiteral("P-2024-017"),
                                        QStringLiteral("山田"),
                                        QStringLiteral("見積依頼用")})
            EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("BX-12"))) << "only the selected spring";

        // The verdict list as the window shows it, every text of it.
        const std::optional<ui::VerdictReport> verdict = form->selectedVerdict();
        ASSERT_TRUE(verdict);
        ASSERT_FALSE(verdict->lines.empty());
        QStringList shown = {ui::verdict_word(verdict->overall), verdict->reason};
        for (const ui::VerdictLine& line : verdict->lines)
            shown << line.check << line.value << line.limit << line.margin << line.verdict
                  << line.reason;
        shown << verdict->assumptions << verdict->load_bands;
        ASSERT_FALSE(verdict->assumed.empty());
        for (const ui::AssumedValue& a : verdict->assumed)
            shown << a.name << a.value;
        // pdftotext breaks the page's lines where it sees columns; compare
        // without the white space.
        const QString flat = QString(text).remove(QRegularExpression(QStringLiteral("\\s")));
        for (const QString& expected : shown)
            EXPECT_TRUE(
                flat.contains(QString(expected).remove(QRegularExpression(QStringLiteral("\\s")))))
                << expected.toStdString();
    }
    EXPECT_EQ(dialogs, 1) << "the header is asked for once";
}

// Cancel on the header cancels the command; once answered, the header stays
// for the rest of the run and is not asked for again.
TEST_F(Datasheet, TheHeaderIsAskedForOnceAndItsCancelCancels) {
    search();
    EXPECT_TRUE(savePdf(QString(), false).isEmpty());
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(choosers.saves.isEmpty()) << "no path asked for after Cancel";

    const QString first = dir.file(QStringLiteral("first.pdf"));
    EXPECT_TRUE(savePdf(first).isEmpty());
    EXPECT_EQ(dialogs, 2);
    ASSERT_EQ(choosers.saves.size(), 1);
    EXPECT_EQ(choosers.saves[0].caption, QStringLiteral("データシートを PDF で保存"));
    EXPECT_EQ(choosers.saves[0].start, QDir::current().filePath(QStringLiteral("AS-0835.pdf")));
    EXPECT_EQ(choosers.saves[0].filters, QStringList{QStringLiteral("PDF (*.pdf)")});

    // A name typed without ".pdf" gets it; no header question this time.
    EXPECT_TRUE(savePdf(dir.file(QStringLiteral("second"))).isEmpty());
    EXPECT_EQ(dialogs, 2);
    const QString second = dir.file(QStringLiteral("second.pdf"));
    ASSERT_TRUE(QFileInfo::exists(second));
    READ_PDF_OR_KEEP_AND_SKIP(second);
    EXPECT_TRUE(pdf_text(second).contains(QStringLiteral("P-2024-017")));
}

TEST_F(Datasheet, APathThatCannotBeWrittenLeavesNoFileAndSaysWhy) {
    search();
    const QString missing = dir.file(QStringLiteral("missing/sheet.pdf"));
    const QList<Box> boxes = savePdf(missing);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].icon, QMessageBox::Warning);
    const QString said = QDir::toNativeSeparators(missing) + QStringLiteral(" に保存できません。");
    EXPECT_TRUE(boxes[0].text.startsWith(said)) << boxes[0].text.toStdString();
    EXPECT_GT(boxes[0].text.size(), said.size()) << "the reason follows the path";
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("missing"))));

    // Nor over the catalogue: a name without ".pdf" gets it, and a link to a
    // catalogue file is refused before anything is written.
    const QString catalogue = dir.file(QStringLiteral("spring_data.xml"));
    const QString makers = dir.file(QStringLiteral("spring_maker.xml"));
    const qint64 size = QFileInfo(catalogue).size();
    const qint64 makers_size = QFileInfo(makers).size();
    EXPECT_TRUE(savePdf(catalogue).isEmpty());
    EXPECT_TRUE(QFileInfo::exists(catalogue + QStringLiteral(".pdf")));
#if !defined(_WIN32) // Windows makes a shell shortcut of QFile::link, which no save follows
    ASSERT_TRUE(QFile::link(makers, dir.file(QStringLiteral("m.pdf"))));
    const QList<Box> refused = savePdf(dir.file(QStringLiteral("m.pdf")));
    ASSERT_EQ(refused.size(), 1);
    EXPECT_TRUE(
        refused[0].text.contains(QStringLiteral("spring_maker.xml はカタログのファイルです")))
        << refused[0].text.toStdString();
#endif
    EXPECT_EQ(QFileInfo(makers).size(), makers_size);
    // Whoever calls the writer directly is refused too.
    const std::optional<ui::DatasheetContent> content =
        form->findChild<app::DatasheetCommands*>()->content();
    ASSERT_TRUE(content);
    EXPECT_THROW(app::save_datasheet_pdf(*content, catalogue), std::runtime_error);
    EXPECT_EQ(QFileInfo(catalogue).size(), size);
    EXPECT_EQ(QFileInfo(makers).size(), makers_size);
}

TEST_F(Datasheet, PrintOpensThePreviewOfTheOnePage) {
    search();
    int pages = -1;
    const Answer answer{Reply::Reject, [&](QDialog* dialog) {
                            fill(dialog);
                            if (dialog->objectName() == QLatin1String("Form_datasheetheader")) {
                                dialog->accept();
                                return;
                            }
                            ASSERT_NE(qobject_cast<QPrintPreviewDialog*>(dialog), nullptr);
                            auto* preview = dialog->findChild<QPrintPreviewWidget*>();
                            ASSERT_NE(preview, nullptr);
                            preview->updatePreview();
                            pages = preview->pageCount();
                            // Large enough to read a line of the sheet.
                            EXPECT_EQ(preview->zoomMode(), QPrintPreviewWidget::FitToWidth);
                            EXPECT_GE(dialog->height(),
                                      dialog->screen()->geometry().height() * 8 / 10);
                        }};
    EXPECT_TRUE(answer_boxes([&] { print()->trigger(); }, answer).isEmpty());
    EXPECT_EQ(pages, 1);
}

// Charts the View menu hid are on the sheet all the same, drawn at their size.
TEST_F(Datasheet, HiddenChartsAreOnTheSheetAllTheSame) {
    search();
    find<QAction>("menu_statictau")->trigger();
    find<QAction>("menu_dynamictau")->trigger();
    ASSERT_FALSE(find("Paneltau")->isVisible());
    const QString path = dir.file(QStringLiteral("hidden.pdf"));
    EXPECT_TRUE(savePdf(path).isEmpty());
    READ_PDF_OR_KEEP_AND_SKIP(path);
    const QString text = pdf_text(path);
    // The axis titles come from the charts themselves.
    EXPECT_TRUE(text.contains(QStringLiteral("材料の直径 mm")));
    EXPECT_TRUE(text.contains(QStringLiteral("バネ長")));
    EXPECT_TRUE(text.contains(QStringLiteral("最小応力係数")));
}
