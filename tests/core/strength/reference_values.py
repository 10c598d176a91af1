#!/usr/bin/env python3
"""Reference values for the strength tests, computed independently of the C++ code.

Evaluates the wire-grade polynomials, the spring formulas, the fatigue limit,
the allowable-stress curve abscissae, the formulas of the spring checks and the
checks of a few crafted springs with mpmath at 40 significant digits, from the
binary (double) values of the constants, and prints the results rounded to
double as C++ initialisers. The tests keep this output literally.

Run:  python3 tests/core/strength/reference_values.py   (needs mpmath)
"""
from mpmath import mp, mpf, log10, pi, exp, log, fabs, sqrt, inf

mp.dps = 40

# (designations, a0..a5, b0..b5, d_min, d_max); kgf/mm^2 over x = log10(d mm).
GRADES = [
    (['SUS-WH2', 'SUS304WPB', 'SUS-WPB', 'SUS'],
     ["85.5792916963359", "-22.4421987627562", "-17.1662947223588", "-6.34455904374814", "1.48489972861093", "3.71586487320385"],
     ["132.772502611913", "-33.7241313044645", "-19.9199109490226", "0.790599307681563", "1.93334000855254", "-0.314866195495652"],
     "0.08", "6.0"),
    (['SUS-WH1', 'SUS304WPA', 'SUS-WPA'],
     ["68.3020094401252", "-8.37790295542088", "-18.2537050404016", "-12.9240003902422", "1.85252182365839", "3.70170018484356"],
     ["105.447602016537", "-19.3641384097816", "-15.1140692612576", "-0.566596809112178", "-0.244771294076525", "-1.96473140057972"],
     "0.08", "5.8"),
    (['SWP-A'],
     ["104.479739140498", "-30.3217814295487", "-21.5408334965319", "3.99306245432556", "9.54794861365225", "2.6964209397465"],
     ["167.255572502954", "-48.8140665103439", "-18.9966715243513", "-1.46649050623143", "-1.02841289303247", "0.544881265723976"],
     "0.08", "6.0"),
    (['SWP-B', 'SWP'],
     ["114.303720105235", "-26.1439609897528", "-29.2293161123665", "-4.24166255312959", "12.3192249315013", "5.74028819184869"],
     ["184.120830224092", "-53.8030215009932", "-23.9785076902477", "3.29293559573681", "0.934914026070852", "-4.42309174759753"],
     "0.08", "6.0"),
    (['SWPV'],
     ["88.7545977442456", "-6.02985139408222", "-18.9034834476961", "0.0", "0.0", "0.0"],
     ["138.700933713373", "20.9655032273053", "-56.1015154118553", "0.0", "0.0", "0.0"],
     "2.1", "5.2"),
    (['SWOCV'],
     ["104.926038777972", "-183.82499665927", "423.966644031232", "-320.065681739417", "0.0", "0.0"],
     ["0.0", "0.0", "0.0", "0.0", "0.0", "0.0"],
     "2.1", "5.2"),
    (['SWOCVV'],
     ["86.498758556018", "20.7674034044476", "-153.794776350535", "422.473507688532", "-517.809514966268", "218.649816019121"],
     ["130.124116866138", "-16.1531082534396", "87.1861376077032", "-181.457393126891", "91.2870754031612", "0.0"],
     "2.1", "10.0"),
    (['SWO-A'],
     ["27.1415100220259", "557.014475676704", "-1737.4227627901", "2360.46040444477", "-1536.65150341968", "395.388225017437"],
     ["140.699637288354", "-6.70037416415633", "-88.3106086076092", "50.7067415950419", "0.0", "0.0"],
     "2.0", "12.0"),
    (['SWO-B'],
     ["110.002878860405", "-65.4758090555845", "119.280218085037", "-190.873264749752", "95.6141517780365", "1.73108992634315"],
     ["159.117345448188", "-58.1354928370122", "-17.206382993929", "22.1015273954668", "0.0", "0.0"],
     "2.0", "12.0"),
    (['SW-B'],
     ["85.9434540299106", "-29.9585276795803", "-23.2918971049641", "4.04838388937813", "11.5021022777498", "3.35419748430301"],
     ["140.969406064288", "-41.9026763239516", "-16.3080113638802", "2.12455134469883", "1.29708819752291", "-0.268319344626602"],
     "0.08", "10.0"),
    (['SW-C'],
     ["99.1254664794427", "-29.5895690526716", "-24.2213199393255", "2.03068666937081", "10.3713094482991", "3.15986445364612"],
     ["160.138480441361", "-48.4133430056461", "-13.5277768151418", "8.9634189646899", "-4.04707775037362", "-8.0337911896405"],
     "0.08", "10.0"),
    (['SUP4'],
     ["1815.07591047947", "-8432.51905610586", "16190.8166011229", "-15487.7196392212", "7380.44021824969", "-1401.59403146356"],
     ["0.0", "0.0", "0.0", "0.0", "0.0", "0.0"],
     "8.0", "25.0"),
    (['SUP6'],
     ["271.904624231586", "-943.918985143182", "1790.02151081993", "-1682.20607705488", "783.210933808629", "-144.513549442501"],
     ["0.0", "0.0", "0.0", "0.0", "0.0", "0.0"],
     "8.0", "38.0"),
    (['SUP9'],
     ["468.698632022371", "-1684.94630978675", "2835.3757281331", "-2348.42964706997", "957.949492091627", "-154.077111955466"],
     ["0.0", "0.0", "0.0", "0.0", "0.0", "0.0"],
     "8.0", "60.0"),
    (['SUP10'],
     ["336.01443818029", "-1100.81497381404", "1820.57582908362", "-1478.88271764539", "590.42269271147", "-92.7629918347979"],
     ["0.0", "0.0", "0.0", "0.0", "0.0", "0.0"],
     "8.0", "67.0"),
    (['SUP11'],
     ["432.153603093526", "-1478.9582567622", "2397.36378289145", "-1904.20741702038", "741.654950591397", "-113.433461163527"],
     ["0.0", "0.0", "0.0", "0.0", "0.0", "0.0"],
     "8.0", "80.0"),
]

