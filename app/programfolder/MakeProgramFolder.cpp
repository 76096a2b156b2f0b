// Makes a fresh program folder: the settings file and the three data files written as the
// program writes them, and the pictures. Usage: orvid_folder_maker <folder>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "Defaults.h"
#include "app/IniFile.h"
#include "app/State.h"
#include "hostlib/Dialogs.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  std::string folder = std::filesystem::absolute(argv[1]).string() + "/";
  std::filesystem::create_directories(folder);
  for (const char* name : {"Orvid.INI", "Script.dat", "VExtensions.dat", "AExtensions.dat"}) {
    std::filesystem::remove(folder + name);
  }
  orvid::folder::SetDefaults();
  INIPATH = folder;
  // Nobody answers here: a failure's dialog is cancelled at once and the missing file reported.
  static std::atomic<uint8_t> closing{1};
  SetDialogsClosingFlag(&closing);
  std::thread saving(PUTINI);
  saving.join();
  int failures = 0;
  for (const char* name : {"Orvid.INI", "Script.dat", "VExtensions.dat", "AExtensions.dat"}) {
    if (!std::filesystem::exists(folder + name)) {
      std::fprintf(stderr, "cannot write %s%s\n", folder.c_str(), name);
      ++failures;
    }
  }
  for (const std::string& file : orvid::folder::DrawPictures(folder)) {
    std::fprintf(stderr, "cannot write %s\n", file.c_str());
    ++failures;
  }
  return failures == 0 ? 0 : 1;
}
