#pragma once

// Spring physics and packet writing shared by the catalogue generators.
// Header-only: every tools/*.cpp is an executable of its own.
//
// All rows come out of the formulas below, never out of a table of numbers:
// a generated catalogue is consistent (rate, forces and lengths agree) and
// the same seed gives the same bytes on every run and platform.

#include "core/catalogue/packet_writer.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace samples {

constexpr double kPi = 3.14159265358979323846;

// splitmix64: tiny, good enough, and the same everywhere, unlike the
// distributions of <random>, whose output may differ between libraries.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
    double uniform(double lo, double hi) { return lo + (hi - lo) * unit(); }
    // Uniform integer in [0, n).
    std::size_t index(std::size_t n) { return static_cast<std::size_t>(unit() * n); }
    template <class T> const T& pick(const std::vector<T>& v) { return v[index(v.size())]; }

private:
    std::uint64_t state_;
};

// Wire grade with the moduli and a rough tensile strength σB ≈ sb1 · d^-sb_exp
// (MPa, d in mm), which only serves to keep the catalogue stresses plausible.
struct Material {
    const char* name;
    double G;      // shear modulus, MPa
    double E;      // Young's modulus, MPa
    double sb1;    // tensile strength at d = 1 mm, MPa
    double sb_exp; // fall of the strength with the diameter
    double d_min;  // the catalogue sizes of the grade, mm; the generator
    double d_max;  // may leave this range on purpose
};

inline const std::vector<Material>& materials() {
    static const std::vector<Material> table = {
        {"SWP", 78500, 206000, 1800, 0.15, 0.2, 6},
        {"SWP-A", 78500, 206000, 1640, 0.15, 0.2, 6},
        {"SWP-B", 78500, 206000, 1800, 0.15, 0.2, 6},
        {"SWO-A", 78500, 206000, 1450, 0.12, 2, 6},
        {"SWO-B", 78500, 206000, 1590, 0.2, 2, 6},
        {"SW-C", 78500, 206000, 1570, 0.15, 0.2, 6},
        {"SUS304WPB", 68500, 186000, 1300, 0.12, 0.2, 6},
        {"SUS-WPA", 68500, 186000, 1030, 0.12, 0.2, 6},
        {"SUP9", 78500, 206000, 1300, 0.05, 3.2, 6},
    };
    return table;
}

inline const Material& material(const std::string& name) {
    for (const auto& m : materials())
        if (name == m.name)
            return m;
    throw std::invalid_argument("unknown material " + name);
}

// Standard wire sizes, mm.
inline const std::vector<double>& wire_sizes() {
    static const std::vector<double> sizes = {0.2, 0.25, 0.3, 0.35, 0.4, 0.45, 0.5, 0.55, 0.6, 0.65,
                                              0.7, 0.8,  0.9, 1.0,  1.1, 1.2,  1.4, 1.6,  1.8, 2.0,
                                              2.3, 2.6,  2.9, 3.2,  3.5, 4.0,  4.5, 5.0,  5.5, 6.0};
    return sizes;
}

// Free lengths as catalogues list them, mm.
inline const std::vector<double>& length_series() {
    static const std::vector<double> lengths = {5,  6,  8,  10, 12, 15, 18, 20,  25,  30, 35,
                                                40, 45, 50, 60, 70, 80, 90, 100, 120, 150};
    return lengths;
}

// A wire size for the grade between d_lo and d_hi; now and then one outside
// the sizes the grade is made in, as real catalogues have them (the strength
// evaluation has to cope with those).
inline double wire_size(Rng& rng, const Material& m, double d_lo, double d_hi) {
    const bool odd = rng.unit() < 0.1;
    std::vector<double> sizes;
    for (double d : wire_sizes()) {
        const bool in_grade = d >= m.d_min && d <= m.d_max;
        if (d >= d_lo && d <= d_hi && in_grade != odd)
            sizes.push_back(d);
    }
    if (sizes.empty())
        for (double d : wire_sizes())
            if (d >= d_lo && d <= d_hi)
                sizes.push_back(d);
    return rng.pick(sizes);
}

struct Spring {
    std::string modelNo, maker, type, material;
    double lo = 0, fo = 0, lmax = 0, fmax = 0, k = 0, coil_dia = 0, wire_dia = 0, turn = 0;
};

inline double round_to(double v, double step) {
    return std::round(v / step) * step;
}

inline double tensile_strength(const Material& m, double d) {
    return m.sb1 * std::pow(d, -m.sb_exp);
}

