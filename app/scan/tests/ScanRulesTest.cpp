// The scan's rules on small folders, and stopping it.
#include <chrono>
#include <fstream>
#include <thread>

#include "ScanFixture.h"
#include "app/IniFile.h"
#include "hostlib/QueueFiles.h"
#include "zqruntime/threads.h"
#include "zqtest/FileBytes.h"
#include "zqtest/OrdinaryUser.h"

namespace {

namespace fs = std::filesystem;

class ScanRules : public ScanFixture {
 protected:
  void Put(const std::string& relative, uintmax_t bytes = 10) {
    const fs::path file = scratch_ / relative;
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << std::string(static_cast<size_t>(bytes), 'x');
  }
  // The own record of the folder at path (the first with SCRIPT 1 there).
  static zq::rt::Record Own(const std::string& dirname) {
    for (uint32_t i = 1; i <= QDIR.Records(); ++i) {
      zq::rt::Record r = *QDIR.Peek(i);
      if (QDIRF.SCRIPT(r) == 1 && QDIRF.DIRNAME(r) == dirname) return r;
    }
    ADD_FAILURE() << "no own record for " << dirname;
    return *QDIR.Peek(1);
  }
  static std::vector<std::string> Names(zq::rt::Queue& q, const char* field) {
    std::vector<std::string> names;
    for (uint32_t i = 1; i <= q.Records(); ++i) names.push_back(q.Peek(i)->Text(field));
    return names;
  }
};

TEST_F(ScanRules, TheFirstRipByNameDecidesAndMediaBesideItGetOnlyMediaRecords) {
  fs::create_directories(scratch_ / "Film" / "bdmv");
  fs::create_directories(scratch_ / "Film" / "VIDEO_TS");
  Put("Film/Film.mkv");
  Scan("T:\\Film");
  EXPECT_EQ(Names(QDIR, "NAME"), (std::vector<std::string>{"BDMV", "Missing Icon"}));
  EXPECT_EQ(QDIRF.MTYPE(Own("T:\\Film\\")), FolderMedia::BluRayRip);
  EXPECT_EQ(Names(MFQ, "MNAME"), (std::vector<std::string>{"BDMV", "Film.mkv", "VIDEO_TS"}));
  EXPECT_EQ(Names(MFQ, "STYPE"), (std::vector<std::string>{"BD-Rip", "Video-File", "DVD-Rip"}));
}

TEST_F(ScanRules, MediaKinds) {
  struct Case {
    std::vector<const char*> files;
    int mtype;
    const char* mname;
  };
  const Case cases[] = {
      {{"Alien.mkv"}, 3, "Alien.mkv"},
      {{"Alien.mkv", "Theme.mp3"}, 4, "Alien.mkv"},
      {{"Theme.mp3", "Zulu.avi"}, 4, "Zulu.avi"},
      {{"Concert.ts"}, 4, "Concert.ts"},
      {{"b.flac", "A.mp3"}, 10, "A.mp3"},
      {{"notes.txt", "README"}, 0, ""},
  };
  int n = 0;
  for (const Case& c : cases) {
    const std::string folder = "Kinds" + std::to_string(++n);
    for (const char* file : c.files) Put(folder + "/" + file);
    QDIR.Free();
    Scan("T:\\" + folder);
    const zq::rt::Record own = Own("T:\\" + folder + "\\");
    EXPECT_EQ(static_cast<int>(QDIRF.MTYPE(own)), c.mtype) << folder;
    EXPECT_EQ(QDIRF.MNAME(own), c.mname) << folder;
  }
}

TEST_F(ScanRules, PicturesByTheirSettingsNames) {
  Put("A/folder.jpg");
  Put("A/folder.aai");
  Put("B/folder.bmp");
  Put("B/Folder.png");
  Put("C/BACKGROUND.jpg");
  Put("C/background.AAI");
  Put("D/" + std::string(60, 'x') + ".jpg");
  ST.Change([&](SETTINGSGROUP& st) { st.ACR.NAME = "folder  "; });
  Scan("T:\\");
  const zq::rt::Record a = Own("T:\\A"), b = Own("T:\\B"), c = Own("T:\\C");
  EXPECT_EQ(QDIRF.NAME(a), "folder.jpg");
  EXPECT_EQ(QDIRF.ICON(a), 2);
  EXPECT_EQ(QDIRF.CN(a), "folder.aai");
  EXPECT_EQ(QDIRF.CF(a), "folder.jpg");
  EXPECT_EQ(QDIRF.CF(b), "Folder.png") << "the later by name";
  EXPECT_EQ(QDIRF.BN(c), "background.AAI");
  EXPECT_EQ(QDIRF.BF(c), "BACKGROUND.jpg");
  EXPECT_EQ(QDIRF.NAME(c), "Missing Icon");
  EXPECT_EQ(QDIRF.NAME(*QDIR.Peek(QDIR.Records() - 1)), "Missing Icon");
  // The background record follows C's own record and names the AAI one.
  bool seen = false;
  for (uint32_t i = 1; i <= QDIR.Records(); ++i) {
    const zq::rt::Record r = *QDIR.Peek(i);
    if (QDIRF.ICON(r) == 7) {
      EXPECT_EQ(QDIRF.NAME(r), "background.AAI");
      EXPECT_EQ(QDIRF.DIRNAME(*QDIR.Peek(i - 1)), "T:\\C");
      seen = true;
    }
  }
  EXPECT_TRUE(seen);

  const std::string longName(64, 'f');
  Put("E/" + longName + ".jpg");
  ST.Change([&](SETTINGSGROUP& st) { st.ACR.NAME = longName; });
  QDIR.Free();
  Scan("T:\\E");
  EXPECT_EQ(QDIRF.CF(Own("T:\\E\\")), "") << "a picture name the list cannot hold whole is not taken";
  ASSERT_EQ(SCANLEFTOUT().size(), 1u);
  EXPECT_EQ(SCANLEFTOUT()[0].reason, LeftOutReason::PictureNameTooLong);
}

TEST_F(ScanRules, FoldersNotToScanHandEditedInLowerCaseAreNotEntered) {
  for (auto [table, name] : {std::pair{&QSCRIPT, "Script.dat"}, {&VEXTENSIONS, "VExtensions.dat"},
                             {&AEXTENSIONS, "AExtensions.dat"}})
    ASSERT_GE(WRITEQUEUE(*table, INIPATH + name), 0) << name;
  std::ofstream(home_ / "Orvid.INI", std::ios::binary)
      << "[PROCESS]\r\nNoScan=trailers\xFE" "Extras\r\nAutoRSIcon=folder\r\nAutoRSBack=background\r\n";
  GETINI();
  ASSERT_EQ(Names(QNOSCAN, "FNAME"), (std::vector<std::string>{"trailers", "Extras"}));
  for (const char* folder : {"Trailers", "EXTRAS", "Films"}) Put(std::string(folder) + "/x.mkv");
  Scan("T:\\");
  EXPECT_EQ(Names(MFQ, "DIR"), (std::vector<std::string>{"T:\\Films"}));
}

// Only what the scan would use counts as lost: folders it would enter, media files and the
// pictures the settings name; each lost entry is listed in the program folder's file.
TEST_F(ScanRules, OnlyEntriesTheScanWouldUseAreLeftOutAndListed) {
  ST.Change([&](SETTINGSGROUP& st) { st.ABR.NAME = "a long background"; });
  // The folder's path and its folder file just fit the lists; a file name of 16 bytes does not.
  const std::string a = zqtest::media_tree_detail::NameOfLength("A long folder ", 236);
  for (const char* file : {"a long notes.nfo", "a long film1.mkv", "a long background.png", "a long picture.jpg"})
    Put(a + "/" + file);
  for (const char* file : {"notes?.nfo", "film?.mkv"}) Put(std::string("B/") + file);
  Put("C/film.mkv");  // without deepscan, its sub-folders are never entered
  fs::create_directories(scratch_ / "C" / "Extras?");
  fs::create_directory_symlink("../B", scratch_ / "C" / "Linked");
  fs::create_directories(scratch_ / "D");
  fs::create_directory_symlink("../B", scratch_ / "D" / "Trailers");  // a folder not to scan
  Put("E/film\n.mkv");
  const auto tree = zqtest::Contents(scratch_.path());
  Scan("T:\\");
  EXPECT_EQ(zqtest::FileBytes(home_ / "ScanLeftOut.txt"),
            "4 entries left out of the scan of T:\\\r\n"
            "Path too long\tT:\\" + a + "\\a long background.png\r\n"
            "Path too long\tT:\\" + a + "\\a long film1.mkv\r\n"
            "Name Windows cannot hold\tT:\\B\\film?.mkv\r\n"
            "Name Windows cannot hold\tT:\\E\\film<0A>.mkv\r\n");
  EXPECT_EQ(STATUSNOW().PROCSTAT, "Ready - 4 entries left out, see ScanLeftOut.txt");
  EXPECT_EQ(zqtest::Contents(scratch_.path()), tree);
}

// A folder without any rights and one that may be read but not entered: both are listed as
// unreadable and counted, at any depth and as the root, and the rest is scanned as usual.
TEST_F(ScanRules, FoldersTheUserCannotReadAreListedAsUnreadableAndCounted) {
  Put("Films/Alien/Alien.mkv");
  Put("Films/Locked/Locked.mkv");
  Put("Films/Peek/Peek.mkv");
  fs::permissions(scratch_ / "Films" / "Locked", fs::perms::none);
  fs::permissions(scratch_ / "Films" / "Peek", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  for (const fs::path& folder : {scratch_.path(), home_.path()}) fs::permissions(folder, fs::perms::all);
  const auto tree = zqtest::Contents(scratch_.path());
  {
    const zqtest::OrdinaryUser user(scratch_ / "Films" / "Locked");
    if (!user.Refused().empty()) GTEST_SKIP() << "needs a user without root's rights: " << user.Refused();
    Scan("T:\\");
    EXPECT_EQ(zqtest::FileBytes(home_ / "ScanLeftOut.txt"),
              "2 entries left out of the scan of T:\\\r\n"
              "Unreadable folder\tT:\\Films\\Locked\r\n"
              "Unreadable folder\tT:\\Films\\Peek\r\n");
    EXPECT_EQ(STATUSNOW().PROCSTAT, "Ready - 2 entries left out, 2 unreadable, see ScanLeftOut.txt");
    EXPECT_EQ(Names(MFQ, "MNAME"), (std::vector<std::string>{"Alien.mkv"}));
    EXPECT_EQ(Names(QDIR, "NAME"),
              (std::vector<std::string>{"Films", "Alien", "Alien.mkv", "Missing Icon", "Locked", "Peek", "Missing Icon",
                                        "Missing Icon"}));

    Scan("T:\\Films\\Locked");
    EXPECT_EQ(zqtest::FileBytes(home_ / "ScanLeftOut.txt"),
              "1 entry left out of the scan of T:\\Films\\Locked\\\r\nUnreadable folder\tT:\\Films\\Locked\r\n");
    EXPECT_EQ(STATUSNOW().PROCSTAT, "Ready - 1 entry left out, 1 unreadable, see ScanLeftOut.txt");
    EXPECT_EQ(QDIR.Records(), 0u);
  }
  EXPECT_EQ(zqtest::Contents(scratch_.path()), tree);
}

// A scan that leaves nothing out removes the list of an earlier one, and no other file that
// happens to bear its name.
TEST_F(ScanRules, ACleanScanRemovesOnlyALeftOutFileThatBeginsAsTheProgramWritesIt) {
  Put("Films/Alien/Alien.mkv");
  const auto tree = zqtest::Contents(scratch_.path());
  const struct {
    std::string text;
    bool removed;
  } cases[] = {
      {"1 entry left out of the scan of T:\\\r\nFolder link\tT:\\Up\r\n", true},
      {"12 entries left out of the scan of D:\\Films\\\r\n", true},
      {"My notes on the scan\r\n", false},
      {"", false},
      {"2 entry left out of the scan of T:\\\r\n", false},
      {"1 entries left out of the scan of T:\\\r\n", false},
      {"entries left out of the scan of T:\\\r\n", false},
      {"3 entries left out\r\n", false},
  };
  for (const auto& c : cases) {
    std::ofstream(home_ / "ScanLeftOut.txt", std::ios::binary) << c.text;
    Scan("T:\\Films");
    EXPECT_EQ(STATUSNOW().PROCSTAT, "Ready");
    EXPECT_EQ(fs::exists(home_ / "ScanLeftOut.txt"), !c.removed) << c.text;
    if (!c.removed) {
      EXPECT_EQ(zqtest::FileBytes(home_ / "ScanLeftOut.txt"), c.text);
    }
  }
  EXPECT_EQ(zqtest::Contents(scratch_.path()), tree);
}

TEST_F(ScanRules, FoldersNotToScan) {
  for (const char* folder : {"recycler", "_catvideo", "_CatAudio", "System Volume Information", "Trailers", "Films"})
    Put(std::string(folder) + "/x.mkv");
  Scan("T:\\");
  EXPECT_EQ(Names(MFQ, "DIR"), (std::vector<std::string>{"T:\\Films"}));
}

TEST_F(ScanRules, ListingOrderIsCaseBlind) {
  for (const char* name : {"b.mkv", "A.mkv", "C.mkv", "a2.mkv"}) Put(std::string("Films/") + name);
  Scan("T:\\Films");
  EXPECT_EQ(Names(MFQ, "MNAME"), (std::vector<std::string>{"A.mkv", "a2.mkv", "b.mkv", "C.mkv"}));
}

TEST_F(ScanRules, AStopAskedBeforeTheScanEntersNoFolderButEndsAsUsual) {
  zqtest::BuildMediaTree(scratch_.path());
  T1RUNNING = 1;
  T1ABORT = 1;
  Scan("T:\\");
  EXPECT_EQ(Names(QDIR, "NAME"), (std::vector<std::string>{"Missing Icon", "background.jpg"}));
  EXPECT_EQ(PostedEvents(), std::vector<uint32_t>{kScanEnded});
  EXPECT_EQ(STATUSNOW().PROCSTAT, "Ready");

  // The pass's rescan runs while T1RUNNING is clear: a stop left behind does not count.
  T1RUNNING = 0;
  QDIR.Free();
  SCANDIR(QDIR, "T:\\", 0);
  EXPECT_GT(QDIR.Records(), 60u);
}

TEST_F(ScanRules, StoppingARunningScanKeepsConsistentLists) {
  zqtest::BuildBulkTree(scratch_.path(), 20, 20);
  PostedEvents();
  T1RUNNING = 1;
  T1ABORT = 0;
  T1ENDED = 0;
  const uint32_t thread = zq::rt::StartThread(SCANDIRTH, Group("T:\\"));
  ASSERT_NE(thread, 0u);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (QDIR.Records() < 50 && T1ENDED == 0 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  T1ABORT = 1;
  while (T1ENDED == 0 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_EQ(T1ENDED, 1);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(PostedEvents(), std::vector<uint32_t>{kScanEnded});
  const uint32_t full = 1 + 2 + 20 * (1 + 2 + 20 * 3);  // root, per category and per film
  EXPECT_LT(QDIR.Records(), full) << "the scan stopped early";
  // Every folder entered has its own record, and its records come before its parent's.
  uint32_t entered = 0, own = 0;
  for (uint32_t i = 1; i <= QDIR.Records(); ++i) {
    const zq::rt::Record r = *QDIR.Peek(i);
    entered += QDIRF.ICON(r) == 1 ? 1 : 0;
    own += QDIRF.SCRIPT(r) == 1 ? 1 : 0;
  }
  EXPECT_EQ(own, entered + 1);
  const zq::rt::Record last = *QDIR.Peek(QDIR.Records());
  EXPECT_EQ(QDIRF.DIRNAME(last), "T:\\") << "the root's own record comes last";
  EXPECT_EQ(QDIRF.SCRIPT(last), 1);
  T1RUNNING = 0;
}

}  // namespace
