#pragma once

namespace chart_detail {

// Sets a property field; true when its value changed, so that the setter
// repaints only then.
template <typename T> bool assign(T& field, const T& value) {
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace chart_detail
