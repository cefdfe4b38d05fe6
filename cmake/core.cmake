# The toolkit and installer core, built once per platform variant as trivelo_core_<platform>.
# Pure code is shared; the system calls come from one family file per layer:
#   *_win32.cpp  Win32 (the Windows build on Windows),
#   *_posix.cpp  host replacements of those few Win32 calls (the Windows variant on Linux),
#   *_amiga.cpp  dos/exec/locale/asl/application (MorphOS and AmigaOS 4; the stand-in on a host).

set(TRIVELO_CORE_COMMON
  toolkit/chaine.cpp
  toolkit/liste.cpp
  toolkit/messages.cpp
  toolkit/fichiers.cpp
  toolkit/platform.cpp
  installer/scrambler.cpp
  installer/foldercheck.cpp
  installer/installation.cpp
  installer/flow.cpp
)

function(trivelo_add_core platform)
  set(target trivelo_core_${platform})
  set(sources ${TRIVELO_CORE_COMMON})
  if(platform STREQUAL "windows")
    list(APPEND sources toolkit/fichier_texte_stdio.cpp installer/fichier_brut_stdio.cpp)
    if(WIN32)
      list(APPEND sources toolkit/systeme_win32.cpp installer/systeme_win32.cpp)
    else()
      list(APPEND sources toolkit/systeme_posix.cpp installer/systeme_posix.cpp)
    endif()
  else()
    list(APPEND sources toolkit/fichier_texte_dos.cpp toolkit/systeme_amiga.cpp installer/systeme_amiga.cpp)
  endif()
  set(present)
  foreach(s ${sources})
    if(EXISTS ${PROJECT_SOURCE_DIR}/${s})
      list(APPEND present ${PROJECT_SOURCE_DIR}/${s})
    endif()
  endforeach()
  add_library(${target} STATIC ${present})
  string(TOUPPER ${platform} upper)
  target_compile_definitions(${target} PUBLIC TRIVELO_PLATFORM_${upper})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/toolkit ${PROJECT_SOURCE_DIR}/installer)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(platform STREQUAL "windows")
    if(WIN32)
      target_link_libraries(${target} PUBLIC ole32 shell32 comctl32 user32 gdi32)
    endif()
  else()
    target_link_libraries(${target} PUBLIC amiga_standin)
  endif()
endfunction()