KGF_MM2_TO_MPA = mpf(9.80665)


def dbl(text):
    """The exact value of the double nearest to a decimal literal."""
    return mpf(float(text))


def poly(coeffs, d):
    x = log10(mpf(d))
    return sum(dbl(c) * x ** i for i, c in enumerate(coeffs)) * KGF_MM2_TO_MPA


def r(v):
    return repr(float(v))


def materials():
    print("// designation, d, allowable_stress, tensile_strength")
    for names, a, b, dmin, dmax in GRADES:
        lo, hi = float(dmin), float(dmax)
        mid = float(round(float(mp.sqrt(mpf(lo) * mpf(hi))), 3))
        for d in (lo, mid, hi):
            print("{\"%s\", %s, %s, %s}," % (names[0], r(d), r(poly(a, d)), r(poly(b, d))))


def fatigue_limit_ratio(n):
    base = dbl("8.68800000000002") * log10(mpf(n)) + dbl("-23.7790000000001")
    return exp(-log(base) / 3)


def fatigue():
    print("// N, fatigue_limit_ratio(N)")
    for n in (1e4, 2e4, 1e5, 1e6, 1e7, 1.38e8, 1e3, 546.0, 1e12):
        print("{%s, %s}," % (r(n), r(fatigue_limit_ratio(n))))
    print("// N, fatigue_limit_ratio(N), outline corner x at 0.45")
    for n in (1e7, 2e4, 1e4, 1.38e8):
        rr = mpf(float(fatigue_limit_ratio(n)))
        xe = (mpf(0.45) - rr) / (1 - mpf(1.5) * rr)
        print("{%s, %s, %s}," % (r(n), r(rr), r(xe)))


def springs():
    print("// d, D, F, wahl_factor, shear_stress, corrected_stress")
    for d, D, F in ((1.0, 9.0, 10.0), (0.5, 4.5, 3.7), (2.6, 17.4, 123.4), (3.0, 4.5, -50.0)):
        c = mpf(D) / mpf(d)
        k = (4 * c - 1) / (4 * c - 4) + mpf(0.615) / c
        t0 = 8 * mpf(D) * mpf(F) / (pi * mpf(d) ** 3)
        kd, t0d = mpf(float(k)), mpf(float(t0))
        print("{%s, %s, %s, %s, %s, %s}," % (r(d), r(D), r(F), r(k), r(t0), r(kd * t0d)))


