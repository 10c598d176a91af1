#pragma once

// Start-up steps 1 to 3: the application title, the main window
// `Form_spring` and the hidden service-life dialog `Form_cycle`. Needs a
// constructed QApplication; does not run the message loop.
void create_forms();

// Shows the main window made by create_forms().
void show_main_form();
