// The checks of one spring as the designer reads them: a line per check (what is
// checked, value, limit, margin, verdict, reason), the assumptions they rest on and
// the load band at each searched length, in the unit system of the last search.
// The window's verdict list, the grid's verdict columns and the datasheet all show
// these texts, so they read the same everywhere.
#pragma once

#include "core/catalogue/unit_system.h"
#include "core/strength/listed_verdicts.h"
#include "core/strength/spring_check_list.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace session {
class SearchSession;
}

namespace ui {

// The display unit system: newtons and MPa times `factor` give its force and
// stress units.
struct DisplayUnits {
    double factor = 1.0;
    QString force_unit = QStringLiteral("N");
    QString stress_unit = QStringLiteral("MPa");
    int force_decimals = 2;
    int stress_decimals = 0;
};

// The display units of a unit-system state, its stress unit written with its superscript.
DisplayUnits display_units(const units::UnitSystemState& state);

struct VerdictLine {
    QString check; // what is checked and where: "静的応力 (30 mm)"
    QString value, limit, margin;
    QString verdict; // "合格", "注意", "不可", or "—" for a check that could not be made
    QString reason;
    std::optional<spring_checks::Verdict> level; // none for a check that could not be made
};

// A quantity the checks took, as a row of the list: "平均径 Dm", "11.20 mm".
struct AssumedValue {
    QString name;
    QString value;
};

struct VerdictReport {
    spring_checks::Verdict overall = spring_checks::Verdict::Ok; // as summarise() reads it
    QString reason;                    // why, as summary_reason() gives it
    std::vector<VerdictLine> lines;    // the checks made, then the ones that could not be
    std::vector<AssumedValue> assumed; // what the checks took of the spring and its grade
    QStringList assumptions;           // seating and ends (compression), loading, load tolerance
    QStringList load_bands;            // "30時荷重 16.79 – 20.53 N (±10 %)"
};

// The seatings of the buckling check as the designer chooses them, with their
// coefficients, in the order the check conditions list them.
struct Seating {
    double nu;
    QString text; // "両端固定 (ν=0.5)"
};
const std::vector<Seating>& seatings();

QString verdict_word(spring_checks::Verdict verdict);  // "合格", "注意", "不可"
QColor verdict_colour(spring_checks::Verdict verdict); // green, amber, red

// The reason of a summary, for the grid's 理由 column: empty for a spring that passed
// every check, marked when it is that of a check that could not be made. A reason
// that names numbers (the coil counts) takes them from `verdict`, the spring's whole
// verdict, which the caller works out only when summary_needs_verdict says so.
QString summary_reason(const spring_checks::Summary& summary,
                       const spring_checks::SpringVerdict* verdict = nullptr);
bool summary_needs_verdict(const spring_checks::Summary& summary);

VerdictReport verdict_report(const spring_checks::SpringVerdict& verdict,
                             const spring_checks::CheckConditions& conditions,
                             const DisplayUnits& units);
// The session's verdict of the selected spring, in the units of its search; none without one.
std::optional<VerdictReport> selected_report(const session::SearchSession& session);

} // namespace ui
