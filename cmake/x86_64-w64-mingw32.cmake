# The same sources for 64-bit Windows: the build the tests run, because the kernels of our
# build machines cannot execute 32-bit x86 code (no IA-32 emulation), so 32-bit Wine cannot start.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CVN_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
