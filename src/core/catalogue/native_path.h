// Paths travel through the program as UTF-8 in std::string; these give the
// system its own form of them, and tell names that Windows reserves for
// devices, which no file can have.
#pragma once

#include <filesystem>
#include <string>

namespace catalogue {

std::filesystem::path native_path(const std::string& utf8);

// The path as UTF-8, whatever the system's own form of it.
std::string utf8_path(const std::filesystem::path& path);

// Whether Windows takes `utf8` for a device rather than a file: a name in
// the device namespace (\\.\pipe\x, \\?\GLOBALROOT\...), or a last
// component such as CON, NUL, COM1 or LPT2.txt, whatever its case, its
// extension and its trailing dots and spaces. Checked on every system, so
// that a name is judged alike everywhere; only Windows acts on it.
bool is_windows_device_name(const std::string& utf8);

} // namespace catalogue
