// A temporary folder that the tests reach as a drive letter (through ZQ_DRIVES).
#pragma once
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "zqplatform/files.h"
#include "zqtest/FileBytes.h"
#include "zqtest/ScratchFolder.h"

namespace zqtest {

class TempDrive {
 public:
  explicit TempDrive(char letter, const std::string& extraDrives = "") : letter_(letter) {
    std::string drives = std::string(1, letter) + "=" + folder_;
    if (!extraDrives.empty()) drives += ";" + extraDrives;
    setenv("ZQ_DRIVES", drives.c_str(), 1);
    zq::fs::ReloadDriveMap();
  }
  // The POSIX folder; "X:\" followed by a relative Windows path.
  const std::string& folder() const { return folder_; }
  std::string Win(const std::string& rel) const { return std::string(1, letter_) + ":\\" + rel; }
  std::string Posix(const std::string& rel) const { return folder_ + "/" + rel; }

  void Put(const std::string& rel, const std::string& content) const {
    std::filesystem::create_directories(std::filesystem::path(Posix(rel)).parent_path());
    std::ofstream(Posix(rel), std::ios::binary) << content;
  }
  std::string Get(const std::string& rel) const { return FileBytes(Posix(rel)); }
  bool Has(const std::string& rel) const { return std::filesystem::exists(Posix(rel)); }

 private:
  char letter_;
  zqtest::ScratchFolder scratch_{"zqfs"};
  std::string folder_ = scratch_.path().string();
};

}  // namespace zqtest
