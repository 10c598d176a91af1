// The maker table as the main window's maker box shows it: the row of the
// current spring's maker, its texts, and the fields the box is bound to.
#pragma once

#include <QString>

namespace catalogue {
class Table;
}
namespace ui {
class MakerBox;
}

namespace app {

// Throws catalogue::TableError naming the text whose field the table lacks.
void check_maker_fields(const catalogue::Table& makers);

// The current maker row's texts in the box; empty texts without one.
void show_maker_row(ui::MakerBox& box, const catalogue::Table& makers);

// Narrows an open maker table to the current spring's maker.
void follow_spring_maker(catalogue::Table& makers, const catalogue::Table& springs);

// The current maker's web address; empty without one.
QString current_maker_url(const catalogue::Table& makers);

} // namespace app
