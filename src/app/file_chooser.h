#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace app {

// What the program asks when it needs a path to write to.
struct SaveRequest {
    QWidget* parent = nullptr;
    QString caption;
    QString start;       // the proposed path
    QStringList filters; // name filters; the first is proposed
};

// The answer: an empty path means cancelled; `filter` is one of the offered filters.
struct SaveChoice {
    QString path;
    QString filter;
};

using SaveFileChooser = std::function<SaveChoice(const SaveRequest&)>;
using FolderChooser =
    std::function<QString(QWidget* parent, const QString& caption, const QString& start)>;

// Every save-file and folder question of the program goes through these two
// choosers, so that tests can answer them without a dialog. A null function
// restores the platform's dialogs.
void set_save_file_chooser(SaveFileChooser chooser);
void set_folder_chooser(FolderChooser chooser);

// Asks through the installed chooser. The real dialog does not ask whether
// to replace an existing file: the caller decides first whether the path may
// be written at all (see save_target.h).
SaveChoice choose_save_file(const SaveRequest& request);
// An empty result means cancelled.
QString choose_folder(QWidget* parent, const QString& caption, const QString& start);

} // namespace app
