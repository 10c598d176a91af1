#include "app/maker_rows.h"

#include "core/catalogue/spring_record.h"
#include "core/catalogue/table.h"
#include "ui/maker_box.h"
#include "ui/qt_text.h"

namespace app {

void check_maker_fields(const catalogue::Table& makers) {
    namespace m = catalogue::maker;
    if (!makers.isBound(m::tel))
        throw catalogue::TableError("DBText_tel: 項目 'tel' が見つかりません");
    if (!makers.isBound(m::url))
        throw catalogue::TableError("DBText_url: 項目 'url' が見つかりません");
}

void show_maker_row(ui::MakerBox& box, const catalogue::Table& makers) {
    namespace m = catalogue::maker;
    const int row = makers.isOpen() ? makers.currentRow() : -1;
    auto field_text = [&](int field) {
        return row < 0 ? QString() : ui::qtext(makers.text(row, field));
    };
    box.showMaker(field_text(m::maker), field_text(m::tel), field_text(m::url));
}

void follow_spring_maker(catalogue::Table& makers, const catalogue::Table& springs) {
    if (!makers.isOpen())
        return;
    const int row = springs.currentRow();
    makers.setRange(row < 0 ? std::string_view() : springs.text(row, catalogue::spring::maker));
}

QString current_maker_url(const catalogue::Table& makers) {
    if (!makers.isOpen() || makers.currentRow() < 0)
        return {};
    return ui::qtext(makers.text(makers.currentRow(), catalogue::maker::url));
}

} // namespace app
