// The service-life dialog driven as a user drives it: keystrokes into the
// entries, clicks on the radio items, OK, Enter, Esc and the close box, with
// the dialog shown modally by exec().
#include "ui/cycle_dialog.h"

#include <QApplication>
#include <QFont>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

const QString kEdits[] = {"Edit_pt", "Edit_kai", "Edit_kadou", "Edit_time", "Edit_tayou"};

class CycleDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    }

    void SetUp() override { dialog = std::make_unique<TForm_cycle>(); }

    QLineEdit* edit(const QString& name) const {
        auto* e = dialog->findChild<QLineEdit*>(name);
        EXPECT_NE(e, nullptr) << name.toStdString();
        return e;
    }
    QPushButton* button(const QString& name) const {
        auto* b = dialog->findChild<QPushButton*>(name);
        EXPECT_NE(b, nullptr) << name.toStdString();
        return b;
    }
    QPushButton* ok() const { return button("BitBtn_ok"); }
    QRadioButton* item(const QString& caption) const {
        const auto* group = dialog->findChild<QGroupBox*>("RadioGroup_taisei");
        for (auto* r : group->findChildren<QRadioButton*>())
            if (r->text() == caption)
                return r;
        ADD_FAILURE() << "no item " << caption.toStdString();
        return nullptr;
    }

    static void key(QWidget* target, int code, const QString& text = QString()) {
        QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
        QApplication::sendEvent(target, &release);
    }
    // Types at the cursor, one keystroke per character.
    static void type(QLineEdit* target, const QString& text) {
        for (QChar ch : text)
            key(target, ch.toUpper().unicode(), QString(ch));
    }
    // Replaces the text the way a user does: select all, type over it.
    static void retype(QLineEdit* target, const QString& text) {
        target->selectAll();
        if (text.isEmpty())
            key(target, Qt::Key_Delete);
        else
            type(target, text);
    }
    static void backspace(QLineEdit* target) { key(target, Qt::Key_Backspace); }

    // Runs exec() and `inside` while the dialog is in its modal loop. A
    // dialog still open after five seconds is ended with -1, so that a
    // keystroke that fails to close it shows up as a result, not as a hang.
    int exec_with(const std::function<void()>& inside) {
        QObject guard;
        QTimer::singleShot(0, &guard, [&] {
            EXPECT_TRUE(dialog->isVisible());
            inside();
        });
        QTimer::singleShot(5000, &guard, [&] {
            if (dialog->isVisible())
                dialog->done(-1);
        });
        return dialog->exec();
    }

    std::unique_ptr<TForm_cycle> dialog;
};

