// The reasons the checks give, core's constant Japanese texts, in the language
// of the installed translator (Japanese without one).
#pragma once

#include <QString>

#include <string_view>
#include <vector>

namespace ui {

QString reason_text(std::string_view reason);

// Every reason the checks give, as core writes them.
std::vector<std::string_view> check_reasons();

} // namespace ui
