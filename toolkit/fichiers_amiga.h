// The Amiga-family side of the file toolkit: the workspace in RAM: and the asl requesters.
#pragma once

#include <dos/dos.h>

#include <string>

namespace trivelo {

// Folder that holds the workspaces of this maker's programs, and the program name of the installer.
inline constexpr const char* kDossierFabricant = "RAM:T/Felgrove";
inline constexpr const char* kNomProgramme = "Trivelo_Extension";

// Creates (or reuses) RAM:T/Felgrove/<nom> and holds a shared lock on it. On failure `erreur`
// holds "Can't create ..." with a line end and the result is false.
bool temporairecreer(const char* nom, std::string& erreur, BPTR& verrou);

// Releases the lock and removes the workspace and the maker folder when they are empty.
void temporairesupprimer(const char* nom, BPTR verrou);

// The workspace folder of the program, ending in "/".
std::string temporairechemin(const char* nom);

// asl file requester: the chosen drawer and file as one path (AmigaOS 4), or the chosen drawer
// ending in a separator (MorphOS); false when cancelled or when no requester could be made.
bool fichierdemander(const char* titre, const char* dossier, std::string& resultat);
bool dossierdemander(const char* titre, const char* dossier, std::string& resultat);

}  // namespace trivelo
