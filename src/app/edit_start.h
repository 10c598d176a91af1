#pragma once

class QLineEdit;

namespace app {

// A line edit that loses the focus shows the start of its text, so that a
// long number is not read by its last digits ("5099" for 0.5099).
void show_start_after_editing(QLineEdit* edit);

} // namespace app