TEST_F(CycleDialog, LayoutAtStart) {
    dialog->show();
    QApplication::processEvents();
    EXPECT_EQ(dialog->objectName(), "Form_cycle");
    EXPECT_EQ(dialog->windowTitle(), "寿命回数計算");
    // The least size; wider where the fonts need room for the three working-day items.
    EXPECT_GE(dialog->width(), 209);
    EXPECT_GE(dialog->height(), 266);
    EXPECT_LE(dialog->width(), 260);
    EXPECT_EQ(dialog->font().family(), "ＭＳ Ｐゴシック");
    EXPECT_EQ(dialog->font().pixelSize(), 12);

    const auto* group = dialog->findChild<QGroupBox*>("GroupBox_cycleparameter");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), "繰返し条件");
    EXPECT_GE(group->height(), 200);

    const std::pair<const char*, const char*> labels[] = {
        {"Label_pt", "ピッチタイム(sec)"},
        {"Label_kai", "1サイクル動作回数 (回/cycle)"},
        {"Label_kadou", "稼働率 (%)"},
        {"Label_time", "稼働時間(分)"},
        {"Label_taiou", "耐用年数(年)"}};
    for (const auto& [name, caption] : labels) {
        const auto* label = group->findChild<QLabel*>(name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), QString::fromUtf8(caption));
    }
    EXPECT_TRUE(group->findChild<QLabel*>("Label_kai")->wordWrap());

    const std::pair<const char*, const char*> defaults[] = {{"Edit_pt", "0.2"},
                                                            {"Edit_kai", "1"},
                                                            {"Edit_kadou", "80"},
                                                            {"Edit_time", "480"},
                                                            {"Edit_tayou", "5"}};
    for (const auto& [name, text] : defaults)
        EXPECT_EQ(edit(name)->text(), text) << name;

    const auto* radio = group->findChild<QGroupBox*>("RadioGroup_taisei");
    ASSERT_NE(radio, nullptr);
    EXPECT_EQ(radio->title(), "勤務体制");
    const auto items = radio->findChildren<QRadioButton*>();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text(), "20日/月");
    EXPECT_EQ(items[1]->text(), "25日/月");
    EXPECT_EQ(items[2]->text(), "30日/月");
    EXPECT_TRUE(items[0]->isChecked());

    EXPECT_EQ(ok()->size(), QSize(105, 25));
    EXPECT_EQ(button("BitBtn_cancel")->size(), QSize(89, 25));
    EXPECT_EQ(button("BitBtn_cancel")->text(), "キャンセル");
    EXPECT_LT(ok()->x(), button("BitBtn_cancel")->x());
    EXPECT_GT(ok()->y(), group->geometry().bottom());

    const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((dialog->frameGeometry().center() - centre).manhattanLength(), 2);
    dialog->hide();
}

TEST_F(CycleDialog, NothingFitsBadly) {
    dialog->show();
    QApplication::processEvents();
    // A caption that needs more room than its control gets is cut off.
    for (const auto* label : dialog->findChildren<QLabel*>()) {
        if (label->wordWrap())
            EXPECT_GE(label->height(), label->heightForWidth(label->width()))
                << label->objectName().toStdString();
        else
            EXPECT_GE(label->width(), label->sizeHint().width())
                << label->objectName().toStdString();
    }
    // A radio item needs its indicator, the gap and its text; its size hint
    // adds room for the focus frame, which the narrow dialog cannot spare.
    for (auto* r : dialog->findChildren<QRadioButton*>()) {
        const int needed = r->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, r) +
                           r->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, r) +
                           r->fontMetrics().horizontalAdvance(r->text());
        EXPECT_GE(r->width(), needed) << r->text().toStdString();
    }
    dialog->grab().save("/tmp/cycle.png");
    // The two-line caption really takes two lines.
    const auto* kai = dialog->findChild<QLabel*>("Label_kai");
    EXPECT_GE(kai->height(), 2 * kai->fontMetrics().height());
    // The longest result caption fits the OK button.
    ok()->setIcon(QIcon());
    ok()->setText("寿命-8.88E+88回");
#if defined(_WIN32)
    // Qt's FreeType engine hints fully on Windows where fontconfig hints
    // lightly: a text may come out a pixel wider, inside the button's margin.
    EXPECT_GE(ok()->width() + 1, ok()->sizeHint().width());
#else
    EXPECT_GE(ok()->width(), ok()->sizeHint().width());
#endif
    // Siblings do not overlap, and everything lies inside the window.
    const QList<QWidget*> widgets = dialog->findChildren<QWidget*>();
    for (const QWidget* a : widgets) {
        if (!a->isVisible())
            continue;
        EXPECT_TRUE(a->parentWidget()->rect().contains(a->geometry()))
            << a->objectName().toStdString();
        for (const QWidget* b : widgets) {
            if (a != b && b->isVisible() && a->parentWidget() == b->parentWidget()) {
                EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                    << a->objectName().toStdString() << " / " << b->objectName().toStdString();
            }
        }
    }
    dialog->grab().save("/tmp/cycle_result.png");
    dialog->hide();
}