def curves():
    print("// designation, start, end, g, x(g)")
    for name, start, end in (("SWP-B", 0.1, 6.0), ("SUS304WPB", 0.1, 5.8), ("SWO-B", 2.1, 12.0)):
        step = (log10(mpf(end)) - log10(mpf(start))) / 30
        for g in (1, 15, 29):
            x = mpf(10) ** (log10(mpf(start)) + g * step)
            print("{\"%s\", %s, %s, %d, %s}," % (name, r(start), r(end), g, r(x)))


# ---- The spring checks -------------------------------------------------------

STEEL = (78500, 206000, mpf(7.85))      # G, E (MPa), density (g/cm^3)
STAINLESS = (68500, 186000, mpf(7.93))


def constants(name):
    return STAINLESS if name.startswith("SUS") else STEEL


def grade(name):
    for names, a, b, dmin, dmax in GRADES:
        if name in names:
            return a, b, float(dmin), float(dmax)
    return None


def active_coils(G, d, D, k):
    return mpf(G) * mpf(d) ** 4 / (8 * mpf(D) ** 3 * mpf(k))


def solid_length(nt, d, ground):
    return (mpf(nt) if ground else mpf(nt) + mpf("1.5")) * mpf(d)


def gap_sum(n, d, D, dynamic):
    sa = mpf(n) * (mpf("0.0015") * mpf(D) ** 2 / mpf(d) + mpf("0.1") * mpf(d))
    return sa * mpf("1.5") if dynamic else sa


def buckling(L0, D, G, E, nu):
    g = mpf(G) / mpf(E)
    root = 1 - (1 - g) / (mpf("0.5") + g) * (pi * mpf(D) / (mpf(nu) * mpf(L0))) ** 2
    if root < 0:
        return inf
    return mpf(L0) * mpf("0.5") / (1 - g) * (1 - sqrt(root))


def natural_frequency(d, D, n, G, rho):
    # SI units throughout: metres, pascals, kilograms per cubic metre.
    d_m, D_m = mpf(d) / 1000, mpf(D) / 1000
    return d_m / (2 * pi * mpf(n) * D_m ** 2) * sqrt(mpf(G) * 10 ** 6 / (2 * mpf(rho) * 1000))


def initial_stress_range(c):
    c = mpf(c)
    middle = 231 / exp(mpf("0.105") * c)
    half = mpf("6.9") * (4 - (c - 3) / mpf("6.5"))
    return sorted((middle - half, middle + half))


def rr(v):
    return "std::numeric_limits<double>::infinity()" if v == inf else r(v)


def check_formulas():
    print("// G, d, D, k, active_coils")
    for G, d, D, k in ((78500, 1.0, 9.0, 2.0), (68500, 0.5, 4.5, 0.3), (78500, 3.2, 25.6, 12.5)):
        print("{%s, %s, %s, %s, %s}," % (r(G), r(d), r(D), r(k), r(active_coils(G, d, D, k))))
    print("// total coils, d, ground, unground")
    for nt, d in ((8.0, 1.0), (12.25, 0.6), (5.5, 3.2)):
        print("{%s, %s, %s, %s}," % (r(nt), r(d), r(solid_length(nt, d, True)),
                                    r(solid_length(nt, d, False))))
    print("// n, d, D, static, dynamic")
    n1 = mpf(float(active_coils(78500, 1.0, 9.0, 2.0)))
    for n, d, D in ((n1, 1.0, 9.0), (mpf(10.25), 0.5, 4.5), (mpf(4.0), 3.2, 25.6)):
        print("{%s, %s, %s, %s, %s}," % (r(n), r(d), r(D), r(gap_sum(n, d, D, False)),
                                        r(gap_sum(n, d, D, True))))
    print("// L0, D, G, E, nu, buckling_deflection")
    for L0, D, (G, E, _), nu in ((50.0, 9.0, STEEL, 0.5), (50.0, 9.0, STEEL, 1.0),
                                 (50.0, 9.0, STEEL, 2.0), (50.0, 9.0, STEEL, 0.7),
                                 (30.0, 9.0, STEEL, 0.5), (80.0, 12.0, STAINLESS, 0.5),
                                 (5000.0, 2.0, STEEL, 1.0)):
        print("{%s, %s, %s, %s, %s, %s}," % (r(L0), r(D), r(G), r(E), r(nu),
                                            rr(buckling(L0, D, G, E, nu))))
    print("// d, D, n, G, density, natural_frequency")
    for d, D, n, (G, _, rho) in ((1.0, 9.0, 8.0, STEEL), (0.5, 4.5, 10.25, STAINLESS),
                                 (3.2, 25.6, 4.0, STEEL)):
        print("{%s, %s, %s, %s, %s, %s}," % (r(d), r(D), r(n), r(G), r(float(rho)),
                                            r(natural_frequency(d, D, n, G, rho))))
    print("// C, initial stress low, high")
    for c in (9.0, 4.0, 12.5, 35.0):
        low, high = initial_stress_range(c)
        print("{%s, %s, %s}," % (r(c), r(low), r(high)))


