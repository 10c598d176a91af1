// Spring-wire grades: allowable static shear stress and tensile strength.
#include "core/strength/spr_mat.h"

#include "core/strength/float_error.h"

#include <array>
#include <cstddef>

namespace spr_mat {

namespace {

// Both quantities are fitted in kgf/mm^2 as quintics in log10(d), constant term
// first, and are valid only for d_min <= d <= d_max (mm).
struct MaterialSet {
    std::array<double, 6> a; // allowable static shear stress
    std::array<double, 6> b; // tensile strength (all zero where the grade has no data)
    double d_min;
    double d_max;
};

// clang-format off
const std::array<MaterialSet, 16> kSets = {{
    // set 1: SUS-WH2, SUS304WPB, SUS-WPB, SUS
    {{85.5792916963359, -22.4421987627562, -17.1662947223588, -6.34455904374814, 1.48489972861093, 3.71586487320385},
     {132.772502611913, -33.7241313044645, -19.9199109490226, 0.790599307681563, 1.93334000855254, -0.314866195495652},
     0.08, 6.0},
    // set 2: SUS-WH1, SUS304WPA, SUS-WPA
    {{68.3020094401252, -8.37790295542088, -18.2537050404016, -12.9240003902422, 1.85252182365839, 3.70170018484356},
     {105.447602016537, -19.3641384097816, -15.1140692612576, -0.566596809112178, -0.244771294076525, -1.96473140057972},
     0.08, 5.8},
    // set 3: SWP-A
    {{104.479739140498, -30.3217814295487, -21.5408334965319, 3.99306245432556, 9.54794861365225, 2.6964209397465},
     {167.255572502954, -48.8140665103439, -18.9966715243513, -1.46649050623143, -1.02841289303247, 0.544881265723976},
     0.08, 6.0},
    // set 4: SWP-B, SWP
    {{114.303720105235, -26.1439609897528, -29.2293161123665, -4.24166255312959, 12.3192249315013, 5.74028819184869},
     {184.120830224092, -53.8030215009932, -23.9785076902477, 3.29293559573681, 0.934914026070852, -4.42309174759753},
     0.08, 6.0},
    // set 5: SWPV
    {{88.7545977442456, -6.02985139408222, -18.9034834476961, 0.0, 0.0, 0.0},
     {138.700933713373, 20.9655032273053, -56.1015154118553, 0.0, 0.0, 0.0},
     2.1, 5.2},
    // set 6: SWOCV
    {{104.926038777972, -183.82499665927, 423.966644031232, -320.065681739417, 0.0, 0.0},
     {0.0, 0.0, 0.0, 0.0, 0.0, 0.0},
     2.1, 5.2},
    // set 7: SWOCVV
    {{86.498758556018, 20.7674034044476, -153.794776350535, 422.473507688532, -517.809514966268, 218.649816019121},
     {130.124116866138, -16.1531082534396, 87.1861376077032, -181.457393126891, 91.2870754031612, 0.0},
     2.1, 10.0},
    // set 8: SWO-A
    {{27.1415100220259, 557.014475676704, -1737.4227627901, 2360.46040444477, -1536.65150341968, 395.388225017437},
     {140.699637288354, -6.70037416415633, -88.3106086076092, 50.7067415950419, 0.0, 0.0},
     2.0, 12.0},
    // set 9: SWO-B
    {{110.002878860405, -65.4758090555845, 119.280218085037, -190.873264749752, 95.6141517780365, 1.73108992634315},
     {159.117345448188, -58.1354928370122, -17.206382993929, 22.1015273954668, 0.0, 0.0},
     2.0, 12.0},
    // set 10: SW-B
    {{85.9434540299106, -29.9585276795803, -23.2918971049641, 4.04838388937813, 11.5021022777498, 3.35419748430301},
     {140.969406064288, -41.9026763239516, -16.3080113638802, 2.12455134469883, 1.29708819752291, -0.268319344626602},
     0.08, 10.0},
    // set 11: SW-C
    {{99.1254664794427, -29.5895690526716, -24.2213199393255, 2.03068666937081, 10.3713094482991, 3.15986445364612},
     {160.138480441361, -48.4133430056461, -13.5277768151418, 8.9634189646899, -4.04707775037362, -8.0337911896405},
     0.08, 10.0},
    // set 12: SUP4
    {{1815.07591047947, -8432.51905610586, 16190.8166011229, -15487.7196392212, 7380.44021824969, -1401.59403146356},
     {0.0, 0.0, 0.0, 0.0, 0.0, 0.0},
     8.0, 25.0},
    // set 13: SUP6
    {{271.904624231586, -943.918985143182, 1790.02151081993, -1682.20607705488, 783.210933808629, -144.513549442501},
     {0.0, 0.0, 0.0, 0.0, 0.0, 0.0},
     8.0, 38.0},
    // set 14: SUP9
    {{468.698632022371, -1684.94630978675, 2835.3757281331, -2348.42964706997, 957.949492091627, -154.077111955466},
     {0.0, 0.0, 0.0, 0.0, 0.0, 0.0},
     8.0, 60.0},
    // set 15: SUP10
    {{336.01443818029, -1100.81497381404, 1820.57582908362, -1478.88271764539, 590.42269271147, -92.7629918347979},
     {0.0, 0.0, 0.0, 0.0, 0.0, 0.0},
     8.0, 67.0},
    // set 16: SUP11
    {{432.153603093526, -1478.9582567622, 2397.36378289145, -1904.20741702038, 741.654950591397, -113.433461163527},
     {0.0, 0.0, 0.0, 0.0, 0.0, 0.0},
     8.0, 80.0},
}};

struct Designation {
    const char* name;
    std::size_t set;
};

// Designations in one group share a set and so give identical results.
const std::array<Designation, 22> kDesignations = {{
    {"SUS-WH2", 0},
    {"SUS304WPB", 0},
    {"SUS-WPB", 0},
    {"SUS", 0},
    {"SUS-WH1", 1},
    {"SUS304WPA", 1},
    {"SUS-WPA", 1},
    {"SWP-A", 2},
    {"SWP-B", 3},
    {"SWP", 3},
    {"SWPV", 4},
    {"SWOCV", 5},
    {"SWOCVV", 6},
    {"SWO-A", 7},
    {"SWO-B", 8},
    {"SW-B", 9},
    {"SW-C", 10},
    {"SUP4", 11},
    {"SUP6", 12},
    {"SUP9", 13},
    {"SUP10", 14},
    {"SUP11", 15},
}};
// clang-format on

constexpr double kKgfPerMm2ToMPa = 9.80665;

// The current material: the designation whose set is loaded, and that set.
// Initially an empty designation with an all-zero set.
std::string g_designation;
MaterialSet g_set{};

enum class Quantity { AllowableStress, TensileStrength };

double evaluate(const std::string& designation, double d, Quantity q) {
    if (designation != g_designation)
        select_material(designation);
    if (d < g_set.d_min || d > g_set.d_max)
        throw EspringMaterialException("Wire diameter is out of range.");

    // A zero set has the range 0..0, so d = 0 (or NaN) reaches the logarithm and fails there.
    const long double x = float_error::log10(d);
    const auto& c = q == Quantity::AllowableStress ? g_set.a : g_set.b;
    long double p = c[5];
    for (int i = 4; i >= 0; --i)
        p = p * x + c[static_cast<std::size_t>(i)];
    return float_error::to_double(p * kKgfPerMm2ToMPa);
}

} // namespace

double allowable_stress(const std::string& designation, double d) {
    return evaluate(designation, d, Quantity::AllowableStress);
}

double tensile_strength(const std::string& designation, double d) {
    return evaluate(designation, d, Quantity::TensileStrength);
}

void select_material(const std::string& designation) {
    for (const auto& entry : kDesignations) {
        if (designation == entry.name) {
            g_set = kSets[entry.set];
            g_designation = designation;
            return;
        }
    }
    // An unknown grade is still remembered, with a zero set: asking again for the
    // same designation then skips the lookup and fails on the range 0..0.
    g_set = MaterialSet{};
    g_designation = designation;
    throw EspringMaterialException("Material is not resistorated.");
}

std::vector<GradeRange> grade_ranges() {
    std::vector<GradeRange> ranges;
    for (const Designation& entry : kDesignations)
        ranges.push_back({entry.name, kSets[entry.set].d_min, kSets[entry.set].d_max});
    return ranges;
}

void reset_current_material() {
    g_designation.clear();
    g_set = MaterialSet{};
}

} // namespace spr_mat
