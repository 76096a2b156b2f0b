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

struct Entry {
  std::string shortName;
  int64_t date, time;
  double size;
  int64_t attributes;
};

std::map<std::string, Entry> Listing(const Queue& q) {
  std::map<std::string, Entry> out;
  for (uint32_t i = 1; i <= q.Records(); ++i) {
    const auto r = q.Peek(i);
    out[r->Text("NAME")] = {r->Text("SHORTNAME"), r->Whole("DATE"), r->Whole("TIME"),
                            r->Real("SIZE"), r->Whole("ATTRIB")};
  }
  return out;
}

class DirectoryList : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ / "Sub Folder");
    std::ofstream(dir_ / "Movie.mkv", std::ios::binary) << std::string(1536, 'm');
    std::ofstream(dir_ / ".hidden", std::ios::binary) << "h";
  }
  zqtest::ScratchFolder scratch_{"zqr-dirlist"};
  fs::path dir_ = scratch_.path();
};

TEST_F(DirectoryList, ListsEveryEntryWithItsAttributes) {
  Queue q(DirectoryLayout());
  const std::string pattern = dir_.string() + "\\*.*";
  EXPECT_EQ(ListDirectory(pattern, q), 5u);
  const auto entries = Listing(q);
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(q.Peek(1)->Text("NAME"), ".");
  EXPECT_EQ(q.Peek(2)->Text("NAME"), "..");
  for (const char* folder : {".", "..", "Sub Folder"}) {
    EXPECT_TRUE(entries.at(folder).attributes & kAttrDirectory) << folder;
  }
  const Entry& movie = entries.at("Movie.mkv");
  EXPECT_EQ(movie.size, 1536);
  EXPECT_FALSE(movie.attributes & kAttrDirectory);
  EXPECT_EQ(movie.shortName, "Movie.mkv");
  EXPECT_GE(movie.date, 20000101);
  EXPECT_LE(movie.date, 29991231);
  EXPECT_GE(movie.time, 0);
  EXPECT_LT(movie.time, 8640000);
  EXPECT_TRUE(entries.count(".hidden"));
}

TEST_F(DirectoryList, MissingFoldersGiveAnEmptyQueueAndRootsNoParent) {
  Queue q(DirectoryLayout());
  q.Buffer().SetText("NAME", "old");
  ASSERT_TRUE(q.Add());
  EXPECT_EQ(ListDirectory((dir_ / "missing").string() + "\\*.*", q), 0u);
  EXPECT_EQ(q.Records(), 0u);
  EXPECT_EQ(ListDirectory("", q), 0u);

  ASSERT_GT(ListDirectory("C:\\*.*", q), 0u);
  EXPECT_FALSE(Listing(q).count("..")) << "a drive root lists no parent";
}

TEST_F(DirectoryList, TheCurrentFolderIsGivenInItsWindowsForm) {
  const fs::path before = fs::current_path();
  const char* drives = std::getenv("ZQ_DRIVES");
  const std::string saved = drives ? drives : "";
  setenv("ZQ_DRIVES", ("T=" + dir_.string()).c_str(), 1);
  zq::fs::ReloadDriveMap();
  fs::current_path(dir_ / "Sub Folder");
  EXPECT_EQ(CurrentFolder(), "T:\\Sub Folder");
  fs::current_path(dir_);
  EXPECT_EQ(CurrentFolder(), "T:\\");
  fs::create_directories(dir_ / "gone");
  fs::current_path(dir_ / "gone");
  fs::remove(dir_ / "gone");
  EXPECT_EQ(CurrentFolder(), "") << "a current folder that was removed";
  fs::current_path(before);
  if (drives) {
    setenv("ZQ_DRIVES", saved.c_str(), 1);
  } else {
    unsetenv("ZQ_DRIVES");
  }
  zq::fs::ReloadDriveMap();
}

}  // namespace