TEST_F(CycleDialog, FirstShowingComputesNothing) {
    const int result = exec_with([&] {
        EXPECT_FALSE(ok()->isEnabled());
        EXPECT_EQ(ok()->text(), "OK");
        EXPECT_TRUE(cycle::cycle_result.empty());
        // No button is the default before there is a result.
        EXPECT_FALSE(ok()->isDefault());
        EXPECT_FALSE(button("BitBtn_cancel")->isDefault());
        // Enter with OK disabled does not accept, nor does it cancel.
        key(edit("Edit_pt"), Qt::Key_Return);
        EXPECT_TRUE(dialog->isVisible());
        key(edit("Edit_pt"), Qt::Key_Escape);
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_FALSE(ok()->isEnabled());
}

TEST_F(CycleDialog, TypingAndDeletingComputesTheDefaults) {
    for (const QString& name : kEdits) {
        SetUp();
        QLineEdit* e = edit(name);
        type(e, "x");
        EXPECT_FALSE(ok()->isEnabled()) << name.toStdString();
        EXPECT_EQ(ok()->text(), "OK");
        backspace(e);
        EXPECT_TRUE(ok()->isEnabled()) << name.toStdString();
        EXPECT_EQ(ok()->text(), "寿命1.38E+08回");
        EXPECT_EQ(cycle::cycle_result, "1.38E+08");
    }
}

TEST_F(CycleDialog, EntriesAndWorkingDays) {
    retype(edit("Edit_pt"), "0.1");
    EXPECT_EQ(ok()->text(), "寿命2.76E+08回");
    retype(edit("Edit_pt"), " 0.2 "); // blanks around a number are allowed
    EXPECT_EQ(ok()->text(), "寿命1.38E+08回");

    item("30日/月")->click();
    EXPECT_EQ(ok()->text(), "寿命2.07E+08回");
    EXPECT_EQ(cycle::cycle_result, "2.07E+08");
    item("25日/月")->click();
    EXPECT_EQ(cycle::cycle_result, "1.73E+08"); // 172,800,000

    retype(edit("Edit_kai"), "2");
    retype(edit("Edit_tayou"), "1E1");
    retype(edit("Edit_time"), "960");
    EXPECT_EQ(cycle::cycle_result, "1.38E+09"); // 960·60·0.8/0.2·2·25·12·10
    retype(edit("Edit_kadou"), "-50");
    EXPECT_EQ(cycle::cycle_result, "-8.64E+08"); // no range checks
    EXPECT_TRUE(ok()->isEnabled());
}

TEST_F(CycleDialog, AProgramChangeCountsAsAChange) {
    edit("Edit_time")->setText("240");
    EXPECT_EQ(cycle::cycle_result, "6.91E+07");
    item("30日/月")->setChecked(true);
    EXPECT_EQ(cycle::cycle_result, "1.04E+08");
}

// Entries that give no count show no count: never the figure of other entries.
TEST_F(CycleDialog, AFailureShowsNoResultButKeepsTheLastOne) {
    retype(edit("Edit_pt"), "0.1");
    ASSERT_EQ(ok()->text(), "寿命2.76E+08回");

    // Set in one go: typed key by key, "0.1.2" would pass through "0.1".
    for (const QString bad : {"0", "0.0", "-0", "", "abc", "0.1.2", "1,5"}) {
        edit("Edit_pt")->setText(bad);
        EXPECT_FALSE(ok()->isEnabled()) << bad.toStdString();
        EXPECT_EQ(ok()->text(), "OK") << bad.toStdString();
        EXPECT_EQ(cycle::cycle_result, "2.76E+08") << bad.toStdString();
    }
    retype(edit("Edit_pt"), "0.2");
    EXPECT_TRUE(ok()->isEnabled());
    EXPECT_EQ(ok()->text(), "寿命1.38E+08回");

    // An emptied entry fails until it is filled again.
    retype(edit("Edit_tayou"), "");
    EXPECT_FALSE(ok()->isEnabled());
    type(edit("Edit_tayou"), "10");
    EXPECT_TRUE(ok()->isEnabled());
    EXPECT_EQ(cycle::cycle_result, "2.76E+08");

    // A result too large for a double is an overflow, not an infinity.
    edit("Edit_kai")->setText("1E308");
    EXPECT_FALSE(ok()->isEnabled());
    EXPECT_EQ(cycle::cycle_result, "2.76E+08");
    // The radio group cannot repair a failing entry.
    item("30日/月")->click();
    EXPECT_FALSE(ok()->isEnabled());
    EXPECT_EQ(cycle::cycle_result, "2.76E+08");
}

TEST_F(CycleDialog, ZeroUtilisationGivesZero) {
    retype(edit("Edit_kadou"), "0");
    EXPECT_TRUE(ok()->isEnabled());
    EXPECT_EQ(ok()->text(), "寿命0.00E+00回");
    EXPECT_EQ(cycle::cycle_result, "0.00E+00");
}

TEST_F(CycleDialog, HowTheDialogCloses) {
    // Enter takes the result once there is one.
    EXPECT_EQ(exec_with([&] {
                  type(edit("Edit_pt"), "5"); // 0.25
                  ASSERT_TRUE(ok()->isEnabled());
                  EXPECT_TRUE(ok()->isDefault());
                  key(edit("Edit_pt"), Qt::Key_Return);
              }),
              QDialog::Accepted);
    EXPECT_EQ(cycle::cycle_result, "1.11E+08");

    EXPECT_EQ(exec_with([&] { ok()->click(); }), QDialog::Accepted);
    EXPECT_EQ(exec_with([&] { button("BitBtn_cancel")->click(); }), QDialog::Rejected);
    EXPECT_EQ(exec_with([&] { key(edit("Edit_kai"), Qt::Key_Escape); }), QDialog::Rejected);
    EXPECT_EQ(exec_with([&] { dialog->close(); }), QDialog::Rejected);

    // After a failure neither Enter nor a click on OK closes it.
    EXPECT_EQ(exec_with([&] {
                  retype(edit("Edit_pt"), "0");
                  key(edit("Edit_pt"), Qt::Key_Return);
                  ok()->click();
                  EXPECT_TRUE(dialog->isVisible());
                  dialog->close();
              }),
              QDialog::Rejected);
}

TEST_F(CycleDialog, StatePersistsBetweenShowings) {
    EXPECT_EQ(exec_with([&] {
                  retype(edit("Edit_pt"), "0.1");
                  item("30日/月")->click();
                  ok()->click();
              }),
              QDialog::Accepted);
    EXPECT_EQ(cycle::cycle_result, "4.15E+08");

    // Shown again: same entries, same button, no recomputation on opening.
    EXPECT_EQ(exec_with([&] {
                  EXPECT_EQ(edit("Edit_pt")->text(), "0.1");
                  EXPECT_TRUE(item("30日/月")->isChecked());
                  EXPECT_TRUE(ok()->isEnabled());
                  EXPECT_EQ(ok()->text(), "寿命4.15E+08回");
                  retype(edit("Edit_time"), "");
                  button("BitBtn_cancel")->click();
              }),
              QDialog::Rejected);

    // A failure left behind at Cancel is still there at the next showing.
    EXPECT_EQ(exec_with([&] {
                  EXPECT_FALSE(ok()->isEnabled());
                  EXPECT_EQ(ok()->text(), "OK");
                  key(edit("Edit_time"), Qt::Key_Return);
                  EXPECT_TRUE(dialog->isVisible());
                  type(edit("Edit_time"), "480");
                  key(edit("Edit_time"), Qt::Key_Return);
              }),
              QDialog::Accepted);
    EXPECT_EQ(cycle::cycle_result, "4.15E+08");
}

TEST_F(CycleDialog, ANewDialogStartsWithoutAResult) {
    type(edit("Edit_pt"), "5");
    ASSERT_FALSE(cycle::cycle_result.empty());
    dialog = std::make_unique<TForm_cycle>();
    EXPECT_TRUE(cycle::cycle_result.empty());
    EXPECT_FALSE(ok()->isEnabled());
    EXPECT_EQ(ok()->text(), "OK");
}

} // namespace
