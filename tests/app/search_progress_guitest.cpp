// The search while it runs: the busy cursor from its start to its end, the
// progress dialog of a long reading and its "中止", and nothing of either for
// a fast search.

#include "app/search_progress.h"
#include "support/main_window.h"
#include "support/packet_writer.h"
#include "support/temp_dir.h"

#include <QMessageBox>
#include <QProgressDialog>
#include <QTableView>

namespace {

using testsupport::WorkingDir;

class SearchProgressTest : public testsupport::MainWindowTest {
protected:
    void TearDown() override {
        app::SearchProgress::setShowDelay(500);
        MainWindowTest::TearDown();
    }

    // `rows` compression springs, every one found by a search without conditions.
    static void write_springs(int rows) {
        std::vector<testsupport::SpringRow> springs;
        for (int i = 0; i < rows; ++i)
            springs.push_back(testsupport::spring_row("C-" + std::to_string(i), 30, 0, 20, 25));
        testsupport::write_bytes(QStringLiteral("spring_data.xml"),
                                 testsupport::spring_packet(springs));
        testsupport::write_bytes(QStringLiteral("spring_maker.xml"),
                                 testsupport::maker_packet({{"KSSC", "東京都", "03-1", "", ""}}));
    }

    // Whether the application's cursor is overridden with `shape`.
    static bool cursor_is(Qt::CursorShape shape) {
        return QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == shape;
    }

    int shownRows() { return find<QTableView>("DBGrid1")->model()->rowCount(); }
};

TEST_F(SearchProgressTest, StoppingLeavesBothTablesClosedAndTheNextSearchWorks) {
    WorkingDir dir;
    constexpr int kRows = 50000;
    write_springs(kRows);
    find<QPushButton>("Serch_Btn")->click();
    ASSERT_EQ(form->springTable().recordCount(), kRows);

    // Shown at once, and stopped from its button as soon as it shows.
    app::SearchProgress::setShowDelay(0);
    QString dialog_title, dialog_label, button_text, message;
    bool modal = false, busy_under_dialog = false, cursor_at_message = true;
    const auto inside = [&](QDialog* shown) {
        if (auto* progress = qobject_cast<QProgressDialog*>(shown)) {
            dialog_title = progress->windowTitle();
            dialog_label = progress->labelText();
            modal = progress->windowModality() == Qt::ApplicationModal;
            busy_under_dialog = cursor_is(Qt::BusyCursor);
            auto* button = progress->findChild<QPushButton*>();
            ASSERT_NE(button, nullptr);
            button_text = button->text();
            button->click();
        } else {
            cursor_at_message = QApplication::overrideCursor() != nullptr;
        }
    };
    message = testsupport::expect_box([&] { find<QPushButton>("Serch_Btn")->click(); },
                                      {testsupport::Reply::Accept, inside})
                  .text;

    EXPECT_EQ(dialog_title, QStringLiteral("Tarvolin1.40J"));
    EXPECT_EQ(dialog_label, QStringLiteral("spring_data.xml を読み込んでいます"));
    EXPECT_EQ(button_text, QStringLiteral("中止"));
    EXPECT_TRUE(modal);
    EXPECT_TRUE(busy_under_dialog);
    EXPECT_EQ(message, QStringLiteral("検索を中止しました"));
    EXPECT_FALSE(cursor_at_message) << "the message box shows under the busy cursor";
    EXPECT_FALSE(form->springTable().isOpen());
    EXPECT_FALSE(form->makerTable().isOpen());
    EXPECT_EQ(shownRows(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // The next search reads everything again.
    app::SearchProgress::setShowDelay(500);
    find<QPushButton>("Serch_Btn")->click();
    EXPECT_TRUE(form->makerTable().isOpen());
    EXPECT_EQ(form->springTable().recordCount(), kRows);
    EXPECT_EQ(shownRows(), kRows);
}

TEST_F(SearchProgressTest, FastSearchShowsTheBusyCursorAndNoDialog) {
    WorkingDir dir;
    write_springs(3);
    // Every dialog that shows during the search, and the cursor when the
    // catalogue tells that its data changed.
    struct ShowWatch : QObject {
        int dialogs = 0;
        bool eventFilter(QObject* o, QEvent* e) override {
            if (e->type() == QEvent::Show && qobject_cast<QDialog*>(o))
                ++dialogs;
            return false;
        }
    } watch;
    qApp->installEventFilter(&watch);
    bool busy_at_data_change = false;
    form->springTable().addDataChange([&] { busy_at_data_change = cursor_is(Qt::WaitCursor); });
    find<QPushButton>("Serch_Btn")->click();
    qApp->removeEventFilter(&watch);

    EXPECT_EQ(watch.dialogs, 0);
    EXPECT_TRUE(busy_at_data_change);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(form->springTable().recordCount(), 3);
}

TEST_F(SearchProgressTest, MessagesThatEndTheSearchShowWithoutTheBusyCursor) {
    WorkingDir dir;
    bool busy = true;
    const auto under_box = [&](QDialog*) { busy = QApplication::overrideCursor() != nullptr; };
    // A missing catalogue: the error box.
    const testsupport::Box missing = testsupport::expect_box(
        [&] { find<QPushButton>("Serch_Btn")->click(); }, {testsupport::Reply::Accept, under_box});
    EXPECT_EQ(missing.icon, QMessageBox::Critical);
    EXPECT_FALSE(busy);
    // Contradictory diameters: their message.
    busy = true;
    find<QLineEdit>("Edit_coildia_outer_min")->setText(QStringLiteral("10"));
    find<QLineEdit>("Edit_coildia_outer_max")->setText(QStringLiteral("5"));
    const testsupport::Box diameters = testsupport::expect_box(
        [&] { find<QPushButton>("Serch_Btn")->click(); }, {testsupport::Reply::Accept, under_box});
    EXPECT_EQ(diameters.text, QStringLiteral("コイル内、外径の条件が不適です。検索できません"));
    EXPECT_FALSE(busy);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
