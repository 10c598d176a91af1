#pragma once

#include <stdexcept>
#include <string>

// Raised by the chart surface when a caller asks for something it refuses, such
// as an axis whose minimum would lie above its maximum. what() is UTF-8.
class ChartRangeError : public std::runtime_error {
public:
    explicit ChartRangeError(const std::string& utf8Message) : std::runtime_error(utf8Message) {}
};
