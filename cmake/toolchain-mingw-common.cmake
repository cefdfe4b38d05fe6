# Shared part of the two mingw-w64 toolchain files; TRIVELO_MINGW_TRIPLET names the compiler.
set(CMAKE_SYSTEM_NAME Windows)

# The posix thread model (winpthread) gives std::thread and std::mutex; it is linked statically.
set(CMAKE_C_COMPILER ${TRIVELO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TRIVELO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TRIVELO_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TRIVELO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No DLL of the compiler's runtime beside the programs: everything is linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest (and add_custom_command with a target as command) runs the programs under Wine, in a
# private prefix inside the build folder.
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run --prefix ${CMAKE_BINARY_DIR}/wine-prefix)
