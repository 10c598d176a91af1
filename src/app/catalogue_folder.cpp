#include "app/catalogue_folder.h"

#include "app/event_guard.h"
#include "app/file_chooser.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>
#include <QWidget>

namespace app {

CatalogueFolder::CatalogueFolder(QWidget* window)
    : QObject(window), window_(window),
      choose_(new QAction(QStringLiteral("カタログの場所(&L)..."), this)) {
    choose_->setObjectName(QStringLiteral("Action_cataloguefolder"));
    connect(choose_, &QAction::triggered, this, [this] { guarded([this] { choose(); }); });
}

QString CatalogueFolder::use(const QString& folder) {
    const QDir dir(folder);
    QStringList missing;
    for (const char* name : {"spring_data.xml", "spring_maker.xml"}) {
        if (!QFileInfo(dir.filePath(QString::fromLatin1(name))).isFile())
            missing << QString::fromLatin1(name);
    }
    if (!missing.isEmpty())
        return QStringLiteral("%1 に %2 がありません。カタログの場所は変わりません。")
            .arg(QDir::toNativeSeparators(dir.absolutePath()),
                 missing.join(QStringLiteral(" と ")));
    if (!QDir::setCurrent(dir.absolutePath()))
        return QStringLiteral("%1 に移れません。カタログの場所は変わりません。")
            .arg(QDir::toNativeSeparators(dir.absolutePath()));
    return {};
}

void CatalogueFolder::choose() {
    const QString folder =
        choose_folder(window_, QStringLiteral("カタログの場所"), QDir::currentPath());
    if (folder.isEmpty())
        return;
    if (const QString refusal = use(folder); !refusal.isEmpty()) {
        show_message(window_, QMessageBox::Warning, refusal);
        return;
    }
    emit changed(QDir::currentPath());
}

} // namespace app
