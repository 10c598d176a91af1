// The texts of a datasheet from the program's values, formatted as the
// window, the grid and the maker box show them.
#pragma once

#include "core/search/conditions.h"
#include "core/strength/load_tolerance.h"
#include "core/strength/spring_evaluation.h"
#include "ui/datasheet_content.h"

#include <optional>

namespace catalogue {
class Table;
}

namespace ui {

// A catalogue spring as the grid holds it: forces in the display unit
// system; a value the catalogue leaves empty is absent.
struct SpringFacts {
    QString model_number, maker, type, material;
    std::optional<double> lo, fo, lmax, fmax, k, coil_dia, wire_dia, turn;
};

// The maker box's texts, and the address the maker table holds.
struct MakerFacts {
    QString name, address, tel, fax, url;
};

// Where the spring came from: the catalogue folder and its file's last change.
struct CatalogueSource {
    QString folder;
    QString file_date; // empty when the file cannot be read
};

SpringFacts spring_facts(const catalogue::Table& springs, int row);
// The maker table's current row; only the name (from the spring) without one.
MakerFacts maker_facts(const catalogue::Table& makers, const QString& spring_maker);

// メーカー, 住所, 電話, FAX, Web, 種類, 材質, カタログ.
std::vector<DatasheetItem> spring_items(const SpringFacts& spring, const MakerFacts& maker,
                                        const CatalogueSource& source);
// Lengths, loads, rate, diameters and coils.
std::vector<DatasheetItem> catalogue_items(const SpringFacts& spring, const DisplayUnits& units);
// The duty beside the search: the operating range as typed (lengths in mm or loads in
// the display force unit) and the cycle count.
struct DutyTexts {
    QString first, second;
    bool lengths = true;
    QString cycles;
};

// Both working points of the search (length and load with their tolerances), then the
// operating range and the cycle count.
std::vector<DatasheetItem> search_items(const search::Conditions& conditions,
                                        const DisplayUnits& units, const DutyTexts& duty);
// The verdict's assumptions, each a caption and its value.
std::vector<DatasheetItem> assumed_items(const VerdictReport& report);
// The load, its band (none where the tolerance grade gives the spring none), τ0, τa
// and their ratio at each searched length.
std::vector<DatasheetLength>
length_rows(const strength::SpringEvaluation& evaluation, const search::Conditions& conditions,
            const DisplayUnits& units,
            const std::optional<spring_checks::LoadTolerance>& tolerance);

} // namespace ui
