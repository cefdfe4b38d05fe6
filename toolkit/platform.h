// The build's platform rules, fixed at compile time.
//
// Every deliverable is built for exactly one platform, chosen by defining one of
// TRIVELO_PLATFORM_WINDOWS, TRIVELO_PLATFORM_MORPHOS or TRIVELO_PLATFORM_AMIGAOS4. The code below
// branches on `kPlatform` with `if constexpr`, so every operation keeps one signature while its
// rules (line ends, read buffers, save limit, diagnostics, separators, file names) follow the build.
// The host build compiles the core once per platform so one test suite runs against all three.
#pragma once

namespace trivelo {

enum class Platform { Windows, MorphOS, AmigaOS4 };

#if defined(TRIVELO_PLATFORM_WINDOWS) + defined(TRIVELO_PLATFORM_MORPHOS) + defined(TRIVELO_PLATFORM_AMIGAOS4) != 1
#error "define exactly one of TRIVELO_PLATFORM_WINDOWS, TRIVELO_PLATFORM_MORPHOS, TRIVELO_PLATFORM_AMIGAOS4"
#endif

#if defined(TRIVELO_PLATFORM_WINDOWS)
inline constexpr Platform kPlatform = Platform::Windows;
#elif defined(TRIVELO_PLATFORM_MORPHOS)
inline constexpr Platform kPlatform = Platform::MorphOS;
#else
inline constexpr Platform kPlatform = Platform::AmigaOS4;
#endif

// MorphOS and AmigaOS 4 share AmigaDOS, its path syntax and its buffer rules.
inline constexpr bool kAmigaFamily = kPlatform != Platform::Windows;

// Separator of the relative names the build writes ("texte\..." on Windows, "texte/..." elsewhere).
inline constexpr char kSeparator = kAmigaFamily ? '/' : '\\';

// Amiga-family read buffers: a line file is read 1024 bytes at a time, the catalogue 512.
inline constexpr unsigned kLineBufferSize = 1024;
inline constexpr unsigned kCatalogueBufferSize = 512;
// Longest text the Amiga-family builds write as one line of a line file.
inline constexpr unsigned kSaveLineLimit = 1024;
// Amiga-family fixed buffers of the flow: paths and the window title, terminator included.
inline constexpr unsigned kPathBufferSize = 2048;
inline constexpr unsigned kTitleBufferSize = 256;

const char* platform_name();

}  // namespace trivelo
