#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "zqruntime/ini.h"
#include "zqtest/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;
using zq::rt::ReadProfileString;
using zq::rt::WriteProfileString;

class Profile : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = (dir_ / "Orvid.INI").string();
  }

  void Put(const std::string& content) { std::ofstream(file_, std::ios::binary) << content; }
  std::string Content() const {
    std::ifstream in(file_, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::string Read(const char* section, const char* key, const char* fallback = "") const {
    return ReadProfileString(section, key, fallback, file_);
  }

  zqtest::ScratchFolder scratch_{"zqr-ini"};
  fs::path dir_ = scratch_.path();
  std::string file_;
};

TEST_F(Profile, MissingFileSectionOrKeyGivesTheDefault) {
  EXPECT_EQ(Read("MAIN", "ROOT", "none  "), "none") << "the default loses trailing blanks";
  Put("[MAIN]\r\nROOT=D:\\Films\r\n");
  EXPECT_EQ(Read("MAIN", "OTHER", "d"), "d");
  EXPECT_EQ(Read("CATALOG", "ROOT", ""), "");
  EXPECT_EQ(ReadProfileString("MAIN", "ROOT", "", (dir_ / "nofolder" / "x.ini").string()), "");
}

TEST_F(Profile, ReadsAsThePrivateProfileFunctionsDo) {
  Put("; comment\n[Catalog]\n  Title = My = films  \nQuoted=\"  padded  \"\nEmpty=\n"
      "Title=second\n[catalog]\nLater=x\n[PROCESS]\nDone=1");
  struct Case {
    const char* section;
    const char* key;
    const char* expected;
  };
  const Case cases[] = {
      {"CATALOG", "TITLE", "My = films"},  // case-blind, "=" and inner blanks kept
      {" CATALOG ", " TITLE\t", "My = films"},  // names asked for without their blanks
      {"catalog", "quoted", "  padded  "},
      {"CATALOG", "Empty", ""},
      {"CATALOG", "Later", "(default)"},  // only the first section of a name is read
      {"PROCESS", "Done", "1"},           // last line without an end of line
  };
  for (const Case& c : cases) EXPECT_EQ(Read(c.section, c.key, "(default)"), c.expected) << c.key;
}

TEST_F(Profile, WritesCreateFileSectionsAndKeysAndKeepEverythingElse) {
  ASSERT_TRUE(WriteProfileString("CATALOG", "TITLE", "a = b c", file_));
  EXPECT_EQ(Content(), "[CATALOG]\r\nTITLE=a = b c\r\n");
  ASSERT_TRUE(WriteProfileString("MAIN", "X", "1", file_));
  ASSERT_TRUE(WriteProfileString("catalog", "title", "new", file_));
  ASSERT_TRUE(WriteProfileString("CATALOG", "SECOND", "2", file_));
  EXPECT_EQ(Content(), "[CATALOG]\r\nTITLE=new\r\nSECOND=2\r\n[MAIN]\r\nX=1\r\n");
  EXPECT_EQ(Read("CATALOG", "TITLE"), "new");
  EXPECT_EQ(Read("MAIN", "X"), "1");

  // Lines the writer does not touch stay byte for byte, in the file's own line ends.
  Put("; keep me\n[A]\nk=1\n\n[B]\n  odd line\nz=9\n");
  ASSERT_TRUE(WriteProfileString("A", "n", "2", file_));
  ASSERT_TRUE(WriteProfileString("B", "z", "10", file_));
  EXPECT_EQ(Content(), "; keep me\n[A]\nk=1\nn=2\n\n[B]\n  odd line\nz=10\n");
  EXPECT_FALSE(fs::exists(file_ + ".new~"));
}

TEST_F(Profile, LongValuesAreCutToTheBuffer) {
  const std::string value(1500, 'v');
  ASSERT_TRUE(WriteProfileString("PROCESS", "LIST", value, file_));
  EXPECT_EQ(Read("PROCESS", "LIST").size(), 1023u);
  EXPECT_EQ(ReadProfileString("PROCESS", "LIST", "", file_, 2000), value);
  EXPECT_EQ(ReadProfileString("PROCESS", "LIST", "", file_, 0), "");
  const std::string exact(1023, 'e');
  ASSERT_TRUE(WriteProfileString("PROCESS", "LIST", exact, file_));
  EXPECT_EQ(Read("PROCESS", "LIST"), exact);
}

TEST_F(Profile, UnsafeEntriesAndFailedWritesLoseNothing) {
  Put("[MAIN]\nA=1\n");
  struct Case {
    const char* section;
    const char* key;
    const char* value;
  };
  const Case refused[] = {
      {"MAIN", "B", "line\r\n[EVIL]"},
      {"MAIN", "K=V", "x"},
      {"MA]IN", "B", "x"},
      {"MAIN", "", "x"},
      {"MAIN", "  ", "x"},
      {"MAIN", "[X]", "x"},
  };
  for (const Case& c : refused) EXPECT_FALSE(WriteProfileString(c.section, c.key, c.value, file_));
  EXPECT_EQ(Content(), "[MAIN]\nA=1\n");

  EXPECT_FALSE(WriteProfileString("MAIN", "A", "2", (dir_ / "no" / "x.ini").string()));
  fs::permissions(file_, fs::perms::owner_read | fs::perms::group_read);
  EXPECT_FALSE(WriteProfileString("MAIN", "A", "2", file_)) << "a read-only file stays";
  EXPECT_FALSE(fs::exists(file_ + ".new~")) << "the new file is removed again";
  fs::permissions(file_, fs::perms::owner_all);
  EXPECT_EQ(Content(), "[MAIN]\nA=1\n");
}

}  // namespace
