# Cross build for 64-bit Windows with mingw-w64. The deliverable is 32-bit (toolchain-mingw-i686);
# this build runs the same tests under the 64-bit Wine, which needs no 32-bit support from the
# machine. scripts/test.sh uses it where 32-bit x86 code runs only through qemu-i386, under which
# the 32-bit Wine cannot handle processor faults.
#
#   cmake -S . -B build/mingw64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x86_64.cmake
set(TRIVELO_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
