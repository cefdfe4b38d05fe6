#include "installation.h"

#include <cstdio>
#include <set>
#include <vector>

#include "chaine.h"
#include "fichier_texte.h"
#include "fichiers.h"
#include "foldercheck.h"
#include "messages.h"
#include "platform.h"
#include "scrambler.h"
#include "systeme.h"

namespace trivelo {

namespace {

constexpr uint32_t kMessageTitle = 15;
// Name under which each image is copied into the game's data folder before it is renamed to its own
// name: one fixed name, so whatever a stopped run left there is found and removed by the next.
constexpr const char* kImageNewName = "trivelo_extension_image.new";
// Amiga family: names the image whose old version is moved aside while its new one is renamed in.
constexpr const char* kImageJournalName = "trivelo_extension_image.nom";

// One image to copy: the add-on's source and the game's destination.
struct Copy {
  unsigned character;  // k, 1 to n
  std::string source;
  std::string destination;
};

// A file of the game that the attempt may write, and how to put it back.
struct Saved {
  std::string path;
  bool existed = false;
  std::string backup;   // copy of the old file in the work area, when it existed
  bool touched = false; // the attempt started writing it
};

bool same_bytes(const std::string& a, const std::string& b) {
  systeme::FichierBrut fa, fb;
  if (!fa.ouvrir_lecture(a) || !fb.ouvrir_lecture(b)) return false;
  std::vector<char> ba(64 * 1024), bb(64 * 1024);
  for (;;) {
    const long na = fa.lire(ba.data(), static_cast<long>(ba.size()));
    if (na < 0) return false;
    // Read the same amount from the second file (it may come in smaller pieces).
    long nb = 0;
    while (nb < na) {
      const long r = fb.lire(bb.data() + nb, na - nb);
      if (r <= 0) break;
      nb += r;
    }
    if (nb != na) return false;
    if (na == 0) {
      char c;
      return fb.lire(&c, 1) == 0;
    }
    if (std::char_traits<char>::compare(ba.data(), bb.data(), static_cast<size_t>(na)) != 0) return false;
  }
}

bool copy_file(const std::string& source, const std::string& destination) {
  return fichiercopier2(systeme::nom(source).c_str(), systeme::nom(destination).c_str(), true);
}

// Puts the saved copy back in place of `path`, unless the file already holds those bytes.
bool restore(const std::string& backup, const std::string& path) {
  if (same_bytes(backup, path)) return true;
  const std::string beside = scramble_new_name(path);
  if (copy_file(backup, beside) && systeme::remplacer(beside, path)) return true;
  systeme::supprimer(beside);
  return copy_file(backup, path) && same_bytes(backup, path);
}

class Installation {
 public:
  Installation(const std::string& folder, const std::string& title, const Liste& catalogue, FrontEnd& front_end)
      : title_(title), catalogue_(catalogue), front_end_(front_end), work_(systeme::zone_travail()) {
    std::string prefix = folder;
    cheminterminer(prefix);
    game_prefix_ = prefix;
    game_list_.path = prefix + relative_name("texte", "trivelo_lst_ext.txt");
    game_roster_.path = prefix + relative_name("data", "perso.dta");
    addon_roster_ = relative_name("data", "perso.dta");
    list_new_ = scramble_new_name(game_list_.path);
    image_new_ = prefix + relative_name("data", kImageNewName);
    image_journal_ = prefix + relative_name("data", kImageJournalName);
    work1_ = work_ + "perso.dta";
    work2_ = work_ + "perso_nou.dta";
  }

  InstallReport run() {
    if (prepare() && write()) {
      report_.outcome = InstallOutcome::Installed;
      clean_work_area();
    }
    return report_;
  }

