#include "ui/verdict_report.h"

#include "core/catalogue/number_format.h"
#include "core/session/search_session.h"
#include "core/strength/check_reasons.h"
#include "core/strength/coil_consistency.h"
#include "ui/check_reason_texts.h"
#include "ui/qt_text.h"

#include <QCoreApplication>

#include <cmath>

namespace ui {

using spring_checks::Check;
using spring_checks::Kind;
using spring_checks::Site;
using spring_checks::Verdict;

namespace {

QString stress_unit_text(const std::string& unit) {
    QString text = qtext(unit);
    return text.replace(QStringLiteral("^2"), QStringLiteral("²"));
}

QString number(double v, int decimals) {
    return QString::fromStdString(numfmt::fixed15(v, decimals));
}

// A length as the designer typed or reads it: "30", "12.5".
QString length(double mm) {
    return QString::fromStdString(numfmt::general15(mm));
}

QString mm(double v) {
    return number(v, 2) + QStringLiteral(" mm");
}

QString percent(double fraction) {
    return number(fraction * 100, 0) + QStringLiteral(" %");
}

// A tolerance as the designer stated it: "10 %", "2.5 %".
QString tolerance_percent(double fraction) {
    return QString::fromStdString(numfmt::general15(fraction * 100)) + QStringLiteral(" %");
}

QString kind_name(Kind kind) {
    switch (kind) {
    case Kind::Coils:
        return QCoreApplication::translate("verdict", "カタログ値の整合");
    case Kind::StaticStress:
        return QCoreApplication::translate("verdict", "静的応力比 τ0/τa");
    case Kind::MinimumLength:
        return QCoreApplication::translate("verdict", "最小使用長さ");
    case Kind::Buckling:
        return QCoreApplication::translate("verdict", "座屈");
    case Kind::SolidStress:
        return QCoreApplication::translate("verdict", "密着時応力");
    case Kind::Fatigue:
        return QCoreApplication::translate("verdict", "疲れ強さ τmax/σB");
    case Kind::InitialStress:
        return QCoreApplication::translate("verdict", "初応力");
    case Kind::NaturalFrequency:
        return QCoreApplication::translate("verdict", "固有振動数");
    case Kind::LoadBand:
        return QCoreApplication::translate("verdict", "荷重公差");
    case Kind::Fit:
        return QCoreApplication::translate("verdict", "コイル径の公差");
    }
    return {};
}

// Where a check was made; `at` is the length for the sites at a length.
QString site_text(Site site, double at, bool has_length) {
    switch (site) {
    case Site::Spring:
        return {};
    case Site::Length1:
    case Site::Length2:
        return has_length ? QStringLiteral(" (%1 mm)").arg(length(at)) : QString();
    case Site::RangeShorter:
        return has_length ? QCoreApplication::translate("verdict", " (動作範囲 短い側 %1 mm)")
                                .arg(number(at, 2))
                          : QCoreApplication::translate("verdict", " (動作範囲 短い側)");
    case Site::RangeLonger:
        return has_length ? QCoreApplication::translate("verdict", " (動作範囲 長い側 %1 mm)")
                                .arg(number(at, 2))
                          : QCoreApplication::translate("verdict", " (動作範囲 長い側)");
    case Site::CatalogueLmax:
        return has_length ? QCoreApplication::translate("verdict", " (カタログ最大長 %1 mm)")
                                .arg(length(at))
                          : QCoreApplication::translate("verdict", " (カタログ最大長)");
    case Site::Bore:
        return QCoreApplication::translate("verdict", " (外径と穴)");
    case Site::Rod:
        return QCoreApplication::translate("verdict", " (内径と軸)");
    }
    return {};
}

// A coil count as the catalogue gives it: "22", "15.5".
QString coils(double n) {
    return QString::fromStdString(numfmt::general15(n));
}

// Why the catalogue's coil counts cannot both be true, naming them: "カタログ値の不整合:
// ばね定数からの有効巻数 29.35 > 総巻数 22".
QString inconsistent_coils(const Check& c, spring_checks::SpringKind kind) {
    const bool compression = kind == spring_checks::SpringKind::Compression;
    const spring_checks::CoilRange range = spring_checks::plausible_active_coils(compression, c.at);
    const bool above = c.value > range.high;
    QString bound = coils(c.at);
    if (above && !compression)
        bound += QStringLiteral(" + 1");
    else if (!above)
        bound += compression ? QStringLiteral(" − 3") : QStringLiteral(" − 1");
    return QCoreApplication::translate("verdict", "%1: ばね定数からの有効巻数 %2 %3 総巻数 %4")
        .arg(reason_text(spring_checks::text::kCoilsInconsistent), number(c.value, 2),
             above ? QStringLiteral(">") : QStringLiteral("<"), bound);
}

QString hertz(double f) {
    return QString::number(f, 'g', 4) + QStringLiteral(" Hz");
}

// A reason that names the numbers it rests on, or the check's own text.
QString numbered_reason(const Check& c, spring_checks::SpringKind kind) {
    namespace text = spring_checks::text;
    if (c.reason == text::kCoilsInconsistent)
        return inconsistent_coils(c, kind);
    if (c.reason == text::kResonance)
        return QCoreApplication::translate("verdict", "固有振動数 %1 Hz < %2 × %3: %4")
            .arg(number(c.value, 0), length(spring_checks::kResonanceFactor),
                 hertz(c.limit / spring_checks::kResonanceFactor), reason_text(c.reason));
    if (c.reason == text::kBoreTight)
        return QCoreApplication::translate("verdict", "外径 %1 (公差込み) > 上限 %2")
            .arg(mm(c.value), mm(c.limit));
    if (c.reason == text::kRodTight)
        return QCoreApplication::translate("verdict", "内径 %1 (公差込み) < 下限 %2")
            .arg(mm(c.value), mm(c.limit));
    return reason_text(c.reason);
}

bool numbered(std::string_view reason) {
    namespace text = spring_checks::text;
    for (std::string_view r :
         {text::kCoilsInconsistent, text::kResonance, text::kBoreTight, text::kRodTight}) {
        if (reason == r)
            return true;
    }
    return false;
}

QString grade_text(int grade) {
    return QCoreApplication::translate("verdict", "JIS B 2704 %1級").arg(grade);
}

const Check* find_check(const spring_checks::SpringVerdict& verdict, Kind kind) {
    for (const Check& c : verdict.checks) {
        if (c.kind == kind)
            return &c;
    }
    return nullptr;
}

class Texts {
public:
    Texts(const DisplayUnits& units, const spring_checks::Assumptions& assumed,
          spring_checks::SpringKind kind, std::optional<int> grade)
        : u_(units), a_(assumed), kind_(kind), grade_(grade) {}

