#include "core/catalogue/native_path.h"

#include <algorithm>
#include <cctype>

namespace catalogue {

std::filesystem::path native_path(const std::string& utf8) {
    return std::filesystem::u8path(utf8);
}

std::string utf8_path(const std::filesystem::path& path) {
    return path.u8string();
}

bool is_windows_device_name(const std::string& utf8) {
    std::string s = utf8;
    std::replace(s.begin(), s.end(), '/', '\\');
    if (s.rfind("\\\\.\\", 0) == 0 || s.rfind("\\\\?\\GLOBALROOT", 0) == 0)
        return true;
    std::string name =
        s.substr(s.find_last_of("\\:") == std::string::npos ? 0 : s.find_last_of("\\:") + 1);
    // "NUL.txt" and "nul . " are the device too.
    name = name.substr(0, name.find('.'));
    while (!name.empty() && (name.back() == ' ' || name.back() == '.'))
        name.pop_back();
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (name == device)
            return true;
    return name.size() == 4 && (name.rfind("COM", 0) == 0 || name.rfind("LPT", 0) == 0) &&
           name[3] >= '1' && name[3] <= '9';
}

} // namespace catalogue
