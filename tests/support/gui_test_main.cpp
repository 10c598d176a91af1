// Entry point of the GUI test programs: one QApplication on the offscreen
// platform for the whole run, with a fixed locale so number texts never vary,
// and a watchdog that fails a test whose dialog nobody answers.
#include "support/boxes.h"

#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const testsupport::DialogWatchdog watchdog;
    return RUN_ALL_TESTS();
}
