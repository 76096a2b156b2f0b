// Dictionaries for the spell tests: Debian's en_US and small ones written by the tests.
#pragma once
#include <filesystem>
#include <string>
#include <string_view>

#include "zqtest/ScratchFolder.h"

namespace spelltest {

// A fresh folder under the system's temporary folder, removed with the object.
class TempFolder {
 public:
  // Writes bytes to name in the folder; returns its path.
  std::string Write(const std::string& name, std::string_view bytes) const;
  std::string Path(const std::string& name) const;
  // The file's bytes; empty when it is missing.
  std::string Read(const std::string& name) const;

 private:
  zqtest::ScratchFolder scratch_{"zq_spell"};
  const std::filesystem::path& dir_ = scratch_.path();
};

// The Windows view of a POSIX path: drive C: is the root, "\" separates.
std::string WindowsView(const std::string& posix);

std::string EnUsAff();
std::string EnUsDic();

// A small dictionary in UTF-8: "katze" (with suffix S: "katzes"), "straße", "mädchen".
struct Utf8Dict {
  static constexpr std::string_view kAff = "SET UTF-8\nTRY aeiouäöüßkztscrhmdn\nSFX S Y 1\nSFX S 0 s .\n";
  static constexpr std::string_view kDic = "3\nkatze/S\nstraße\nmädchen\n";
};

// A small dictionary in ISO8859-1: "café" and "über" in Latin-1 bytes, "pomme" with suffix S.
struct Latin1Dict {
  static constexpr std::string_view kAff = "SET ISO8859-1\nTRY aeiou\xE9\xFC" "cfpmrb\nSFX S Y 1\nSFX S 0 s .\n";
  static constexpr std::string_view kDic = "3\ncaf\xE9\n\xFC" "ber\npomme/S\n";
};

}  // namespace spelltest
