#pragma once

#include <QObject>
#include <QString>

class QAction;
class QWidget;

namespace app {

// The folder whose spring_data.xml and spring_maker.xml the searches read.
// Choosing one makes it the working directory, so every later search opens
// the two files by their bare names from there. Nothing is kept: each start
// of the program begins in the directory it was started from.
class CatalogueFolder : public QObject {
    Q_OBJECT
public:
    explicit CatalogueFolder(QWidget* window);

    QAction* chooseAction() const { return choose_; }

    // Asks for a folder and moves there; a refusal is shown in a message box.
    void choose();
    // Moves to folder; the reason when it is refused, else empty.
    static QString use(const QString& folder);

signals:
    void changed(const QString& folder);

private:
    QWidget* window_;
    QAction* choose_;
};

} // namespace app
