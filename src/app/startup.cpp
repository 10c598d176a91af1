#include "app/startup.h"

#include "app/event_guard.h"
#include "app/main.h"
#include "core/catalogue/unit_system.h"
#include "core/search/conditions.h"
#include "core/strength/spr_mat.h"
#include "ui/cycle_dialog.h"
#include "ui/load_length_chart.h"

#include <QApplication>
#include <QFont>

namespace {

// The layout asks for Windows' Japanese faces; use the IPA fonts in their place.
void register_fonts() {
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"),
                              QStringLiteral("Liberation Serif"));
}

// Module state as at program start, so that a new pair of windows starts afresh.
void reset_module_state() {
    units::reset_state();
    search::reset_conditions();
    spr_mat::reset_current_material();
    springline_pos = {};
}

} // namespace

void create_forms() {
    QCoreApplication::setApplicationName(QString::fromUtf8(app::application_title));
    register_fonts();
    reset_module_state();
    auto* main_form = new TForm_spring;
    main_form->setAttribute(Qt::WA_DeleteOnClose);
    // The dialog lives until the end: it goes when the main window goes.
    auto* cycle_form = new TForm_cycle;
    main_form->setCycleDialog(cycle_form);
    QObject::connect(main_form, &QObject::destroyed, cycle_form, &QObject::deleteLater);
}

void show_main_form() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("Form_spring"))
            w->show();
    }
}
