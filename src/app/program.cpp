#include "app/startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    create_forms();
    show_main_form();
    return app.exec();
}
