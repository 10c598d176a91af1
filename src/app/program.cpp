#include "app/japanese_qt_texts.h"
#include "app/startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app::install_japanese_qt_texts();
    create_forms();
    show_main_form();
    return app.exec();
}
