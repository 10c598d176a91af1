// Catalogue and maker packets for tests, and files to put them in; no Qt, so
// that the table and reader tests link the core only.
#pragma once

#include <string>
#include <vector>

namespace testsupport {

struct SpringRow {
    std::string modelNo, maker, type, material;
    double lo = 0, fo = 0, lmax = 0, fmax = 0, k = 0, coil_dia = 0, wire_dia = 0, turn = 0;
};

struct MakerRow {
    std::string maker, adress, tel, fax, url;
};

// A compression spring of SWP-B by KSSC (10 mm coil, 1 mm wire, 8 turns)
// whose rate follows from its load line; tests change what they need.
SpringRow spring_row(const std::string& model, double lo, double fo, double lmax, double fmax);

// Data packets as UTF-8 text without an encoding declaration.
std::string spring_packet(const std::vector<SpringRow>& rows);
std::string maker_packet(const std::vector<MakerRow>& rows);

// UTF-8 text in code page 932, as the files of the catalogue come.
std::string to_cp932(const std::string& utf8);

// Writes bytes unchanged, or UTF-8 text converted to code page 932.
void write_file(const std::string& path, const std::string& bytes);
void write_file_cp932(const std::string& path, const std::string& utf8);

} // namespace testsupport
