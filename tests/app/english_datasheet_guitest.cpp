// The datasheet in English for a supplier abroad: chosen in the header dialog,
// kept for the run, every text of the sheet English but the catalogue's own,
// and the window Japanese all the while.
#include "chart/chart.h"
#include "support/main_window.h"
#include "support/packet_writer.h"
#include "support/pdf_tools.h"
#include "support/temp_dir.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

using namespace testsupport;

namespace {

// The catalogue's own Japanese: the model number and the maker's name. The rest
// of the maker's row is ASCII, so that every other Japanese character would be
// the sheet's.
const char* const model = "圧縮ばね-0835";
const MakerRow maker = {"昌和発条", "1-2-3 Umeda, Kita-ku, Osaka", "+81-6-1234-5678",
                        "+81-6-1234-0000", "https://showa.example.jp/"};

QString flat(QString text) {
    return text.remove(QRegularExpression(QStringLiteral("\\s")));
}

bool japanese(QChar c) {
    return (c.unicode() >= 0x3000 && c.unicode() <= 0x9fff) ||
           (c.unicode() >= 0xff00 && c.unicode() <= 0xffef);
}

// The runs of characters of the CJK and kana blocks and of the full-width
// forms in `text`, each with what stands before it.
QStringList japanese_in(const QString& text) {
    QStringList found;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!japanese(text[i]))
            continue;
        qsizetype end = i;
        while (end < text.size() && japanese(text[end]))
            ++end;
        const qsizetype from = std::max<qsizetype>(0, i - 8);
        found << text.mid(from, end - from);
        i = end;
    }
    return found;
}

// Every text the window shows: its widgets' captions and tips, its actions,
// the headers and cells of its lists, its charts' titles and axis titles.
QStringList window_texts(QWidget* window) {
    QStringList texts{window->windowTitle()};
    for (QObject* o : window->findChildren<QObject*>()) {
        const QString name = o->objectName() + u'=';
        if (auto* w = qobject_cast<QWidget*>(o); w && !w->toolTip().isEmpty())
            texts << name + w->toolTip();
        if (auto* label = qobject_cast<QLabel*>(o))
            texts << name + label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(o))
            texts << name + button->text();
        else if (auto* box = qobject_cast<QGroupBox*>(o))
            texts << name + box->title();
        else if (auto* action = qobject_cast<QAction*>(o))
            texts << name + action->text();
        else if (auto* chart = qobject_cast<Chart*>(o))
            texts << name + chart->title().join(u'|') << name + chart->bottomAxis().title()
                  << name + chart->leftAxis().title() << name + chart->rightAxis().title();
        else if (auto* view = qobject_cast<QAbstractItemView*>(o); view && view->model()) {
            const QAbstractItemModel* m = view->model();
            for (int column = 0; column < m->columnCount(); ++column) {
                texts << name + m->headerData(column, Qt::Horizontal).toString();
                for (int row = 0; row < m->rowCount(); ++row)
                    texts << name + m->index(row, column).data().toString();
            }
        }
    }
    return texts;
}

class EnglishDatasheet : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        // 2 N/mm from 30 mm down to 20 mm: 10 N at 25 mm.
        SpringRow spring = spring_row(model, 30, 0, 20, 20);
        spring.maker = maker.maker;
        write_catalogue({spring}, {maker});
        type("Edit_length", QStringLiteral("25"));
        type("Edit_lengthwidth", QString());
    }

    // Runs the PDF command to `path`; a header dialog that shows offers the
    // languages, Japanese first and chosen, and gets `language` chosen and an
    // ASCII subject.
    void savePdf(const QString& path, const QString& language) {
        choosers.answerSave(path);
        const Answer answer{Reply::Accept, [&](QDialog* dialog) {
                                if (dialog->objectName() != QLatin1String("Form_datasheetheader"))
                                    return;
                                ++dialogs;
                                auto* choice = dialog->findChild<QComboBox*>(
                                    QStringLiteral("ComboBox_sheetlanguage"));
                                ASSERT_NE(choice, nullptr);
                                ASSERT_EQ(choice->count(), 2);
                                EXPECT_EQ(choice->itemText(0), QStringLiteral("日本語"));
                                EXPECT_EQ(choice->itemText(1), QStringLiteral("English"));
                                EXPECT_EQ(choice->currentIndex(), 0);
                                auto* label = qobject_cast<QLabel*>(
                                    dialog->findChild<QFormLayout*>()->labelForField(choice));
                                ASSERT_NE(label, nullptr);
                                EXPECT_EQ(label->text(), QStringLiteral("言語(&L):"));
                                choice->setCurrentIndex(choice->findText(language));
                                dialog->findChild<QLineEdit*>(QStringLiteral("Edit_subject"))
                                    ->setText(QStringLiteral("Feeder clamp"));
                            }};
        EXPECT_TRUE(answer_boxes([&] { find<QAction>("Action_datasheetpdf")->trigger(); }, answer)
                        .isEmpty());
        ASSERT_TRUE(QFileInfo::exists(path));
    }

    // The sheet's Japanese once the catalogue's own texts are taken out.
    static QStringList sheet_japanese(const QString& text) {
        QString rest = flat(text);
        for (const QString& own : {QString::fromUtf8(model), QString::fromStdString(maker.maker)})
            rest.remove(flat(own));
        return japanese_in(rest);
    }

    int dialogs = 0;
    WorkingDir dir;
};

} // namespace

