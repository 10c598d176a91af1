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
#include <QFontDatabase>

namespace {

// Where the system lacks `family`, the first of `stand_ins` it has takes its
// place (the last one when it has none of them).
void substitute_where_missing(const QString& family, const QStringList& stand_ins) {
    if (QFontDatabase::hasFamily(family))
        return;
    for (const QString& stand_in : stand_ins) {
        if (QFontDatabase::hasFamily(stand_in) || &stand_in == &stand_ins.back()) {
            QFont::insertSubstitution(family, stand_in);
            return;
        }
    }
}

// The layout asks for Windows' Japanese faces. A Windows that has them (under
// their Japanese or their English names) draws with its own; elsewhere the
// IPA fonts stand in.
void register_fonts() {
    substitute_where_missing(QStringLiteral("ＭＳ Ｐゴシック"),
                             {QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic")});
    substitute_where_missing(QStringLiteral("ＭＳ Ｐ明朝"),
                             {QStringLiteral("MS PMincho"), QStringLiteral("IPAPMincho")});
    substitute_where_missing(QStringLiteral("Times New Roman"),
                             {QStringLiteral("Liberation Serif")});
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