 private:
  // Everything that can go wrong before the game is written to.
  bool prepare() {
    if (!paths_fit({game_list_.path, list_new_, list_new_ + ".old", game_roster_.path, scramble_new_name(game_roster_.path),
                    game_roster_.path + ".old", image_new_, image_journal_})) {
      return refuse();
    }
    recover_interrupted();
    if constexpr (!kAmigaFamily) {
      // The work files live in the add-on's temp folder; an add-on shipped without it still installs.
      if (!systeme::est_dossier("temp") && !systeme::dossier_creer("temp")) return fail("temp", "could not be created");
    }
    // Work files of an earlier run must never be taken for this run's rosters.
    for (const std::string* w : {&work1_, &work2_}) {
      if (!systeme::supprimer(*w)) return fail(*w, "could not be written");
    }

    // The game's list of installed add-ons: rewritten with one more line, so it must be read whole.
    game_list_.existed = systeme::existe(game_list_.path);
    if (game_list_.existed) {
      if (!lines_fit_buffer(game_list_.path)) return refuse();
      bool read = false;
      titles_ = listecharger(systeme::nom(game_list_.path).c_str(), &read);
      if (!read) return fail(game_list_.path, "could not be read");
    }

    // The game's roster: missing or unreadable means this is no game to merge into.
    switch (unscramble_roster(game_roster_.path, work1_)) {
      case ScrambleResult::Done: break;
      case ScrambleResult::SourceMissing:
      case ScrambleResult::ReadFailed: return refuse();
      case ScrambleResult::WriteFailed: return fail(work1_, "could not be written");
    }
    if (!lines_fit_buffer(work1_)) return refuse();
    bool read = false;
    roster_ = listecharger(systeme::nom(work1_).c_str(), &read);
    if (!read) return fail(work1_, "could not be read");
    report_.game_characters = listecompter(roster_);

    // The add-on's roster: a missing one adds no character.
    switch (unscramble_roster(addon_roster_, work2_)) {
      case ScrambleResult::Done:
        if (!lines_fit_buffer(work2_)) {
          return fail_text("The add-on could not be installed: a line of " + addon_roster_ +
                           " is longer than 1023 bytes. The game was left as it was.");
        }
        addon_ = listecharger(systeme::nom(work2_).c_str(), &read);
        if (!read) return fail(work2_, "could not be read");
        break;
      case ScrambleResult::SourceMissing: break;
      case ScrambleResult::ReadFailed: return fail(addon_roster_, "could not be read");
      case ScrambleResult::WriteFailed: return fail(work2_, "could not be written");
    }
    report_.characters = listecompter(addon_);

    if (!plan_copies()) return refuse();

    // Save what the attempt may overwrite, so that a failure can put it back.
    int number = 0;
    if (game_list_.existed && !save(game_list_, work_ + "lst_ext.sav")) return fail(game_list_.path, "could not be saved");
    game_roster_.existed = true;
    if (!save(game_roster_, work_ + "perso.sav")) return fail(game_roster_.path, "could not be saved");
    for (Saved& image : images_) {
      image.existed = systeme::existe(image.path);
      if (image.existed && !save(image, work_ + "image" + std::to_string(++number) + ".sav")) {
        return fail(image.path, "could not be written");
      }
    }
    return true;
  }

  // The image copies, in order: character 1 with every pattern, then character 2, ...
  bool plan_copies() {
    bool read = false;
    Liste patterns = listecharger(systeme::nom(relative_name("texte", "trivlo_extension_fichiers.txt")).c_str(), &read);
    std::vector<const std::string*> safe;
    for (const cellule* p = patterns.premier(); p != nullptr; p = p->suivant) {
      static const std::string vide;
      const std::string& pattern = p->texte ? *p->texte : vide;
      if (pattern_is_safe(pattern)) safe.push_back(&pattern);
      else ++report_.unsafe_patterns;
    }
    const std::string data_prefix = game_prefix_ + relative_name("data", "");
    std::set<std::string> planned;
    for (unsigned k = 1; k <= report_.characters; ++k) {
      for (const std::string* pattern : safe) {
        Copy copy{k, relative_name("data", avatar_name(*pattern, k) + ".png"),
                  data_prefix + avatar_name(*pattern, report_.game_characters + k) + ".png"};
        if (!paths_fit({copy.source, copy.destination, scramble_new_name(copy.destination)})) return false;
        if (!systeme::existe(copy.source)) {
          ++report_.missing_images;
          continue;
        }
        if (planned.insert(copy.destination).second) {
          images_.emplace_back();
          images_.back().path = copy.destination;
        }
        copies_.push_back(std::move(copy));
      }
    }
    return true;
  }

