// The helper that answers the program's dialogs: boxes opened from inside an
// answer are answered too, a dialog that will not close fails the test
// instead of hanging it, and a missing box is reported.
#include "support/boxes.h"

#include <QCoreApplication>
#include <QDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <gmock/gmock.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace testsupport;
using ::testing::HasSubstr;

namespace {

// A dialog that asks a question before it closes, as a save dialog asks
// whether to replace a file.
class Asking : public QDialog {
public:
    void accept() override {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Replace"), QStringLiteral("Sure?"),
                        QMessageBox::Yes | QMessageBox::No);
        answer = box.exec();
        QDialog::accept();
    }
    int answer = 0;
};

// A dialog whose OK does not close it.
class Stubborn : public QDialog {
public:
    Stubborn() { setWindowTitle(QStringLiteral("Stubborn")); }
    void accept() override {}
};

// The failures `body` reports, kept from the test itself.
std::vector<std::string> failures_of(const std::function<void()>& body) {
    ::testing::TestPartResultArray results;
    {
        ::testing::ScopedFakeTestPartResultReporter reporter(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
        body();
    }
    std::vector<std::string> messages;
    for (int i = 0; i < results.size(); ++i)
        messages.push_back(results.GetTestPartResult(i).message());
    return messages;
}

} // namespace

TEST(AnswerBoxes, ABoxOpenedWhileADialogIsAnsweredIsAnsweredInTurn) {
    Asking dialog;
    int result = 0;
    const QList<Box> boxes = answer_boxes([&] { result = dialog.exec(); });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(dialog.answer, QMessageBox::Yes); // accepting a box clicks its Yes
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].title, QStringLiteral("Replace"));
    EXPECT_EQ(boxes[0].icon, QMessageBox::Question);

    answer_boxes([&] { result = dialog.exec(); }, {Reply::Reject, {}});
    EXPECT_EQ(result, QDialog::Rejected);
}

TEST(AnswerBoxes, ADialogLeftOpenFailsTheTestWithItsTitleInsteadOfHanging) {
    Stubborn dialog;
    int result = 0;
    const DialogWatchdog impatient(100);
    const auto failures = failures_of([&] { answer_boxes([&] { result = dialog.exec(); }); });
    EXPECT_EQ(result, -1);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_THAT(failures[0], HasSubstr("left unanswered: Stubborn"));
}

TEST(AnswerBoxes, AnExpectedBoxThatNeverShowedAndAnUnexpectedOneBothFail) {
    const auto missing = failures_of([] { expect_box([] {}); });
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_THAT(missing[0], HasSubstr("expected one message box, 0 showed"));

    const auto unexpected = failures_of([] {
        expect_no_box([] {
            QMessageBox box(QMessageBox::Warning, QStringLiteral("T"), QStringLiteral("said"));
            box.exec();
        });
    });
    ASSERT_EQ(unexpected.size(), 1u);
    EXPECT_THAT(unexpected[0], HasSubstr("[T] said"));
}

// A progress dialog is the program's own report of work: it is neither closed
// nor taken for a message box.
TEST(AnswerBoxes, AProgressDialogIsLeftToItsWork) {
    QProgressDialog progress(QStringLiteral("reading"), QStringLiteral("stop"), 0, 100);
    bool seen = false;
    const QList<Box> boxes = answer_boxes(
        [&] {
            progress.show();
            QCoreApplication::processEvents();
            EXPECT_TRUE(progress.isVisible());
            EXPECT_FALSE(progress.wasCanceled());
        },
        {Reply::Reject, [&](QDialog*) { seen = true; }});
    EXPECT_TRUE(seen);
    EXPECT_TRUE(boxes.isEmpty());
}
