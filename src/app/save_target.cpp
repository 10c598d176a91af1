#include "app/save_target.h"

#include "app/event_guard.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

namespace app {
namespace {

bool same_file(const QFileInfo& a, const QFileInfo& b) {
    return a.exists() && b.exists() && a.canonicalFilePath() == b.canonicalFilePath();
}

// The question Qt's own save dialog asks, in its own words, so that it reads
// the same as before the dialog stopped asking it.
bool may_replace(const SaveRequest& request, const QString& path) {
    const QFileInfo target(path);
    if (!target.exists() && !target.isSymLink())
        return true;
    const QString question =
        QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?")
            .arg(target.fileName());
    QMessageBox box(QMessageBox::Warning, request.caption, question,
                    QMessageBox::Yes | QMessageBox::No, request.parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace

QString refused_save_target(const QString& path) {
    const QFileInfo target(path);
    for (const char* name : {"spring_data.xml", "spring_maker.xml"}) {
        const QFileInfo data(QDir::current().filePath(QString::fromLatin1(name)));
        const bool same_name = target.absoluteFilePath() == data.absoluteFilePath();
        if (same_name || same_file(target, data))
            return QStringLiteral("%1 はカタログのファイルです。上書きできません。")
                .arg(QString::fromLatin1(name));
    }
    return {};
}

SaveChoice ask_save_target(const SaveRequest& request, const CompletePath& complete) {
    SaveChoice choice = choose_save_file(request);
    if (choice.path.isEmpty())
        return {};
    choice.path = complete(choice);
    if (const QString refusal = refused_save_target(choice.path); !refusal.isEmpty()) {
        show_message(request.parent, QMessageBox::Warning,
                     QStringLiteral("%1 に保存できません。%2")
                         .arg(QDir::toNativeSeparators(choice.path), refusal));
        return {};
    }
    if (!may_replace(request, choice.path))
        return {};
    return choice;
}

} // namespace app