  bool write() {
    // Registration.
    front_end_.set_gauge(15);
    const uint32_t registered = listecompter(titles_) + 1;
    listeajouter(titles_, cellulecreer2(title_, std::nullopt, 0));
    game_list_.touched = true;
    // Written whole beside the list, then put in its place: a stop at any moment leaves the old list
    // or the new one, never a part of it.
    if (listecompter(titles_) != registered || !listesauver3(systeme::nom(list_new_).c_str(), titles_) ||
        !systeme::remplacer(list_new_, game_list_.path)) {
      systeme::supprimer(list_new_);
      return fail(game_list_.path, "could not be written");
    }
    listeliberer(titles_);

    // Roster merge: the game's characters first, then the add-on's in their order.
    front_end_.set_gauge(20);
    {
      AjouteurListe ajouteur(roster_);
      for (const cellule* c = addon_.premier(); c != nullptr; c = c->suivant) {
        ajouteur.ajouter(cellulecreer2(c->texte, std::nullopt, 0));
      }
    }
    front_end_.set_gauge(25);
    if (listecompter(roster_) != report_.game_characters + report_.characters ||
        !listesauver3(systeme::nom(work1_).c_str(), roster_)) {
      return fail(work1_, "could not be written");
    }
    game_roster_.touched = true;
    if (scramble_roster(work1_, game_roster_.path) != ScrambleResult::Done) {
      return fail(game_roster_.path, "could not be written");
    }
    listeliberer(roster_);
    listeliberer(addon_);
    systeme::supprimer(work1_);
    systeme::supprimer(work2_);
    front_end_.set_gauge(30);

    // Avatar images, numbered after the game's characters.
    const unsigned n = report_.characters;
    unsigned progress = 0;
    size_t next = 0;
    size_t image = 0;
    for (unsigned k = 1; k <= n; ++k) {
      for (; next < copies_.size() && copies_[next].character == k; ++next) {
        const Copy& copy = copies_[next];
        Saved* target = find_image(copy.destination, image);
        target->touched = true;
        // The same for every image: copied whole under one fixed name in the game's data folder,
        // then renamed into place.
        if (!copy_file(copy.source, image_new_) ||
            !replace_image(copy.destination)) {
          systeme::supprimer(image_new_);
          return fail(copy.destination, "could not be written");
        }
        ++report_.copied_images;
      }
      progress += 70 / n;
      front_end_.set_gauge(static_cast<int>(30 + progress));
    }
    return true;
  }

  // The saved state of a destination; images_ holds them in the order of their first copy.
  Saved* find_image(const std::string& destination, size_t& cursor) {
    if (cursor < images_.size() && images_[cursor].path == destination) return &images_[cursor++];
    for (Saved& s : images_) {
      if (s.path == destination) return &s;
    }
    return &images_.front();  // not reached: every planned destination has its entry
  }

  // What a run stopped in the middle of a replacement (the program killed, the machine reset) left in
  // the game folder: the new files written beside the list and the roster, and the image being
  // copied, are removed; a file that the Amiga-family replacement had moved aside (".old") while its
  // new version was not yet in place is put back. The new files have names the game never reads,
  // so until this runs the game sees only whole files (or, on the Amiga family, a roster or list
  // missing for the moment between two renames).
  void recover_interrupted() {
    // An image replacement of the Amiga family that was cut between its two renames.
    std::string interrupted;
    {
      systeme::FichierBrut journal;
      if (journal.ouvrir_lecture(image_journal_)) {
        char tampon[4096];
        const long lu = journal.lire(tampon, sizeof tampon);
        if (lu > 0) interrupted.assign(tampon, static_cast<size_t>(lu));
      }
    }
    if (!interrupted.empty()) {
      const std::string aside = interrupted + ".old";
      if (!systeme::existe(interrupted) && systeme::existe(aside) && !systeme::est_dossier(aside)) {
        systeme::remplacer(aside, interrupted);
      } else {
        systeme::supprimer(aside);
      }
    }
    systeme::supprimer(image_journal_);
    systeme::supprimer(image_new_);
    for (const std::string* path : {&game_list_.path, &game_roster_.path}) {
      systeme::supprimer(scramble_new_name(*path));
      const std::string aside = *path + ".old";
      if (!systeme::existe(*path) && systeme::existe(aside) && !systeme::est_dossier(aside)) {
        systeme::remplacer(aside, *path);
      }
    }
  }

  // Puts the image written under the fixed new name in place of the destination. AmigaDOS cannot
  // replace a file in one step (the old one is moved aside first), so on the Amiga family the
  // destination's name is written to a journal beforehand: a run cut between the two renames is
  // then put right by the next one.
  bool replace_image(const std::string& destination) {
    const bool journaled = kAmigaFamily && systeme::existe(destination);
    if (journaled) {
      systeme::FichierBrut journal;
      if (!journal.ouvrir_ecriture(image_journal_) ||
          !journal.ecrire(destination.data(), static_cast<long>(destination.size())) || !journal.fermer()) {
        systeme::supprimer(image_journal_);
        return false;
      }
    }
    const bool ok = systeme::remplacer(image_new_, destination);
    if (journaled) systeme::supprimer(image_journal_);
    return ok;
  }

  bool save(Saved& saved, const std::string& backup) {
    saved.backup = backup;
    if (!systeme::supprimer(backup)) return false;
    return copy_file(saved.path, backup) && same_bytes(saved.path, backup);
  }

