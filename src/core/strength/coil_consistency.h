// Whether a catalogue's rate and total coils can belong to one spring: the active
// coils the rate gives (n = G d^4 / (8 D^3 k)) must lie within what the total coils
// allow. A compression spring has one or two dead coils at each end, so between
// total - 3 and total active coils; an extension spring is close-wound between its
// hooks, so about as many as it has in all, give or take one.
#pragma once

namespace spring_checks {

struct CoilRange {
    double low, high; // active coils, both inclusive
};

// The active coils a spring of `total_coils` can have; total_coils must be positive.
CoilRange plausible_active_coils(bool compression, double total_coils);

inline bool coils_consistent(bool compression, double active_coils, double total_coils) {
    const CoilRange r = plausible_active_coils(compression, total_coils);
    return active_coils >= r.low && active_coils <= r.high;
}

} // namespace spring_checks