// Wahl's correction for the curvature of the wire.
inline double wahl(double c) {
    return (4 * c - 1) / (4 * c - 4) + 0.615 / c;
}

// Force at which the corrected shear stress reaches tau, N.
inline double force_at_stress(double tau, double d, double D) {
    return tau * kPi * d * d * d / (8 * D * wahl(D / d));
}

// Rate of a helical spring in N/mm: G d^4 / (8 n D^3).
inline double spring_rate(double G, double d, double D, double n) {
    return G * d * d * d * d / (8 * n * D * D * D);
}

// Coil geometry from the wire and a spring index; the outer diameter is
// rounded to 0.1 mm as a catalogue gives it. nullopt when the size is odd.
inline std::optional<double> outer_diameter(double d, double index) {
    const double coil_dia = round_to(d * (index + 1), 0.1);
    const double c = (coil_dia - d) / d;
    if (c < 4 || c > 12)
        return std::nullopt;
    return coil_dia;
}

// Compression spring of free length lo: force rises from 0 at lo as the
// spring is pressed to lmax. Ends closed and ground, so two turns are dead.
inline std::optional<Spring> compression(Rng& rng, const Material& m, double d, double coil_dia,
                                         double lo) {
    const double D = coil_dia - d;
    // Pitch between a third and a half of the mean diameter, never tighter
    // than the wire plus a gap.
    const double pitch = std::max(D * rng.uniform(0.25, 0.5), d * 1.15 + 0.05);
    double n = (lo - 2 * d) / pitch;
    n = round_to(n, 0.25);
    if (n < 2 || n > 30)
        return std::nullopt;
    const double solid = (n + 1.5) * d;
    if (solid >= lo * 0.8)
        return std::nullopt;

    Spring s;
    s.type = "compress";
    s.material = m.name;
    s.wire_dia = d;
    s.coil_dia = coil_dia;
    s.turn = n + 2;
    s.lo = lo;
    s.fo = 0;
    s.k = spring_rate(m.G, d, D, n);
    // The catalogue's working range ends at 80 % of the travel to solid or
    // where the corrected stress reaches about half the tensile strength,
    // whichever comes first.
    const double travel = 0.8 * (lo - solid);
    const double stress_travel = force_at_stress(0.5 * tensile_strength(m, d), d, D) / s.k;
    const double deflection = std::min(travel, stress_travel) * rng.uniform(0.8, 1.0);
    s.lmax = round_to(lo - deflection, 0.1);
    if (s.lmax >= lo || s.lmax <= solid)
        return std::nullopt;
    s.fmax = s.k * (s.lo - s.lmax);
    return s;
}

// Extension spring with close-wound body and two hooks: it holds an initial
// tension fo at its free length lo, and the force grows with the stretch.
inline std::optional<Spring> extension(Rng& rng, const Material& m, double d, double coil_dia,
                                       double lo) {
    const double D = coil_dia - d;
    const double c = D / d;
    // Length of the two hooks, each about the inner diameter.
    const double hooks = 2 * 0.9 * (D - d);
    double n = (lo - hooks) / d - 1;
    n = std::floor(n * 4) / 4;
    if (n < 3 || n > 60)
        return std::nullopt;

    Spring s;
    s.type = "tension";
    s.material = m.name;
    s.wire_dia = d;
    s.coil_dia = coil_dia;
    s.turn = n;
    s.lo = lo;
    s.k = spring_rate(m.G, d, D, n);
    // Initial stress that coiling can put in, higher for tight indices.
    const double tau_i = rng.uniform(0.5, 1.0) * (230 - 15 * c);
    s.fo = tau_i * kPi * d * d * d / (8 * D);
    // Hooks are the weak spot: stay below 40 % of the tensile strength.
    const double f_limit = force_at_stress(0.4 * tensile_strength(m, d), d, D);
    if (f_limit <= s.fo * 1.2)
        return std::nullopt;
    const double stretch = (f_limit - s.fo) / s.k * rng.uniform(0.7, 1.0);
    s.lmax = round_to(std::min(lo + std::min(stretch, 2 * lo), 150.0), 0.1);
    if (s.lmax < lo + 0.5)
        return std::nullopt;
    s.fmax = s.fo + s.k * (s.lmax - s.lo);
    return s;
}