    QString force(double newtons) const {
        return number(newtons * u_.factor, u_.force_decimals) + QLatin1Char(' ') + u_.force_unit;
    }
    QString stress(double mpa) const {
        return number(mpa * u_.factor, u_.stress_decimals) + QLatin1Char(' ') + u_.stress_unit;
    }

    VerdictLine line(const Check& c) const {
        VerdictLine l;
        const bool at_length = c.kind != Kind::Fatigue && c.kind != Kind::SolidStress &&
                               c.kind != Kind::InitialStress && c.kind != Kind::NaturalFrequency;
        l.check = kind_name(c.kind) + site_text(c.site, c.at, at_length);
        l.margin = percent(c.margin);
        l.reason = numbered_reason(c, kind_);
        switch (c.kind) {
        case Kind::Coils: {
            const spring_checks::CoilRange range = spring_checks::plausible_active_coils(
                kind_ == spring_checks::SpringKind::Compression, c.at);
            l.check += QCoreApplication::translate("verdict", " (総巻数 %1)").arg(coils(c.at));
            l.value = QStringLiteral("n ") + number(c.value, 2);
            l.limit =
                QStringLiteral("n %1 – %2").arg(coils(std::max(range.low, 0.0)), coils(range.high));
            break;
        }
        case Kind::StaticStress:
            l.value = number(c.value, 2);
            // The ratio's limit as a stress too, beside the allowable-stress curve.
            l.limit = a_.allowable_stress
                          ? QStringLiteral("%1 τa = %2")
                                .arg(length(c.limit), stress(c.limit * *a_.allowable_stress))
                          : number(c.limit, 2);
            break;
        case Kind::MinimumLength:
            l.value = mm(c.value);
            l.limit = QStringLiteral("Ln ") + mm(c.limit);
            break;
        case Kind::Buckling:
            l.value = QCoreApplication::translate("verdict", "たわみ ") + mm(c.value);
            l.limit = std::isinf(c.limit) ? QCoreApplication::translate("verdict", "座屈しない")
                                          : QStringLiteral("sK ") + mm(c.limit);
            if (std::isinf(c.limit))
                l.margin = QStringLiteral("—");
            break;
        case Kind::SolidStress:
            l.check += QCoreApplication::translate("verdict", " (密着長 %1)").arg(mm(c.at));
            l.value = stress(c.value);
            l.limit = QStringLiteral("τa ") + stress(c.limit);
            break;
        case Kind::Fatigue:
            l.check += QStringLiteral(" (τmin/σB %1)").arg(number(c.at, 3));
            l.value = number(c.value, 3);
            l.limit = number(c.limit, 3);
            break;
        case Kind::InitialStress:
            l.value = stress(c.value);
            // The usual range whole; the margin is against its nearer end.
            l.limit = a_.initial_stress
                          ? number(a_.initial_stress->low * u_.factor, u_.stress_decimals) +
                                QStringLiteral(" – ") + stress(a_.initial_stress->high)
                          : stress(c.limit);
            break;
        case Kind::NaturalFrequency:
            l.value = number(c.value, 1) + QStringLiteral(" Hz");
            // Against the duty's frequency once the duty gives one; informative before.
            if (c.limit > 0) {
                l.limit =
                    QStringLiteral("%1 × %2").arg(length(spring_checks::kResonanceFactor),
                                                  hertz(c.limit / spring_checks::kResonanceFactor));
            } else {
                l.limit = l.margin = QStringLiteral("—");
            }
            break;
        case Kind::LoadBand:
            l.value = number(c.value * u_.factor, u_.force_decimals) + QStringLiteral(" – ") +
                      force(c.limit);
            l.limit = grade_ ? grade_text(*grade_) : QStringLiteral("—");
            l.margin = QStringLiteral("±") + tolerance_percent(c.margin);
            break;
        case Kind::Fit:
            l.value = mm(c.value) + QCoreApplication::translate("verdict", " (公差込み)");
            l.limit = (c.site == Site::Bore ? QCoreApplication::translate("verdict", "上限 ")
                                            : QCoreApplication::translate("verdict", "下限 ")) +
                      mm(c.limit);
            break;
        }
        l.verdict = verdict_word(c.verdict);
        l.level = c.verdict;
        return l;
    }

