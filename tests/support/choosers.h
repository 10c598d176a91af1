#pragma once

#include "app/file_chooser.h"

#include <QList>
#include <QString>
#include <gtest/gtest.h>

namespace testsupport {

// Answers the program's save-file and folder questions while it lives, in
// place of the real dialogs, and keeps what was asked. A question with no
// answer left fails the test and is cancelled.
class Choosers {
public:
    Choosers() {
        app::set_save_file_chooser([this](const app::SaveRequest& request) {
            saves.append(request);
            if (save_answers.isEmpty()) {
                ADD_FAILURE() << "unexpected save question: " << request.caption.toStdString();
                return app::SaveChoice{};
            }
            const SaveAnswer answer = save_answers.takeFirst();
            EXPECT_LT(answer.filter, request.filters.size()) << "no such filter offered";
            return app::SaveChoice{answer.path, request.filters.value(answer.filter)};
        });
        app::set_folder_chooser([this](QWidget*, const QString& caption, const QString& start) {
            folders.append(start);
            if (folder_answers.isEmpty()) {
                ADD_FAILURE() << "unexpected folder question: " << caption.toStdString();
                return QString();
            }
            return folder_answers.takeFirst();
        });
    }
    ~Choosers() {
        app::set_save_file_chooser(nullptr);
        app::set_folder_chooser(nullptr);
    }
    Choosers(const Choosers&) = delete;
    Choosers& operator=(const Choosers&) = delete;

    // The next save question is answered with `path` and the filter at
    // `filter` of those offered (an empty path: cancelled).
    void answerSave(const QString& path, int filter = 0) { save_answers.append({path, filter}); }
    void answerFolder(const QString& path) { folder_answers.append(path); }

    QList<app::SaveRequest> saves; // the save questions asked, in order
    QStringList folders;           // the start folder of each folder question

private:
    struct SaveAnswer {
        QString path;
        int filter;
    };
    QList<SaveAnswer> save_answers;
    QStringList folder_answers;
};

} // namespace testsupport