// Torsion spring. Its rows carry angles instead of lengths: lo = 0 deg at
// rest, lmax the working angle in deg, torques in N·mm and the rate in
// N·mm/deg, the rate being E d^4 / (3667 D n).
inline std::optional<Spring> torsion(Rng& rng, const Material& m, double d, double coil_dia) {
    const double D = coil_dia - d;
    const double n = round_to(rng.uniform(3, 12), 0.25);
    Spring s;
    s.type = "torsion";
    s.material = m.name;
    s.wire_dia = d;
    s.coil_dia = coil_dia;
    s.turn = n;
    s.k = m.E * d * d * d * d / (3667 * D * n);
    // Bending stress 32 M / (pi d^3) up to 70 % of the tensile strength.
    const double m_limit = 0.7 * tensile_strength(m, d) * kPi * d * d * d / 32;
    const double angle = std::min(m_limit / s.k * rng.uniform(0.6, 0.9), 270.0);
    s.lo = 0;
    s.fo = 0;
    s.lmax = round_to(angle, 5);
    if (s.lmax < 10)
        return std::nullopt;
    s.fmax = s.k * s.lmax;
    return s;
}

// Model numbers after a common catalogue pattern: series letter, outer
// diameter and wire diameter in tenths of a mm, free length: "C-1010-30".
inline std::string model_number(const std::string& prefix, double coil_dia, double d,
                                double length) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s-%02ld%02ld-%ld", prefix.c_str(), std::lround(coil_dia),
                  std::lround(d * 10), std::lround(length));
    return buf;
}

// Shortest "%.6g"-like text, with a decimal point whatever the C locale.
inline void append_number(std::string& out, double v) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 6);
    out.append(buf, res.ptr);
}

struct TextField {
    const char* name;
    int width; // bytes in CP932
};

// Writes the packets. Text values are converted to CP932 and must fit their
// declared width; there is no encoding declaration, as in the catalogues
// the makers hand out.
class PacketWriter {
public:
    PacketWriter(std::FILE* file, const std::vector<TextField>& texts,
                 const std::vector<const char*>& numbers)
        : texts_(texts),
          writer_(fields(texts, numbers), catalogue::TextEncoding::Cp932,
                  [file](std::string_view bytes) {
                      if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
                          throw std::runtime_error("write failed");
                  }) {}

    void row(const std::vector<std::string>& text_values, const std::vector<double>& values) {
        values_.clear();
        for (std::size_t i = 0; i < texts_.size(); ++i) {
            const auto bytes = cp932_.byte_length(text_values[i]);
            if (!bytes || *bytes > static_cast<std::size_t>(texts_[i].width))
                throw std::runtime_error(std::string("too long for field ") + texts_[i].name +
                                         ": " + text_values[i]);
            values_.emplace_back(text_values[i]);
        }
        for (const double v : values) {
            std::string text;
            append_number(text, v);
            values_.emplace_back(std::move(text));
        }
        writer_.row(values_);
    }

    void finish() { writer_.finish(); }

private:
    static std::vector<catalogue::PacketField> fields(const std::vector<TextField>& texts,
                                                      const std::vector<const char*>& numbers) {
        std::vector<catalogue::PacketField> all;
        for (const TextField& t : texts)
            all.push_back({t.name, "string", catalogue::FieldKind::Text, t.width});
        for (const char* name : numbers)
            all.push_back({name, "r8", catalogue::FieldKind::Number, 0});
        return all;
    }

    std::vector<TextField> texts_;
    catalogue::PacketWriter writer_;
    catalogue::Cp932Encoder cp932_;
    std::vector<std::optional<std::string>> values_;
};

// A file opened for writing; closed on every path, checked on the normal one.
class OutputFile {
public:
    explicit OutputFile(const std::string& path)
        : path_(path), file_(std::fopen(path.c_str(), "wb")) {
        if (!file_)
            throw std::runtime_error("cannot write " + path);
    }
    ~OutputFile() {
        if (file_)
            std::fclose(file_);
    }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    std::FILE* get() const { return file_; }
    void close() {
        std::FILE* f = file_;
        file_ = nullptr;
        if (std::fclose(f) != 0)
            throw std::runtime_error("cannot write " + path_);
    }

private:
    std::string path_;
    std::FILE* file_;
};

inline PacketWriter spring_writer(std::FILE* file) {
    return PacketWriter(file, {{"modelNo", 60}, {"maker", 30}, {"type", 10}, {"material", 12}},
                        {"lo", "fo", "lmax", "fmax", "k", "coil_dia", "wire_dia", "turn"});
}

inline void write_spring(PacketWriter& w, const Spring& s) {
    w.row({s.modelNo, s.maker, s.type, s.material},
          {s.lo, s.fo, s.lmax, s.fmax, s.k, s.coil_dia, s.wire_dia, s.turn});
}

} // namespace samples
