#include "core/strength/spring_check_list.h"

#include "core/strength/refused_data.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace spring_checks {

const StrengthCache::Strengths& StrengthCache::get(std::string_view designation, const Grade& grade,
                                                   double d) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &d, sizeof bits);
    const std::uint64_t key = bits ^ reinterpret_cast<std::uintptr_t>(&grade);
    // Fibonacci hashing: the top bits of the product pick one of the 128 slots.
    Slot& slot = slots_[(key * 0x9E3779B97F4A7C15ull) >> 57];
    if (slot.grade != &grade || slot.d != d) {
        const std::string name(designation);
        const auto value = [&](double (*lookup)(const std::string&, double)) {
            return or_failed([&] { return std::optional<double>(lookup(name, d)); },
                             [] { return std::optional<double>(); });
        };
        slot.values = {value(spr_mat::allowable_stress), value(spr_mat::tensile_strength)};
        slot.grade = &grade;
        slot.d = d;
    }
    return slot.values;
}

} // namespace spring_checks
