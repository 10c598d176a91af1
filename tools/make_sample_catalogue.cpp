// Writes the sample catalogue the program starts on: spring_data.xml and
// spring_maker.xml, in code page 932, into the directory given as the only
// argument (default "data"). The output is the same, byte for byte, on every
// run.
//
//   make_sample_catalogue [directory]

#include "sample_springs.h"

#include <cstdio>
#include <exception>
#include <set>
#include <string>
#include <vector>

namespace {

using samples::Rng;
using samples::Spring;

// One maker's range: which grades it coils and how its model numbers read.
struct Range {
    std::string maker;
    std::string compression_prefix, extension_prefix, torsion_prefix;
    std::vector<std::string> grades;
    int compression_count, extension_count, torsion_count;
};

struct Maker {
    std::string name, adress, tel, fax, url;
};

// The third maker's rows have no maker entry: the maker box stays empty for them.
const std::vector<Range>& ranges() {
    static const std::vector<Range> list = {
        {"KSSC", "C", "T", "K", {"SWP-B", "SWP-B", "SWP", "SUS304WPB", "SWO-B"}, 110, 55, 8},
        {"昌和発条",
         "SC",
         "ST",
         "SK",
         {"SWP-A", "SWP-B", "SUS-WPA", "SWO-A", "SW-C", "SUS304WPB"},
         85,
         45,
         6},
        {"東邦スプリング",
         "TC",
         "TT",
         "TK",
         {"SWP-B", "SWP-B", "SUS304WPB", "SWO-B", "SWP-B", "SUS304WPB", "SUP9"},
         40,
         20,
         3},
    };
    return list;
}

const std::vector<Maker>& makers() {
    static const std::vector<Maker> list = {
        {"KSSC", "東京都大田区下丸子三丁目12番5号", "03-1234-5678", "03-1234-5679",
         "www.kssc.example.jp"},
        {"昌和発条", "大阪府東大阪市高井田元町二丁目8番1号", "06-1234-0001", "06-1234-0002",
         "www.showa-hatsujo.example.jp"},
        {"東邦スプリング", "愛知県名古屋市熱田区六番三丁目4番2号", "052-123-4567", "052-123-4568",
         "www.toho-spring.example.jp"},
    };
    return list;
}

enum class Kind { compression, extension, torsion };

std::vector<Spring> springs_of(Rng& rng, const Range& range, Kind kind, int count,
                               std::set<std::string>& used) {
    std::vector<Spring> out;
    for (int attempt = 0; static_cast<int>(out.size()) < count; ++attempt) {
        if (attempt > count * 2000)
            throw std::runtime_error("cannot generate enough springs for " + range.maker);
        const auto& m = samples::material(rng.pick(range.grades));
        const double d = kind == Kind::torsion ? samples::wire_size(rng, m, 0.4, 3.2)
                                               : samples::wire_size(rng, m, 0.2, 6.0);
        const auto coil_dia = samples::outer_diameter(d, rng.uniform(4, 12));
        if (!coil_dia)
            continue;
        const double lo = rng.pick(samples::length_series());
        std::optional<Spring> s;
        std::string prefix;
        switch (kind) {
        case Kind::compression:
            s = samples::compression(rng, m, d, *coil_dia, lo);
            prefix = range.compression_prefix;
            break;
        case Kind::extension:
            s = samples::extension(rng, m, d, *coil_dia, lo);
            prefix = range.extension_prefix;
            break;
        case Kind::torsion:
            s = samples::torsion(rng, m, d, *coil_dia);
            prefix = range.torsion_prefix;
            break;
        }
        if (!s)
            continue;
        // Torsion numbers end in the working angle, the others in the free length.
        s->modelNo =
            samples::model_number(prefix, s->coil_dia, d, kind == Kind::torsion ? s->lmax : s->lo);
        if (!used.insert(s->modelNo).second)
            continue;
        s->maker = range.maker;
        out.push_back(*s);
    }
    // Catalogue order: by size within a series.
    std::sort(out.begin(), out.end(), [](const Spring& a, const Spring& b) {
        if (a.coil_dia != b.coil_dia)
            return a.coil_dia < b.coil_dia;
        if (a.wire_dia != b.wire_dia)
            return a.wire_dia < b.wire_dia;
        return a.lo < b.lo;
    });
    return out;
}

} // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : "data";
    try {
        Rng rng(20240611);
        std::vector<Spring> rows;
        for (const auto& range : ranges()) {
            std::set<std::string> used;
            for (auto [kind, count] : {std::pair{Kind::compression, range.compression_count},
                                       std::pair{Kind::extension, range.extension_count},
                                       std::pair{Kind::torsion, range.torsion_count}}) {
                const auto part = springs_of(rng, range, kind, count, used);
                rows.insert(rows.end(), part.begin(), part.end());
            }
        }

        const std::string data_path = dir + "/spring_data.xml";
        samples::OutputFile data(data_path);
        {
            auto writer = samples::spring_writer(data.get());
            for (const auto& s : rows)
                samples::write_spring(writer, s);
            writer.finish();
        }
        data.close();

        const std::string maker_path = dir + "/spring_maker.xml";
        samples::OutputFile maker(maker_path);
        {
            samples::PacketWriter writer(
                maker.get(), {{"maker", 30}, {"adress", 60}, {"tel", 12}, {"fax", 12}, {"url", 30}},
                {});
            for (const auto& m : makers())
                writer.row({m.name, m.adress, m.tel, m.fax, m.url}, {});
            writer.finish();
        }
        maker.close();

        std::printf("%zu springs written to %s\n", rows.size(), data_path.c_str());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_sample_catalogue: %s\n", e.what());
        return 1;
    }
}