    // What the checks took, each with its value and unit.
    std::vector<AssumedValue> assumed(bool coils_inconsistent) const {
        std::vector<AssumedValue> rows;
        const auto add = [&](const QString& name, const std::optional<double>& v,
                             const auto& text) {
            if (v)
                rows.push_back({name, text(*v)});
        };
        const auto in_stress = [this](double mpa) { return stress(mpa); };
        add(QCoreApplication::translate("verdict", "平均径 Dm"), a_.mean_diameter, [](double v) {
            return mm(v) + QCoreApplication::translate("verdict", " (外径 − 線径)");
        });
        add(QCoreApplication::translate("verdict", "ばね指数"), a_.spring_index,
            [](double v) { return number(v, 2) + QStringLiteral(" (Dm/d)"); });
        add(QCoreApplication::translate("verdict", "有効巻数"), a_.active_coils, [&](double v) {
            QStringList from;
            if (a_.shear_modulus)
                from << QCoreApplication::translate("verdict", "k と G = %1 から")
                            .arg(stress(*a_.shear_modulus));
            if (coils_inconsistent)
                from << QCoreApplication::translate("verdict", "総巻数と不整合");
            return from.isEmpty()
                       ? number(v, 2)
                       : number(v, 2) +
                             QStringLiteral(" (%1)").arg(from.join(QCoreApplication::translate(
                                 "verdict", "、", "between the sources of a value")));
        });
        add(QCoreApplication::translate("verdict", "総巻数"), a_.total_coils, [](double v) {
            return coils(v) + QCoreApplication::translate("verdict", " (カタログ)");
        });
        add(QCoreApplication::translate("verdict", "横弾性係数 G"), a_.shear_modulus, in_stress);
        add(QCoreApplication::translate("verdict", "縦弾性係数 E"), a_.youngs_modulus, in_stress);
        add(QCoreApplication::translate("verdict", "引張強さ σB"), a_.tensile_strength, in_stress);
        add(QCoreApplication::translate("verdict", "許容応力 τa"), a_.allowable_stress, in_stress);
        add(QCoreApplication::translate("verdict", "応力修正係数"), a_.stress_correction,
            [](double v) {
                return number(v, 3) +
                       QCoreApplication::translate("verdict", " (参考、疲れ強さに使用)");
            });
        add(QCoreApplication::translate("verdict", "加振周波数 f"), a_.excitation_frequency,
            [](double v) {
                return hertz(v) + QCoreApplication::translate(
                                      "verdict", " (1サイクル動作回数 ÷ ピッチタイム)");
            });
        if (a_.excitation_frequency)
            rows.push_back({QCoreApplication::translate("verdict", "共振の係数"),
                            QCoreApplication::translate("verdict", "%1 (固有振動数 ≥ %1 f)")
                                .arg(length(spring_checks::kResonanceFactor))});
        return rows;
    }

