// What a datasheet of the chosen spring shows, as texts ready for the page:
// the header the designer typed, the spring and its maker, the search, the
// loads and stresses at the searched lengths, the verdict list and the three
// charts. Everything is in the unit system of the last search and in the
// header's language.
#pragma once

#include "ui/verdict_report.h"

#include <QString>

#include <optional>
#include <vector>

class Chart;

namespace ui {

// The designer's own entries; each may stay empty. The language is that of
// the whole sheet, a code of sheet_languages() (ui/sheet_language.h).
struct DatasheetHeader {
    QString subject;     // 件名
    QString part_number; // 部品番号
    QString person;      // 担当
    QString memo;        // メモ
    QString language = QStringLiteral("ja");
};

// A caption and its value with the unit: "自由長", "30 mm".
struct DatasheetItem {
    QString label;
    QString value;
};

// The evaluation at one searched length, each text as the window shows it.
struct DatasheetLength {
    QString condition; // "第1選択条件"
    QString length;    // "25 mm"
    QString load;      // "10.00 N", or "範囲外"
    QString band;      // "9.00 – 11.00 N (±10 %)", empty when the load is not known
    QString stress;    // τ0 "229 MPa", or "—"
    QString allowable; // τa, or "なし"
    QString ratio;     // τ0/τa "0.20", or "—"
    bool load_out_of_range = false;
    bool over_limit = false; // the ratio at or above the type's limit
};

// A chart of the window with the caption the sheet puts above it. Not owned.
struct DatasheetChart {
    QString caption;
    Chart* chart = nullptr;
};

struct DatasheetContent {
    QString program; // the program's title
    QString date;
    DatasheetHeader header;

    QString model_number;
    std::vector<DatasheetItem> spring;    // maker and its address, type, material, the
                                          // catalogue it came from
    std::vector<DatasheetItem> catalogue; // the catalogue values
    std::vector<DatasheetItem> search;    // both working points with their tolerances, the
                                          // operating range and the cycle count
    std::vector<DatasheetItem> assumed;   // what the checks took of the spring and its grade
    std::vector<DatasheetLength> lengths; // one per searched length
    std::optional<VerdictReport> verdict; // none when the window shows no verdict
    std::vector<DatasheetChart> charts;
};

} // namespace ui