// Field names, headings, verdicts, reasons and the charts' captions in English,
// with the spring's values; a second sheet stays English without asking; the
// window shows what it showed before, in Japanese.
TEST_F(EnglishDatasheet, EveryTextIsEnglishButTheCataloguesOwnAndTheWindowStaysJapanese) {
    search();
    const QStringList before = window_texts(form);
    const QString load = find<QLabel>("Label_F1")->text() + QStringLiteral(" N");
    const QString stress = find<QLabel>("Label_tau1")->text() + QStringLiteral(" MPa");
    const std::optional<ui::VerdictReport> verdict = form->selectedVerdict();
    ASSERT_TRUE(verdict);
    const QString words[] = {QStringLiteral("Pass"), QStringLiteral("Caution"),
                             QStringLiteral("Fail")};
    const QString overall = words[static_cast<int>(verdict->overall)];

    const QString first = dir.file(QStringLiteral("english.pdf"));
    savePdf(first, QStringLiteral("English"));
    const QString second = dir.file(QStringLiteral("again.pdf"));
    savePdf(second, QStringLiteral("日本語"));
    EXPECT_EQ(dialogs, 1) << "the header, its language with it, is asked for once";

    // Whatever the sheets posted has arrived.
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(window_texts(form), before);
    EXPECT_EQ(form->findChild<QAbstractItemView*>(QStringLiteral("Grid_verdict"))
                  ->model()
                  ->headerData(0, Qt::Horizontal)
                  .toString(),
              QStringLiteral("項目"));
    EXPECT_EQ(find<Chart>("Chart_statictau")->title(),
              QStringList{QStringLiteral("静荷重に対する許容最大応力")});
    EXPECT_TRUE(find<Chart>("DBChart1")->bottomAxis().title().startsWith(QStringLiteral("バネ長")));

    READ_PDF_OR_KEEP_AND_SKIP(first);
    for (const QString& path : {first, second}) {
        SCOPED_TRACE(path.toStdString());
        const QString text = flat(pdf_text(path));
        for (const QString& expected :
             {QStringLiteral("Spring datasheet"), QStringLiteral("Date"),
              QStringLiteral("Feeder clamp"), QStringLiteral("Model number"),
              QStringLiteral("Wire diameter d"), QStringLiteral("Outer diameter D"),
              QStringLiteral("Mean diameter Dm"), QStringLiteral("Free length lo"),
              QStringLiteral("Spring rate k"), QStringLiteral("Total coils"),
              QStringLiteral("Material"), QStringLiteral("Maker"), QStringLiteral("Address"),
              QStringLiteral("Telephone"), QStringLiteral("Fax"),
              QStringLiteral("Compression spring"), QStringLiteral("Catalogue"),
              QStringLiteral("not given"), QStringLiteral("Verdict"), overall,
              // The window's charts as the sheet prints them.
              QStringLiteral("Spring length mm"), QStringLiteral("Force N"),
              QStringLiteral("Wire diameter mm"), QStringLiteral("Minimum stress ratio"),
              QStringLiteral("Allowable maximum stress under static load"),
              // The catalogue's own, and the spring's values as the window shows them.
              QString::fromUtf8(model), QString::fromStdString(maker.maker),
              QString::fromStdString(maker.adress), QStringLiteral("SWP-B"), load, stress})
            EXPECT_TRUE(text.contains(flat(expected))) << expected.toStdString();
        EXPECT_EQ(sheet_japanese(text), QStringList());
    }
}

// A fresh window asks again and writes Japanese when nobody chose otherwise.
TEST_F(EnglishDatasheet, TheDefaultSheetIsJapanese) {
    search();
    const QString path = dir.file(QStringLiteral("japanese.pdf"));
    choosers.answerSave(path);
    EXPECT_TRUE(answer_boxes([&] { find<QAction>("Action_datasheetpdf")->trigger(); }).isEmpty());
    ASSERT_TRUE(QFileInfo::exists(path));
    READ_PDF_OR_KEEP_AND_SKIP(path);
    const QString text = pdf_text(path);
    EXPECT_TRUE(text.contains(QStringLiteral("線径"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("バネ データシート")));
    EXPECT_FALSE(text.contains(QStringLiteral("Wire diameter")));
}
