#include "core/strength/coil_consistency.h"

namespace spring_checks {

CoilRange plausible_active_coils(bool compression, double total_coils) {
    if (compression)
        return {total_coils - 3, total_coils};
    return {total_coils - 1, total_coils + 1};
}

} // namespace spring_checks
