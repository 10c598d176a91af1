// Writes a catalogue of many springs for the benchmarks, in the format and
// code page of spring_data.xml, from the same physics as the sample data.
//
//   make_large_catalogue <rows> <path> [seed]

#include "sample_springs.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

namespace {

struct Maker {
    const char* name;
    const char* compression_prefix;
    const char* extension_prefix;
    const char* torsion_prefix;
};

// Same makers as the sample catalogue, so that its maker file fits.
const Maker kMakers[] = {
    {"KSSC", "C", "T", "K"},
    {"昌和発条", "SC", "ST", "SK"},
    {"東邦スプリング", "TC", "TT", "TK"},
};

// Grades by how often catalogues list them.
const char* const kGrades[] = {"SWP-B",     "SWP-B",     "SWP-B",   "SWP",  "SWP-A",
                               "SWO-B",     "SWO-B",     "SWO-A",   "SW-C", "SW-C",
                               "SUS304WPB", "SUS304WPB", "SUS-WPA", "SUP9"};

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_large_catalogue <rows> <path> [seed]\n");
        return 2;
    }
    char* end = nullptr;
    const long long rows = std::strtoll(argv[1], &end, 10);
    if (*end != '\0' || rows < 0) {
        std::fprintf(stderr, "make_large_catalogue: bad row count %s\n", argv[1]);
        return 2;
    }
    const std::uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1;
    try {
        samples::Rng rng(seed);
        samples::OutputFile file(argv[2]);
        {
            auto writer = samples::spring_writer(file.get());
            long long written = 0;
            while (written < rows) {
                const Maker& maker = kMakers[rng.index(std::size(kMakers))];
                const auto& m = samples::material(kGrades[rng.index(std::size(kGrades))]);
                const double d = samples::wire_size(rng, m, 0.2, 6.0);
                const auto coil_dia = samples::outer_diameter(d, rng.uniform(4, 12));
                if (!coil_dia)
                    continue;
                const double lo = rng.pick(samples::length_series());
                // Two in three compression springs, a few torsion springs.
                const double kind = rng.unit();
                std::optional<samples::Spring> s;
                const char* prefix;
                if (kind < 0.65) {
                    s = samples::compression(rng, m, d, *coil_dia, lo);
                    prefix = maker.compression_prefix;
                } else if (kind < 0.97) {
                    s = samples::extension(rng, m, d, *coil_dia, lo);
                    prefix = maker.extension_prefix;
                } else {
                    s = samples::torsion(rng, m, d, *coil_dia);
                    prefix = maker.torsion_prefix;
                }
                if (!s)
                    continue;
                // Numbers repeat in so large a table; a running suffix keeps them apart.
                s->modelNo = samples::model_number(prefix, s->coil_dia, d,
                                                   s->type == "torsion" ? s->lmax : s->lo) +
                             "-" + std::to_string(written);
                s->maker = maker.name;
                samples::write_spring(writer, *s);
                ++written;
            }
            writer.finish();
        }
        file.close();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_large_catalogue: %s\n", e.what());
        return 1;
    }
}
