#include <gtest/gtest.h>

#include <string>

#include "hostlib/Procedures.h"

namespace {

TEST(PathProcedures, CheckPathEndsEveryPathInOneBackslash) {
  struct Case {
    std::string path, checked;
  } cases[] = {
      {"D:\\Films   ", "D:\\Films\\"},
      {"D:\\Films\\", "D:\\Films\\"},
      {"D:\\Films\\   ", "D:\\Films\\"},
      {"", "\\"},
      {"    ", "\\"},
      {"C:", "C:\\"},
      {"\\\\nas\\media", "\\\\nas\\media\\"},
      {"/home/user/Films", "/home/user/Films\\"},  // a typed POSIX path gets the same end
      {"/", "/\\"},
      {"  D:\\lead", "  D:\\lead\\"},  // leading blanks stay
  };
  for (const Case& c : cases) EXPECT_EQ(CHECKPATH(c.path), c.checked) << c.path;
}

TEST(PathProcedures, PathPiecesWithTheStringProcedures) {
  // How the program takes paths apart: items at "\", the last folder name, the drive.
  const std::string path = "D:\\Films\\Alien\\";
  EXPECT_EQ(CNTITEM(path, "\\"), 4);
  EXPECT_EQ(GETITEM(path, 3, "\\"), "Alien");
  EXPECT_EQ(MID(path, 1, 2), "D:");
  EXPECT_EQ(GETITEM("/srv/media/Films", 3, "/"), "media");
  EXPECT_EQ(SWAP("/srv/media/Films", "/", "\\"), "\\srv\\media\\Films");
  EXPECT_EQ(TRIM("\\Films\\", "\\"), "Films");
}

TEST(PathProcedures, DrivesListTheRootFirst) {
  const std::string drives = GETDRIVES();
  EXPECT_EQ(drives.rfind("C:\\@", 0), 0u) << drives;
  EXPECT_GE(CNTITEM(drives, "|"), 1);
}

}  // namespace
