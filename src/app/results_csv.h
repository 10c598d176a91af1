#pragma once

#include <QString>

#include <functional>
#include <stdexcept>

#include <vector>

class SpringGridModel;

namespace app {

enum class CsvEncoding {
    Utf8Bom, // UTF-8 with a byte-order mark, which spreadsheets take as UTF-8
    Cp932,   // code page 932, for older spreadsheets
};

// Writes the grid's rows and columns as shown (see grid_text.h) to path,
// never over a catalogue file (see save_target.h),
// through a temporary file renamed over the target, so that a failure leaves
// any earlier file as it was and no half file. Throws std::runtime_error with
// a message for the user.
//
// `progress`, when given, hears how far the writing is (0 to 1) and may stop it
// by returning false: SaveStopped is thrown and any earlier file stays as it was.
struct SaveStopped : std::runtime_error {
    SaveStopped() : std::runtime_error("The save was stopped.") {}
};
void save_results_csv(const SpringGridModel& model, const std::vector<int>& columns,
                      const QString& path, CsvEncoding encoding,
                      const std::function<bool(double)>& progress = {});

} // namespace app
