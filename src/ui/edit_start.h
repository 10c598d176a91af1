#pragma once

class QLineEdit;

namespace ui {

// A line edit that the user leaves shows the start of its text, so that a
// long number is not read by its last digits ("5099" for 0.5099). A box or
// menu that opens over it leaves its cursor alone.
void show_start_after_editing(QLineEdit* edit);

} // namespace ui