    // "30時荷重 16.79 – 20.53 N (±10 %)", the grade named where it gives the band.
    QString band(const Check& c) const {
        QString tolerance = QStringLiteral("±") + tolerance_percent(c.margin);
        if (grade_)
            tolerance += QStringLiteral(", ") + grade_text(*grade_);
        return QCoreApplication::translate("verdict", "%1時荷重 %2 – %3 %4 (%5)")
            .arg(length(c.at), number(c.value * u_.factor, u_.force_decimals),
                 number(c.limit * u_.factor, u_.force_decimals), u_.force_unit, tolerance);
    }

private:
    const DisplayUnits& u_;
    const spring_checks::Assumptions& a_;
    spring_checks::SpringKind kind_;
    std::optional<int> grade_;
};

// The checks that rest on coil counts a catalogue cannot hold say which they used.
void name_the_coils(std::vector<VerdictLine>& lines, const spring_checks::SpringVerdict& verdict,
                    const spring_checks::Assumptions& assumed) {
    const Check* coils_check = find_check(verdict, Kind::Coils);
    if (!coils_check || coils_check->verdict == Verdict::Ok)
        return;
    for (std::size_t i = 0; i < verdict.checks.size(); ++i) {
        const Kind kind = verdict.checks[i].kind;
        if ((kind == Kind::MinimumLength || kind == Kind::NaturalFrequency) && assumed.active_coils)
            lines[i].reason += QCoreApplication::translate("verdict", " (有効巻数 %1 で計算)")
                                   .arg(number(*assumed.active_coils, 2));
        else if (kind == Kind::SolidStress && assumed.total_coils)
            lines[i].reason += QCoreApplication::translate("verdict", " (総巻数 %1 で計算)")
                                   .arg(coils(*assumed.total_coils));
    }
}

QString seating(double nu) {
    for (const Seating& s : seatings()) {
        if (s.nu == nu)
            return QCoreApplication::translate("verdict", s.text.toUtf8().constData());
    }
    return QStringLiteral("ν=%1").arg(length(nu));
}

} // namespace

DisplayUnits display_units(const units::UnitSystemState& state) {
    DisplayUnits u;
    u.factor = state.unit_factor;
    u.force_unit = qtext(state.force_unit);
    u.stress_unit = stress_unit_text(state.stress_unit);
    u.force_decimals = state.force_decimals;
    u.stress_decimals = units::stress_decimals(state.unit_factor);
    return u;
}

const std::vector<Seating>& seatings() {
    static const std::vector<Seating> all = {
        {2.0, QString::fromUtf8(QT_TRANSLATE_NOOP("verdict", "一端固定・他端自由 (ν=2)"))},
        {1.0, QString::fromUtf8(QT_TRANSLATE_NOOP("verdict", "両端回転支持 (ν=1)"))},
        {0.7, QString::fromUtf8(QT_TRANSLATE_NOOP("verdict", "一端固定・他端回転支持 (ν=0.7)"))},
        {0.5, QString::fromUtf8(QT_TRANSLATE_NOOP("verdict", "両端固定 (ν=0.5)"))}};
    return all;
}

QString verdict_word(Verdict verdict) {
    switch (verdict) {
    case Verdict::Ok:
        return QCoreApplication::translate("verdict", "合格");
    case Verdict::Caution:
        return QCoreApplication::translate("verdict", "注意");
    case Verdict::Fail:
        return QCoreApplication::translate("verdict", "不可");
    }
    return {};
}

QColor verdict_colour(Verdict verdict) {
    switch (verdict) {
    case Verdict::Ok:
        return QColor(0, 128, 0);
    case Verdict::Caution:
        return QColor(200, 120, 0);
    case Verdict::Fail:
        return QColor(Qt::red);
    }
    return {};
}

bool summary_needs_verdict(const spring_checks::Summary& summary) {
    return !summary.unchecked && numbered(summary.reason);
}

QString summary_reason(const spring_checks::Summary& summary,
                       const spring_checks::SpringVerdict* verdict) {
    if (verdict && summary_needs_verdict(summary)) {
        for (const Check& c : verdict->checks) {
            if (c.reason == summary.reason)
                return numbered_reason(c, verdict->kind);
        }
    }
    QString reason = reason_text(summary.reason);
    if (summary.unchecked)
        reason = QCoreApplication::translate("verdict", "未判定の項目あり: ") + reason;
    // A worse check's reason stands first; the data it rests on are named after it.
    if (summary.inconsistent && summary.reason != spring_checks::text::kCoilsInconsistent)
        reason += QCoreApplication::translate("verdict", " (カタログ値の不整合あり)");
    return reason;
}

VerdictReport verdict_report(const spring_checks::SpringVerdict& verdict,
                             const spring_checks::CheckConditions& conditions,
                             const DisplayUnits& units) {
    const Texts texts(units, verdict.assumed, verdict.kind, conditions.jis_grade);
    VerdictReport report;
    const spring_checks::Summary summary = spring_checks::summarise(verdict);
    report.overall = summary.verdict;
    report.reason = summary_reason(summary, &verdict);
    for (const Check& c : verdict.checks) {
        report.lines.push_back(texts.line(c));
        if (c.kind == Kind::LoadBand)
            report.load_bands << texts.band(c);
    }
    for (const spring_checks::Absent& a : verdict.absent) {
        VerdictLine l;
        l.check = kind_name(a.kind) + site_text(a.site, 0, false);
        l.verdict = QStringLiteral("—");
        l.reason = QCoreApplication::translate("verdict", "未判定: ") + reason_text(a.reason);
        report.lines.push_back(l);
    }
    name_the_coils(report.lines, verdict, verdict.assumed);
    const Check* coils_check = find_check(verdict, Kind::Coils);
    report.assumed = texts.assumed(coils_check && coils_check->verdict != Verdict::Ok);
    // Seating and ends are those of a compression spring's buckling and solid length.
    if (verdict.kind == spring_checks::SpringKind::Compression)
        report.assumptions << QCoreApplication::translate("verdict", "座り: ") +
                                  seating(conditions.nu)
                           << QCoreApplication::translate("verdict", "端部: ") +
                                  (conditions.ends == spring_checks::Ends::Ground
                                       ? QCoreApplication::translate("verdict", "研削")
                                       : QCoreApplication::translate("verdict", "非研削"));
    report.assumptions << QCoreApplication::translate("verdict", "負荷: ") +
                              (conditions.loading == spring_checks::Loading::Static
                                   ? QCoreApplication::translate("verdict", "静的")
                                   : QCoreApplication::translate("verdict", "動的"))
                       << QCoreApplication::translate("verdict", "荷重公差: ") +
                              (conditions.jis_grade ? grade_text(*conditions.jis_grade)
                               : conditions.load_tolerance > 0
                                   ? QStringLiteral("±") +
                                         tolerance_percent(conditions.load_tolerance)
                                   : QCoreApplication::translate("verdict", "なし"));
    return report;
}

std::optional<VerdictReport> selected_report(const session::SearchSession& session) {
    if (!session.verdict())
        return std::nullopt;
    return verdict_report(*session.verdict(), session.checkConditions(),
                          display_units(session.units()));
}

} // namespace ui
