#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "zqplatform/files.h"
#include "zqruntime/dirlist.h"
#include "zqtest/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;
using namespace zq::rt;

TEST(LinkListing, SymbolicLinksAreMarkedAndDescribeTheirTarget) {
  zqtest::ScratchFolder scratch("zqr-links");
  fs::create_directories(scratch / "Films");
  std::ofstream(scratch / "Films" / "Alien.mkv", std::ios::binary) << "12345";
  fs::create_directory_symlink("..", scratch / "Films" / "Up");
  fs::create_symlink("Alien.mkv", scratch / "Films" / "Copy.mkv");
  fs::create_symlink("gone.mkv", scratch / "Films" / "Dead.mkv");

  Queue q(DirectoryLayout());
  ListDirectory((scratch / "Films").string() + "\\*.*", q);
  struct Seen {
    bool folder;
    bool link;
    double size;
  };
  std::map<std::string, Seen> seen;
  for (uint32_t i = 1; i <= q.Records(); ++i) {
    const auto r = q.Peek(i);
    seen[r->Text("NAME")] = {(r->Whole("ATTRIB") & kAttrDirectory) != 0, r->Whole("ISLINK") == 1, r->Real("SIZE")};
  }
  EXPECT_TRUE(seen.at("Up").folder);
  EXPECT_TRUE(seen.at("Up").link);
  EXPECT_FALSE(seen.at("Copy.mkv").folder);
  EXPECT_TRUE(seen.at("Copy.mkv").link);
  EXPECT_EQ(seen.at("Copy.mkv").size, 5) << "a link to a file has the file's size";
  EXPECT_TRUE(seen.at("Dead.mkv").link);
  EXPECT_FALSE(seen.at("Alien.mkv").link);
  EXPECT_FALSE(seen.at("..").link);
}

TEST(WindowsForm, APosixPathTakesItsDriveLetter) {
  zqtest::ScratchFolder scratch("zqr-form");
  const char* drives = std::getenv("ZQ_DRIVES");
  const std::string saved = drives ? drives : "";
  setenv("ZQ_DRIVES", ("M=" + scratch.path().string()).c_str(), 1);
  zq::fs::ReloadDriveMap();
  fs::create_directories(scratch / "Films");
  const std::string posix = scratch.path().string();
  EXPECT_EQ(WindowsForm(posix), "M:\\");
  EXPECT_EQ(WindowsForm(posix + "/Films"), "M:\\Films");
  EXPECT_EQ(WindowsForm(posix + "/Films/"), "M:\\Films\\");
  EXPECT_EQ(WindowsForm("D:\\Films\\"), "D:\\Films\\") << "a drive path stays as it is";
  EXPECT_EQ(WindowsForm("\\\\nas\\media"), "\\\\nas\\media");
  EXPECT_EQ(WindowsForm(""), "");
  if (drives) {
    setenv("ZQ_DRIVES", saved.c_str(), 1);
  } else {
    unsetenv("ZQ_DRIVES");
  }
  zq::fs::ReloadDriveMap();
}

}  // namespace
