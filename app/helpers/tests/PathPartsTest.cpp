#include <gtest/gtest.h>

#include <string>

#include "app/Helpers.h"
#include "app/State.h"
#include "zqplatform/files.h"

namespace {

struct PathCase {
  const char* path;
  const char* root;
  const char* up;
  bool shortened;
  const char* subdir;
};

TEST(PathParts, RootsParentsAndLastFolders) {
  const PathCase cases[] = {
      {"D:\\", "D:\\", "D:\\", false, "D:"},
      {"D:", "D:\\", "D:\\", false, "D:"},
      {"D:\\films", "D:\\", "D:\\", true, "films"},
      {"D:\\Films\\Alien\\", "D:\\", "D:\\Films\\", true, "Alien"},
      {"D:\\Films\\Alien  ", "D:\\", "D:\\Films\\", true, "Alien"},
      {"\\\\nas\\media", "\\\\nas\\media\\", "\\\\nas\\media\\", false, "media"},
      {"\\\\nas\\media\\Films\\Alien", "\\\\nas\\media\\", "\\\\nas\\media\\Films\\", true, "Alien"},
      {"\\\\nas\\media\\Films\\", "\\\\nas\\media\\", "\\\\nas\\media\\", true, "Films"},
      {"\\\\nas", "", "\\\\nas\\", false, "nas"},
      {"films", "fil", "films\\", false, "films"},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(GETROOT(c.path), c.root);
    uint8_t flag = 0;
    EXPECT_EQ(GETUPDIR(c.path, &flag), c.up);
    EXPECT_EQ(flag, c.shortened ? 1 : 0);
    EXPECT_EQ(GETUPDIR(c.path), c.up) << "the flag is optional";
    EXPECT_EQ(GETSUBDIR(c.path), c.subdir);
  }
}

TEST(PathParts, TheFlagIsOnlyEverSet) {
  uint8_t flag = 1;
  EXPECT_EQ(GETUPDIR("D:\\", &flag), "D:\\");
  EXPECT_EQ(flag, 1) << "a root leaves the flag as it was";
}

TEST(PathParts, NamesAndExtensions) {
  struct Case {
    const char* name;
    const char* file;
    const char* ext;
  };
  const Case cases[] = {
      {"alien.part1.mkv", "alien.part1", "mkv"},
      {"Alien.MKV  ", "Alien", "MKV"},
      {"README", "README", ""},
      {"trailer.", "trailer", ""},
      {".hidden", "", "hidden"},
      {"D:\\a.b\\file", "D:\\a", "b\\file"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(GETFILE(c.name), c.file);
    EXPECT_EQ(GETEXT(c.name), c.ext);
  }
}

TEST(PathParts, PathsRelativeToTheMediaRoot) {
  EXPECT_EQ(FIXPATH("D:\\Media\\Films\\Alien", ""), "") << "a blank root";
  EXPECT_EQ(FIXPATH("D:\\Media\\Films\\Alien", "   "), "");
  for (const char* root : {"D:\\Media\\", "D:\\Media"}) {
    EXPECT_EQ(FIXPATH("D:\\Media\\Films\\Alien", root), "\\Films\\Alien\\");
    EXPECT_EQ(FIXPATH("D:\\Media\\Films\\Alien\\", root), "\\Films\\Alien\\");
    EXPECT_EQ(FIXPATH("D:\\Media", root), "\\");
    EXPECT_EQ(FIXPATH("E:\\Other\\Folder", root), "\\Folder\\") << "not tested to lie under the root";
  }
  EXPECT_EQ(FIXPATH("D:\\Films", "D:\\"), "\\Films\\");
}

TEST(Options, FilterAndResizeCodes) {
  EXPECT_EQ(GETFILTER("Bicubic"), 2);
  EXPECT_EQ(GETFILTER("bilinear  "), 0);
  EXPECT_EQ(GETFILTER("Fast"), 1);
  EXPECT_EQ(GETFILTER(""), 1);
  EXPECT_EQ(GETFILTER("Bicubic2"), 1) << "the whole text counts";
  struct Case {
    const char* name;
    uint8_t keep;
    uint8_t code;
  };
  const Case cases[] = {{"Bigger", 0, 1}, {"Smaller", 0, 2}, {"Both", 0, 3}, {"both", 1, 7},
                        {"SMALLER ", 1, 6}, {"Bigger", 1, 5}, {"None", 1, 0}, {"", 0, 0}};
  for (const Case& c : cases) EXPECT_EQ(GETRESIZE(c.name, c.keep), c.code) << c.name << " " << int(c.keep);
}

TEST(WindowsNames, NamesAPathCannotHoldAreTold) {
  for (const char* good : {"Alien", "Amélie (2001)", "千と千尋の神隠し", " lead", "a.b.c", ".hidden"})
    EXPECT_TRUE(zq::fs::HoldsExactly(good)) << good;
  for (const char* bad : {"..\\..\\x", "Alien.", "Alien ", "a:b", "what?", "a*b", "a\"b", "a<b", "a>b", "a|b",
                          "tab\there", ".", "..", ""})
    EXPECT_FALSE(zq::fs::HoldsExactly(bad)) << bad;
}

}  // namespace
