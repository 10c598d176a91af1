// tarvolin-catalogue: checks, imports and exports spring catalogues.

#include "cli.h"

#include <iostream>

#if defined(_WIN32)
#include <string>
#include <vector>
#include <windows.h>
// after windows.h, whose types it uses
#include <shellapi.h>

namespace {

// The tool takes and prints UTF-8 everywhere. Windows hands argv over in
// the ANSI code page, which cannot hold every file name, so the arguments
// are taken from the wide command line, and the console is told that the
// messages are UTF-8.
std::vector<std::string> utf8_arguments() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 0; wide && i < count; ++i) {
        const int bytes =
            WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(static_cast<std::size_t>(bytes > 0 ? bytes : 1), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), bytes, nullptr, nullptr);
        arg.resize(arg.size() - 1);
        args.push_back(std::move(arg));
    }
    LocalFree(wide);
    return args;
}

} // namespace

int main(int, char**) {
    SetConsoleOutputCP(CP_UTF8);
    std::vector<std::string> args = utf8_arguments();
    std::vector<char*> argv;
    for (auto& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    return cattool::run_cli(static_cast<int>(args.size()), argv.data(), std::cout, std::cerr);
}

#else

int main(int argc, char** argv) {
    return cattool::run_cli(argc, argv, std::cout, std::cerr);
}

#endif
