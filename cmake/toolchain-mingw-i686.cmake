# Cross build for 32-bit Windows (x86) with mingw-w64, the architecture of the Windows deliverable.
#
#   cmake -S . -B build/mingw -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake
#
# Programs are linked fully static (libgcc, libstdc++, winpthread) so that they run under Wine
# without any DLL beside them; ctest runs them through scripts/wine-run.
set(TRIVELO_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