# The checks of a crafted spring, in the order the checker gives them. A record is
# (material, lo, fo, lmax, k, coil_dia, wire_dia, turn); a duty (compression?,
# length1, length2, range, cycles) with range None, ("lengths", a, b) or
# ("loads", a, b); conditions (nu, ground ends?, dynamic?, load tolerance).

def shear(d, D, F):
    return 8 * mpf(D) * mpf(F) / (pi * mpf(d) ** 3)


def corrected(d, D, F):
    c = mpf(D) / mpf(d)
    return ((4 * c - 1) / (4 * c - 4) + mpf(0.615) / c) * shear(d, D, F)


def spring_checks(record, duty, conditions):
    material, lo, fo, lmax, k, coil, d, turn = record
    compression, L1, L2, rng, cycles = duty
    nu, ground, dynamic, t = conditions
    lo, fo, lmax, k, d = mpf(lo), mpf(fo), mpf(lmax), mpf(k), mpf(d)
    D = mpf(coil) - d
    a, b, dmin, dmax = grade(material)
    G, E, rho = constants(material)
    tau_a = poly(a, float(d))
    sigma_b = poly(b, float(d))
    limit = mpf(0.8) if compression else mpf(0.64)
    n = active_coils(G, d, D, k)
    L0 = lo + fo / k
    Lc = solid_length(turn, d, ground)
    Ln = Lc + gap_sum(n, d, D, dynamic)
    sK = buckling(L0, D, G, E, nu)
    rows = []

    def add(kind, site, verdict, at, value, lim, margin):
        rows.append((kind, site, verdict, at, value, lim, margin))

    def inside_margin(value, low, high):
        # the margin inside [low, high] over the nearer end
        if low > 0 and value - low < high - value:
            return low, (value - low) / low
        return high, (high - value) / high

    # active coils a spring of `turn` coils can have: compression total - 3 .. total,
    # extension total - 1 .. total + 1
    low_n, high_n = (mpf(turn) - 3, mpf(turn)) if compression else (mpf(turn) - 1, mpf(turn) + 1)
    nearer_n, margin_n = inside_margin(n, low_n, high_n)
    add("Coils", "Spring", "Ok" if low_n <= n <= high_n else "Caution", turn, n, nearer_n,
        margin_n)

    def load(L):
        return fabs(mpf(L) - lo) * k + fo

    searched = [(L, s) for L, s in ((L1, "Length1"), (L2, "Length2")) if L is not None]
    for L, site in searched:
        ratio = shear(d, D, load(L)) / tau_a
        add("StaticStress", site, "Fail" if ratio >= limit else "Ok", L, ratio, limit,
            1 - ratio / limit)
    if compression:
        ends = []
        if rng is not None:
            x, y = mpf(rng[1]), mpf(rng[2])
            if rng[0] == "loads":
                x, y = L0 - x / k, L0 - y / k
            ends = [(min(x, y), "RangeShorter"), (max(x, y), "RangeLonger")]
        for L, site in searched + ends:
            L = mpf(L)
            add("MinimumLength", site, "Fail" if L < Ln else "Ok", L, L, Ln, L / Ln - 1)
        add("MinimumLength", "CatalogueLmax", "Caution" if lmax < Ln else "Ok", lmax, lmax, Ln,
            lmax / Ln - 1)
        for L, site in searched + ends[:1]:
            s = L0 - mpf(L)
            add("Buckling", site, "Fail" if s >= sK else "Ok", L, s, sK, 1 - s / sK)
        tau_c = shear(d, D, fo + k * (lo - Lc))
        add("SolidStress", "Spring", "Caution" if tau_c > tau_a else "Ok", Lc, tau_c, tau_a,
            1 - tau_c / tau_a)
    if rng is not None:
        p1, p2 = (rng[1], rng[2]) if rng[0] == "loads" else (load(rng[1]), load(rng[2]))
        x = corrected(d, D, min(p1, p2)) / sigma_b
        y = corrected(d, D, max(p1, p2)) / sigma_b
        rf = mpf(float(fatigue_limit_ratio(cycles)))
        xe = mpf(float((mpf(0.45) - rf) / (1 - mpf(1.5) * rf)))
        highest = min(mpf(0.45), rf + (mpf(0.45) - rf) / xe * max(x, 0))
        inside = 0 <= x <= y <= mpf(0.45) and y <= rf + (mpf(0.45) - rf) / xe * x
        add("Fatigue", "Spring", "Ok" if inside else "Fail", x, y, highest, 1 - y / highest)
    if not compression:
        tau_i = shear(d, D, fo)
        low, high = initial_stress_range(D / d)
        nearer, margin_i = inside_margin(tau_i, low, high)
        add("InitialStress", "Spring", "Ok" if low <= tau_i <= high else "Caution", lo, tau_i,
            nearer, margin_i)
    add("NaturalFrequency", "Spring", "Ok", 0, natural_frequency(d, D, n, G, rho), 0, 0)
    for L, site in searched:
        F = load(L)
        add("LoadBand", site, "Ok", L, F * (1 - mpf(t)), F * (1 + mpf(t)), t)
    return rows


