# Shared part of the two mingw-w64 toolchains; the caller sets CVN_MINGW_TRIPLET.
set(CMAKE_SYSTEM_NAME Windows)

# The posix thread model: the win32 model has no std::mutex or std::thread.
set(CMAKE_C_COMPILER ${CVN_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CVN_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${CVN_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${CVN_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test programs run under Wine through a wrapper that closes standard input.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec)
