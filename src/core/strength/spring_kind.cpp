// The kind of spring the checks take a spring type item for.
#include "core/strength/spring_check_list.h"

#include "core/catalogue/spring_record.h"

namespace spring_checks {

std::optional<SpringKind> kind_of_type_item(int type_item) {
    using catalogue::spring::SpringType;
    switch (catalogue::spring::type_of_item(type_item).value_or(SpringType::Torsion)) {
    case SpringType::Compression:
        return SpringKind::Compression;
    case SpringType::Extension:
        return SpringKind::Extension;
    default:
        return std::nullopt;
    }
}

} // namespace spring_checks
