// The packets of support/packets.h written where the GUI tests name paths.
#pragma once

#include "support/packets.h"

#include <QString>
#include <string>
#include <vector>

namespace testsupport {

// Writes bytes unchanged.
void write_bytes(const QString& path, const std::string& bytes);
// Writes UTF-8 text converted to code page 932, as the files of the catalogue come.
void write_cp932(const QString& path, const std::string& utf8);

// Writes both packets into the working directory in code page 932.
void write_catalogue(const std::vector<SpringRow>& springs, const std::vector<MakerRow>& makers);

} // namespace testsupport
