#include "app/file_chooser.h"

#include <QFileDialog>

namespace app {
namespace {

SaveFileChooser& save_file_chooser() {
    static SaveFileChooser chooser;
    return chooser;
}

FolderChooser& folder_chooser() {
    static FolderChooser chooser;
    return chooser;
}

} // namespace

void set_save_file_chooser(SaveFileChooser chooser) {
    save_file_chooser() = std::move(chooser);
}

void set_folder_chooser(FolderChooser chooser) {
    folder_chooser() = std::move(chooser);
}

SaveChoice choose_save_file(const SaveRequest& request) {
    if (save_file_chooser())
        return save_file_chooser()(request);
    SaveChoice choice;
    choice.filter = request.filters.value(0);
    choice.path = QFileDialog::getSaveFileName(request.parent, request.caption, request.start,
                                               request.filters.join(QStringLiteral(";;")),
                                               &choice.filter, QFileDialog::DontConfirmOverwrite);
    return choice;
}

QString choose_folder(QWidget* parent, const QString& caption, const QString& start) {
    if (folder_chooser())
        return folder_chooser()(parent, caption, start);
    return QFileDialog::getExistingDirectory(parent, caption, start);
}

} // namespace app
