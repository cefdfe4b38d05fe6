#include "fichiers.h"

#include "chaine.h"
#include "platform.h"

namespace trivelo {

std::string& cheminterminer(std::string& chemin) {
  const std::string dernier = chaineextraire(chemin, static_cast<long>(chemin.size()), 1);
  const bool termine = dernier == ":" || dernier == "/" || (!kAmigaFamily && dernier == "\\");
  if (!termine) chemin.push_back('/');
  return chemin;
}

}  // namespace trivelo
