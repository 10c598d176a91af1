// The checks of one catalogue spring, timed over many generated springs as the
// verdict column would run them over the rows a search lists: one checker per search,
// one check per row. Each iteration checks one record, so the time per iteration is
// the time per record.
//
//   spring_checks_gbench [Google Benchmark options]
#include "core/strength/spring_check_list.h"
#include "core/strength/spring_checks.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace spring_checks;

// splitmix64: the same records on every run and platform.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    double unit() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return static_cast<double>(z >> 11) * (1.0 / 9007199254740992.0);
    }
    double uniform(double lo, double hi) { return lo + (hi - lo) * unit(); }
    template <typename T, std::size_t N> const T& pick(const T (&items)[N]) {
        return items[static_cast<std::size_t>(unit() * N)];
    }

private:
    std::uint64_t state_;
};

// Grades as often as catalogues list them; SUP9 in these sizes lies outside its grade,
// and a few designations are not in the material table at all.
const char* const kGrades[] = {"SWP-B",     "SWP-B",     "SWP-B",   "SWP",  "SWP-A",
                               "SWO-B",     "SWO-B",     "SWO-A",   "SW-C", "SW-C",
                               "SUS304WPB", "SUS304WPB", "SUS-WPA", "SUP9", "PB",
                               "SWP-B",     "SWP-B",     "SWO-B",   "SW-C", "SUS304WPB"};
const double kWires[] = {0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 1.0, 1.2, 1.4, 1.6,
                         1.8, 2.0, 2.3, 2.6, 2.9, 3.2, 3.5, 4.0, 4.5, 5.0, 6.0};

// Springs whose load lines pass the searched lengths, as the listed rows of a search do:
// compression springs over 20 and 25 mm, extension springs over 30 and 40 mm.
std::vector<Record> make_records(SpringKind kind, std::size_t count) {
    Rng rng(kind == SpringKind::Compression ? 1 : 2);
    std::vector<Record> records;
    records.reserve(count);
    while (records.size() < count) {
        Record r;
        r.material = rng.pick(kGrades);
        const auto constants = elastic_constants(std::string(r.material));
        const double G = constants ? constants->shear_modulus : 78500;
        const double d = rng.pick(kWires);
        const double D = d * rng.uniform(4, 12);
        const double n = rng.uniform(3, 20);
        r.wire_dia = d;
        r.coil_dia = D + d;
        r.k = G * d * d * d * d / (8 * D * D * D * n);
        r.turn = n + 2;
        if (kind == SpringKind::Compression) {
            r.lo = rng.uniform(26, 80);
            r.lmax = rng.uniform(8, 19.5);
            r.fo = 0;
        } else {
            r.lo = rng.uniform(15, 29.5);
            r.lmax = rng.uniform(41, 80);
            r.fo = rng.uniform(40, 150) * 3.141592653589793 * d * d * d / (8 * D);
        }
        records.push_back(r);
    }
    return records;
}

Duty search_duty(SpringKind kind) {
    using Given = OperatingRange::Given;
    if (kind == SpringKind::Compression)
        return {kind, 25.0, 20.0, OperatingRange{Given::Lengths, 20, 25}, 1e7};
    return {kind, 30.0, 40.0, OperatingRange{Given::Lengths, 30, 40}, 1e7};
}

constexpr std::size_t kRecords = 1 << 16;

void checks_per_record(benchmark::State& state, SpringKind kind) {
    const std::vector<Record> records = make_records(kind, kRecords);
    const SpringChecker checker(search_duty(kind), CheckConditions{});
    std::size_t i = 0, made = 0, absent = 0;
    for (auto _ : state) {
        const SpringVerdict v = checker.check(records[i++ & (kRecords - 1)]);
        made += v.checks.size();
        absent += v.absent.size();
        benchmark::DoNotOptimize(v);
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["checks/record"] =
        benchmark::Counter(static_cast<double>(made) / static_cast<double>(state.iterations()));
    state.counters["absent/record"] =
        benchmark::Counter(static_cast<double>(absent) / static_cast<double>(state.iterations()));
}

void BM_CompressionSprings(benchmark::State& state) {
    checks_per_record(state, SpringKind::Compression);
}
BENCHMARK(BM_CompressionSprings);

void BM_ExtensionSprings(benchmark::State& state) {
    checks_per_record(state, SpringKind::Extension);
}
BENCHMARK(BM_ExtensionSprings);

// Without a checker the fatigue region is worked out again for every record.
void BM_OneOffCheck(benchmark::State& state) {
    const std::vector<Record> records = make_records(SpringKind::Compression, kRecords);
    const Duty duty = search_duty(SpringKind::Compression);
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(check_spring(records[i++ & (kRecords - 1)], duty, {}));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_OneOffCheck);

} // namespace

BENCHMARK_MAIN();
