#pragma once

#include "app/file_chooser.h"

#include <QString>

#include <functional>

namespace app {

// Refuses a target that is one of the catalogue files the program reads from
// its working directory, by name or through a link: the reason, or empty
// when the path may be written.
QString refused_save_target(const QString& path);

// Completes the chosen path, for instance with the suffix of the chosen type.
using CompletePath = std::function<QString(const SaveChoice&)>;

// Asks for a path to write to, as every save command of the program does:
// the chooser, the completed path, then a refusal of the catalogue files
// (shown in a message box), and only then whether to replace an existing
// file. An empty path: cancelled, refused or not to be replaced.
SaveChoice ask_save_target(const SaveRequest& request, const CompletePath& complete);

} // namespace app
