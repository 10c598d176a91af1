#include "core/search/conditions.h"

namespace search {

Conditions conditions;

void reset_conditions() {
    conditions = Conditions{};
}

} // namespace search