DEFAULT_CONDITIONS = (0.5, False, False, 0.1)
A = ("SWP-B", 50.0, 0.0, 25.0, 1.0, 10.0, 1.0, 15.5)
A_DUTY = (True, 35.0, 30.0, ("lengths", 30.0, 35.0), 1e7)
E = ("SWP-B", 30.0, 4.0, 60.0, 1.0, 10.0, 1.0, 14.0)
E_DUTY = (False, 40.0, 50.0, ("lengths", 40.0, 50.0), 1e7)

CRAFTED = [
    ("compression spring that passes", A, A_DUTY, DEFAULT_CONDITIONS, False),
    ("extension spring that passes", E, E_DUTY, DEFAULT_CONDITIONS, False),
    ("static stress at the second length",
     ("SWP-B", 50.0, 0.0, 25.0, 1.7, 10.0, 1.0, 10.0), (True, 35.0, 25.0, None, 1e7),
     DEFAULT_CONDITIONS, True),
    ("extension static stress", E, (False, 40.0, 60.0, None, 1e7), DEFAULT_CONDITIONS, True),
    ("below the smallest usable length",
     ("SWP-B", 40.0, 0.0, 18.0, 1.0, 10.0, 1.0, 15.5),
     (True, 30.0, 19.0, ("lengths", 30.0, 19.0), 1e7), DEFAULT_CONDITIONS, True),
    ("buckling with both ends guided", A, A_DUTY, (1.0, False, False, 0.1), True),
    ("stress at solid", ("SWP-B", 50.0, 0.0, 25.0, 1.5, 10.0, 1.0, 11.0), A_DUTY,
     DEFAULT_CONDITIONS, True),
    ("fatigue", A, (True, 35.0, 30.0, ("lengths", 25.0, 45.0), 1e7), DEFAULT_CONDITIONS, True),
    ("initial stress low", ("SWP-B", 30.0, 2.0, 60.0, 1.0, 10.0, 1.0, 14.0), E_DUTY,
     DEFAULT_CONDITIONS, True),
    ("initial stress high", ("SWP-B", 30.0, 6.0, 60.0, 1.0, 10.0, 1.0, 14.0), E_DUTY,
     DEFAULT_CONDITIONS, True),
    ("range given as loads, ground ends, dynamic loading",
     ("SWP-B", 50.0, 2.0, 25.0, 1.0, 10.0, 1.0, 15.5),
     (True, 35.0, None, ("loads", 22.0, 12.0), 2e6), (0.7, True, True, 0.05), False),
]


def crafted_springs():
    for title, record, duty, conditions, only_failing in CRAFTED:
        rows = spring_checks(record, duty, conditions)
        if only_failing:
            rows = [row for row in rows if row[2] != "Ok"]
            print("// %s: the checks that are not ok" % title)
        else:
            print("// %s" % title)
        for kind, site, verdict, at, value, lim, margin in rows:
            print("{Kind::%s, Site::%s, Verdict::%s, %s, %s, %s, %s}," % (
                kind, site, verdict, r(at), r(value), rr(lim), r(margin)))


if __name__ == "__main__":
    materials()
    fatigue()
    springs()
    curves()
    check_formulas()
    crafted_springs()
