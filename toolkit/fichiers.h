// Paths and file copies, common to the three builds.
#pragma once

#include <string>

namespace trivelo {

// Ends a folder path with a separator before a file name is added: "/" is appended unless the
// path already ends with ":" or "/" (on Windows also "\"). The empty path becomes "/".
std::string& cheminterminer(std::string& chemin);

// Copies a file, replacing the destination; with `garder_date` the copy keeps the source's
// modification date (and, on the Amiga family, its comment and protection bits too).
// Returns false when the source or the destination cannot be opened, or when a read or a write
// fails (a partly written destination is then removed).
bool fichiercopier2(const char* source, const char* destination, bool garder_date);

}  // namespace trivelo