  // Puts every file the attempt wrote back as it was. Returns the files that could not be restored.
  std::string rollback() {
    std::string broken;
    systeme::supprimer(image_new_);
    systeme::supprimer(list_new_);
    auto note = [&broken](const std::string& path) { broken += (broken.empty() ? "" : ", ") + path; };
    for (auto it = images_.rbegin(); it != images_.rend(); ++it) {
      if (!it->touched) continue;
      if (it->existed ? !restore(it->backup, it->path) : !systeme::supprimer(it->path)) note(it->path);
    }
    if (game_roster_.touched) {
      systeme::supprimer(scramble_new_name(game_roster_.path));
      if (!restore(game_roster_.backup, game_roster_.path)) note(game_roster_.path);
    }
    if (game_list_.touched) {
      if (game_list_.existed ? !restore(game_list_.backup, game_list_.path) : !systeme::supprimer(game_list_.path)) {
        note(game_list_.path);
      }
    }
    return broken;
  }

  void clean_work_area() {
    systeme::supprimer(work1_);
    systeme::supprimer(work2_);
    for (const Saved* s : {&game_list_, &game_roster_}) {
      if (!s->backup.empty()) systeme::supprimer(s->backup);
    }
    for (const Saved& s : images_) {
      if (!s.backup.empty()) systeme::supprimer(s.backup);
    }
  }

  bool paths_fit(std::initializer_list<std::string> paths) const {
    if constexpr (kAmigaFamily) {
      for (const std::string& p : paths) {
        if (p.size() > kLongestPath) return false;
      }
    }
    (void)paths;
    return true;
  }

  bool refuse() {
    report_.outcome = InstallOutcome::Refused;
    clean_work_area();
    show_folder_refused(catalogue_, front_end_);
    return false;
  }

  bool fail(const std::string& file, const char* what) {
    return fail_text("The add-on could not be installed: " + file + " " + what + ". The game was left as it was.");
  }

  bool fail_text(std::string text) {
    const std::string broken = rollback();
    if (!broken.empty()) {
      const size_t cut = text.rfind(" The game was left as it was.");
      if (cut != std::string::npos) text.erase(cut);
      text += " These files of the game could not be restored: " + broken + ".";
    }
    report_.outcome = InstallOutcome::Failed;
    report_.failure = text;
    clean_work_area();
    front_end_.show_message(message(catalogue_, kMessageTitle), report_.failure, MessageKind::InstallFailed);
    return false;
  }

  const std::string title_;
  const Liste& catalogue_;
  FrontEnd& front_end_;
  const std::string work_;
  std::string game_prefix_;
  Saved game_list_;
  Saved game_roster_;
  std::string addon_roster_;
  std::string work1_;
  std::string work2_;
  std::string list_new_;   // the new list of installed add-ons, before it replaces the old one
  std::string image_new_;  // each image, before it is renamed into place
  std::string image_journal_;
  Liste titles_;
  Liste roster_;
  Liste addon_;
  std::vector<Copy> copies_;
  std::vector<Saved> images_;
  InstallReport report_;
};

}  // namespace

std::string relative_name(const char* folder, const std::string& file) {
  std::string name = folder;
  name.push_back(kSeparator);
  return name + file;
}

std::string avatar_name(const std::string& pattern, unsigned number) {
  const std::string digits = nombreformater(number, nullptr, false, 0);
  const long pos = caracterechercher(pattern, 1, '@');
  if (pos == 0) return pattern + digits;
  return chaineextraire(pattern, 1, pos - 1) + digits + chaineextraire(pattern, pos + 1, -1);
}

bool pattern_is_safe(const std::string& pattern) {
  if (!pattern.empty() && (pattern[0] == '/' || pattern[0] == '\\')) return false;
  if (pattern.find(':') != std::string::npos) return false;
  size_t start = 0;
  for (;;) {
    const size_t end = pattern.find_first_of("/\\", start);
    if (pattern.compare(start, end == std::string::npos ? std::string::npos : end - start, "..") == 0) return false;
    if (end == std::string::npos) return true;
    start = end + 1;
  }
}

bool lines_fit_buffer(const std::string& file) {
  if constexpr (!kAmigaFamily) {
    (void)file;
    return true;
  } else {
    // A piece that fills the buffer without reaching a line end means the line goes on in the next
    // piece, which would load as a line of its own.
    LecteurLignes lecteur(systeme::nom(file).c_str(), kLineBufferSize);
    std::string piece;
    bool cut = false;
    while (lecteur.suivante(piece)) {
      if (cut) return false;
      cut = piece.size() == kLineBufferSize - 1 && piece.back() != '\n';
    }
    return true;
  }
}

InstallReport install_addon(const std::string& game_folder, const std::string& title, const Liste& catalogue,
                            FrontEnd& front_end) {
  Installation installation(game_folder, title, catalogue, front_end);
  return installation.run();
}

}  // namespace trivelo
