// The drive letters a test maps (ZQ_DRIVES, "T=/tmp/x"), for the object's life: the letters
// mapped before are put back when it goes.
#pragma once
#include <cstdlib>
#include <optional>
#include <string>

#include "zqplatform/files.h"

namespace zqtest {

class DriveMap {
 public:
  explicit DriveMap(const std::string& drives) {
    if (const char* before = std::getenv("ZQ_DRIVES")) before_ = before;
    setenv("ZQ_DRIVES", drives.c_str(), 1);
    zq::fs::ReloadDriveMap();
  }
  ~DriveMap() {
    if (before_)
      setenv("ZQ_DRIVES", before_->c_str(), 1);
    else
      unsetenv("ZQ_DRIVES");
    zq::fs::ReloadDriveMap();
  }
  DriveMap(const DriveMap&) = delete;
  DriveMap& operator=(const DriveMap&) = delete;

 private:
  std::optional<std::string> before_;
};

}  // namespace zqtest
