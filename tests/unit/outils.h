// Helpers shared by the toolkit tests: a fresh working folder per test, whole-file reads and
// writes of raw bytes, and standard output captured around a call.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "liste.h"
#include "platform.h"

namespace trivelo::test {

inline constexpr bool kWindows = kPlatform == Platform::Windows;

// Every test of a fixture derived from this one runs in its own empty folder, which is its
// working directory, and which is removed afterwards.
class DossierTemporaire : public ::testing::Test {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    ancien_ = fs::current_path();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string nom = std::string("trivelo_") + platform_name() + "_" + info->test_suite_name() + "_" + info->name();
    for (char& c : nom) {
      if (c == '/') c = '_';
    }
    // Several build folders may run the same tests at the same time.
    nom += "_" + std::to_string(std::random_device{}() ^ static_cast<unsigned>(
                                    std::chrono::steady_clock::now().time_since_epoch().count()));
    dossier_ = fs::temp_directory_path() / nom;
    fs::remove_all(dossier_);
    fs::create_directories(dossier_);
    fs::current_path(dossier_);
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::current_path(ancien_, ec);
    std::filesystem::remove_all(dossier_, ec);
  }
  std::filesystem::path dossier_;

 private:
  std::filesystem::path ancien_;
};

inline void ecrire(const std::filesystem::path& nom, const std::string& octets) {
  std::ofstream f(nom, std::ios::binary | std::ios::trunc);
  f.write(octets.data(), static_cast<std::streamsize>(octets.size()));
}

inline std::string lire(const std::filesystem::path& nom) {
  std::ifstream f(nom, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// Runs f and returns what it printed on standard output. A C runtime that writes text-mode
// line ends (CR LF) is brought back to LF, the program's own line end.
template <typename F>
std::string sortie_de(F&& f) {
  std::fflush(stdout);
  ::testing::internal::CaptureStdout();
  f();
  std::fflush(stdout);
  std::string texte = ::testing::internal::GetCapturedStdout();
  std::string net;
  for (size_t i = 0; i < texte.size(); ++i) {
    if (texte[i] == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n') continue;
    net.push_back(texte[i]);
  }
  return net;
}

inline std::vector<std::string> textes(const Liste& liste) {
  std::vector<std::string> v;
  for (const cellule* c = liste.premier(); c != nullptr; c = c->suivant) v.push_back(c->texte.value_or("<absent>"));
  return v;
}

}  // namespace trivelo::test
