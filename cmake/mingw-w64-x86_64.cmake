# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (POSIX threads, so
# that std::thread and std::mutex work as on Linux).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TARVOLIN_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TARVOLIN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARVOLIN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TARVOLIN_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${TARVOLIN_MINGW_TRIPLE}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${TARVOLIN_MINGW_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "")

# Libraries and headers come from the MinGW sysroot and the cross prefix
# (CMAKE_PREFIX_PATH, or the one scripts/windows.sh builds); programs run
# during the build come from the host, Qt's moc, rcc and uic among them.
if(NOT CMAKE_PREFIX_PATH)
    if(DEFINED ENV{TARVOLIN_WIN_PREFIX})
        set(CMAKE_PREFIX_PATH $ENV{TARVOLIN_WIN_PREFIX})
    else()
        set(CMAKE_PREFIX_PATH $ENV{HOME}/.cache/tarvolin/mingw64)
    endif()
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${TARVOLIN_MINGW_TRIPLE} ${CMAKE_PREFIX_PATH})
set(QT_HOST_PATH /usr CACHE PATH "Qt for the build machine")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests and the programs the build runs go through Wine, with the runtime
# DLLs on their path (cmake/wine-run.sh).
find_program(TARVOLIN_WINE NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT TARVOLIN_WINE)
    find_program(TARVOLIN_WINE NAMES wine64 wine)
endif()
if(TARVOLIN_WINE AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
endif()
