// The fixture media tree scanned record by record against the lists the scan must make.
#include <string>
#include <vector>

#include "ScanFixture.h"
#include "zqtest/FileBytes.h"

namespace {

const std::string kE = zqtest::media_tree_detail::NameOfLength("The Long Way Round ", 192);
const std::string kF = zqtest::media_tree_detail::NameOfLength("Long Film Folder ", 29);
const std::string kH = zqtest::media_tree_detail::NameOfLength("Even Longer Film Folder ", 39);
const std::string kDeepE = "T:\\Deep\\" + kE;
const std::string kDeepF = kDeepE + "\\" + kF;

// One QDIR record; the found flags are 1 exactly where their names are not empty.
struct Dir {
  std::string NAME;
  int ICON;
  int LEVEL;
  int SCRIPT;
  int ISFOLDER;
  std::string DIRNAME;
  std::string CN = "", CF = "", BN = "", BF = "";
  int DFCUR = 0, DFNEXT = 0, MTYPE = 0;
  std::string MNAME = "";
};

Dir Sub(const std::string& name, int level, const std::string& dirname) { return {name, 1, level, 0, 1, dirname}; }
Dir Media(const std::string& name, int icon, int level, const std::string& dirname) {
  return {name, icon, level, 0, 0, dirname};
}
Dir Rip(const std::string& name, int level, const std::string& dirname) { return {name, 3, level, 0, 1, dirname}; }
Dir Background(const std::string& name, int level, const std::string& dirname) {
  return {name, 7, level, 0, 0, dirname};
}
// A folder's own record.
Dir Own(int level, const std::string& dirname, int mtype, const std::string& mname, int dfnext,
        const std::string& cn = "", const std::string& cf = "", const std::string& bn = "", const std::string& bf = "") {
  Dir d{"Missing Icon", 4, level, 1, 0, dirname, cn, cf, bn, bf, 0, dfnext, mtype, mname};
  if (!cf.empty()) d.NAME = cf, d.ICON = 2, d.DFCUR = 1;
  else if (!cn.empty()) d.NAME = cn, d.ICON = 5, d.DFCUR = 1;
  return d;
}

std::vector<Dir> ExpectedFolderList() {
  const std::string films = "T:\\Films", music = "T:\\Music", lost = "T:\\Series\\Lost";
  const std::string alien = films + "\\Alien (1979)", resurrection = films + "\\alien resurrection",
                    amelie = films + "\\Amélie (2001)", brazil = films + "\\Brazil (1985)",
                    heat = films + "\\Heat [DVD]", inception = films + "\\Inception [BluRay]",
                    killBill = films + "\\Kill Bill", liveAid = films + "\\Live Aid (1985)",
                    ran = films + "\\Ran (1985)", spirited = films + "\\千と千尋の神隠し";
  const std::string abba = music + "\\Abba - Gold", bjork = music + "\\Björk - Homogenic";
  return {
      Sub("Deep", 1, "T:\\"),
      Sub(kE, 2, "T:\\Deep"),
      Sub(kF, 3, kDeepE),
      Media("Long Film Title.mkv", 3, 4, kDeepF),
      Own(4, kDeepF, 3, "Long Film Title.mkv", 0),
      Own(3, kDeepE, 0, "", 0),
      Own(2, "T:\\Deep", 0, "", 0),
      Sub("Films", 1, "T:\\"),
      Sub("Alien (1979)", 2, films),
      Media("Alien.mkv", 3, 3, alien),
      Own(3, alien, 3, "Alien.mkv", 0, "", "folder.jpg", "", "Background.PNG"),
      Background("Background.PNG", 3, alien),
      Sub("alien resurrection", 2, films),
      Media("Alien Resurrection.avi", 3, 3, resurrection),
      Own(3, resurrection, 3, "Alien Resurrection.avi", 0, "", "folder.png"),
      Sub("Amélie (2001)", 2, films),
      Media("Amélie.avi", 3, 3, amelie),
      Own(3, amelie, 3, "Amélie.avi", 0, "", "FOLDER.JPG"),
      Sub("Brazil (1985)", 2, films),
      Media("Brazil.IMG", 3, 3, brazil),
      Own(3, brazil, 3, "Brazil.IMG", 0),
      Sub("Heat [DVD]", 2, films),
      Rip("VIDEO_TS", 3, heat),
      Own(3, heat, 2, "", 0, "", "folder.jpg"),
      Sub("Inception [BluRay]", 2, films),
      Rip("BDMV", 3, inception),
      Own(3, inception, 1, "", 0, "", "folder.jpg"),
      Sub("Kill Bill", 2, films),
      Media("Kill Bill.part1.mkv", 3, 3, killBill),
      Media("Kill Bill.part2.mkv", 3, 3, killBill),
      Own(3, killBill, 4, "Kill Bill.part1.mkv", 0, "", "Folder.Jpg"),
      Sub("Live Aid (1985)", 2, films),
      Media("Live Aid.ts", 3, 3, liveAid),
      Own(3, liveAid, 4, "Live Aid.ts", 0),
      Sub("Ran (1985)", 2, films),
      Media("Ran.iso", 3, 3, ran),
      Own(3, ran, 3, "Ran.iso", 0),
      Sub("千と千尋の神隠し", 2, films),
      Media("Spirited Away.mp4", 3, 3, spirited),
      Own(3, spirited, 3, "Spirited Away.mp4", 0, "folder.aai", "folder.png"),
      Own(2, films, 0, "", 1),
      Sub("Loop", 1, "T:\\"),
      Own(2, "T:\\Loop", 0, "", 0),
      Sub("Music", 1, "T:\\"),
      Sub("Abba - Gold", 2, music),
      Media("01 Dancing Queen.mp3", 6, 3, abba),
      Media("02 Mamma Mia.mp3", 6, 3, abba),
      Own(3, abba, 10, "01 Dancing Queen.mp3", 0, "", "folder.jpg"),
      Sub("Björk - Homogenic", 2, music),
      Media("01 Hunter.flac", 6, 3, bjork),
      Media("02 Jóga.flac", 6, 3, bjork),
      Own(3, bjork, 10, "01 Hunter.flac", 0, "Folder.aai", "", "Background.aai"),
      Background("Background.aai", 3, bjork),
      Own(2, music, 0, "", 1),
      Sub("Series", 1, "T:\\"),
      Sub("Lost", 2, "T:\\Series"),
      Sub("Season 1", 3, lost),
      Media("Lost S01E01.mkv", 3, 4, lost + "\\Season 1"),
      Media("Lost S01E02.mkv", 3, 4, lost + "\\Season 1"),
      Own(4, lost + "\\Season 1", 4, "Lost S01E01.mkv", 0),
      Sub("Season 2", 3, lost),
      Media("Lost S02E01.mkv", 3, 4, lost + "\\Season 2"),
      Own(4, lost + "\\Season 2", 3, "Lost S02E01.mkv", 0, "", "folder.jpg"),
      Own(3, lost, 0, "", 1, "", "folder.jpg"),
      Own(2, "T:\\Series", 0, "", 1),
      Own(1, "T:\\", 0, "", 0, "", "", "", "background.jpg"),
      Background("background.jpg", 1, "T:\\"),
  };
}

struct Medium {
  std::string DIR, DNAME, MNAME, EXTENSION, SCAT, STYPE;
  double RSIZE;
  std::string HRSIZE;
  int MTYPE;
};

std::vector<Medium> ExpectedMediaList() {
  const std::string films = "T:\\Films\\";
  return {
      {kDeepF, kF, "Long Film Title.mkv", "mkv", "V", "Video-File", 100, "100 Bs", 3},
      {films + "Alien (1979)", "Alien (1979)", "Alien.mkv", "mkv", "V", "Video-File", 1500, "      1.46 Kb", 3},
      {films + "alien resurrection", "alien resurrection", "Alien Resurrection.avi", "avi", "V", "Video-File", 2500,
       "      2.44 Kb", 3},
      {films + "Amélie (2001)", "Amélie (2001)", "Amélie.avi", "avi", "V", "Video-File", 2000, "      1.95 Kb", 3},
      {films + "Brazil (1985)", "Brazil (1985)", "Brazil.IMG", "IMG", "V", "DVD-Rip", 8589934591, "      8.00 Gb", 2},
      {films + "Heat [DVD]", "Heat [DVD]", "VIDEO_TS", "", "V", "DVD-Rip", 1050624, "      1.00 Mb", 2},
      {films + "Inception [BluRay]", "Inception [BluRay]", "BDMV", "", "V", "BD-Rip", 30100, "     29.39 Kb", 1},
      {films + "Kill Bill", "Kill Bill", "Kill Bill.part1.mkv", "mkv", "V", "Video-File", 4000, "      3.91 Kb", 3},
      {films + "Kill Bill", "Kill Bill", "Kill Bill.part2.mkv", "mkv", "V", "Video-File", 4100, "      4.00 Kb", 3},
      {films + "Live Aid (1985)", "Live Aid (1985)", "Live Aid.ts", "ts", "V", "Video-File", 3500, "      3.42 Kb", 3},
      {films + "Ran (1985)", "Ran (1985)", "Ran.iso", "iso", "V", "BD-Rip", 8589934592, "      8.00 Gb", 1},
      {films + "千と千尋の神隠し", "千と千尋の神隠し", "Spirited Away.mp4", "mp4", "V", "Video-File", 3000,
       "      2.93 Kb", 3},
      {"T:\\Music\\Abba - Gold", "Abba - Gold", "01 Dancing Queen.mp3", "mp3", "A", "Music-File", 5000,
       "      4.88 Kb", 4},
      {"T:\\Music\\Abba - Gold", "Abba - Gold", "02 Mamma Mia.mp3", "mp3", "A", "Music-File", 4000, "      3.91 Kb",
       4},
      {"T:\\Music\\Björk - Homogenic", "Björk - Homogenic", "01 Hunter.flac", "flac", "A", "Music-File", 9000,
       "      8.79 Kb", 4},
      {"T:\\Music\\Björk - Homogenic", "Björk - Homogenic", "02 Jóga.flac", "flac", "A", "Music-File", 8000,
       "      7.81 Kb", 4},
      {"T:\\Series\\Lost\\Season 1", "Season 1", "Lost S01E01.mkv", "mkv", "V", "Video-File", 1000, "1000 Bs", 3},
      {"T:\\Series\\Lost\\Season 1", "Season 1", "Lost S01E02.mkv", "mkv", "V", "Video-File", 1001, "1001 Bs", 3},
      {"T:\\Series\\Lost\\Season 2", "Season 2", "Lost S02E01.mkv", "mkv", "V", "Video-File", 1002, "1002 Bs", 3},
  };
}

void ExpectFolderList(const std::vector<Dir>& expected) {
  ASSERT_EQ(QDIR.Records(), expected.size());
  for (uint32_t i = 1; i <= QDIR.Records(); ++i) {
    const Dir& e = expected[i - 1];
    const zq::rt::Record r = *QDIR.Peek(i);
    SCOPED_TRACE("QDIR record " + std::to_string(i) + ": " + e.NAME + " in " + e.DIRNAME);
    EXPECT_EQ(QDIRF.NAME(r), e.NAME);
    EXPECT_EQ(QDIRF.ICON(r), e.ICON);
    EXPECT_EQ(QDIRF.LEVEL(r), e.LEVEL);
    EXPECT_EQ(QDIRF.SCRIPT(r), e.SCRIPT);
    EXPECT_EQ(QDIRF.ISFOLDER(r), e.ISFOLDER);
    EXPECT_EQ(QDIRF.DIRNAME(r), e.DIRNAME);
    EXPECT_EQ(QDIRF.CN(r), e.CN);
    EXPECT_EQ(QDIRF.CNACT(r), e.CN.empty() ? 0 : 1);
    EXPECT_EQ(QDIRF.CF(r), e.CF);
    EXPECT_EQ(QDIRF.CFACT(r), e.CF.empty() ? 0 : 1);
    EXPECT_EQ(QDIRF.BN(r), e.BN);
    EXPECT_EQ(QDIRF.BNACT(r), e.BN.empty() ? 0 : 1);
    EXPECT_EQ(QDIRF.BF(r), e.BF);
    EXPECT_EQ(QDIRF.BFACT(r), e.BF.empty() ? 0 : 1);
    EXPECT_EQ(QDIRF.DFCUR(r), e.DFCUR);
    EXPECT_EQ(QDIRF.DFNEXT(r), e.DFNEXT);
    EXPECT_EQ(static_cast<int>(QDIRF.MTYPE(r)), e.MTYPE);
    EXPECT_EQ(QDIRF.MNAME(r), e.MNAME);
  }
}

void ExpectMediaList(const std::vector<Medium>& expected) {
  ASSERT_EQ(MFQ.Records(), expected.size());
  for (uint32_t i = 1; i <= MFQ.Records(); ++i) {
    const Medium& e = expected[i - 1];
    const zq::rt::Record r = *MFQ.Peek(i);
    SCOPED_TRACE("MFQ record " + std::to_string(i) + ": " + e.MNAME);
    EXPECT_EQ(MFQF.DIR(r), e.DIR);
    EXPECT_EQ(MFQF.DNAME(r), e.DNAME);
    EXPECT_EQ(MFQF.MNAME(r), e.MNAME);
    EXPECT_EQ(MFQF.EXTENSION(r), e.EXTENSION);
    EXPECT_EQ(MFQF.SCAT(r), e.SCAT);
    EXPECT_EQ(MFQF.STYPE(r), e.STYPE);
    EXPECT_EQ(MFQF.RSIZE(r), e.RSIZE);
    EXPECT_EQ(MFQF.HRSIZE(r), e.HRSIZE);
    EXPECT_EQ(static_cast<int>(MFQF.MTYPE(r)), e.MTYPE);
  }
}

class ScanTree : public ScanFixture {
 protected:
  void SetUp() override {
    ScanFixture::SetUp();
    zqtest::BuildMediaTree(scratch_.path());
  }
};

TEST_F(ScanTree, FolderAndMediaListsRecordByRecord) {
  Scan("T:\\");
  ExpectFolderList(ExpectedFolderList());
  ExpectMediaList(ExpectedMediaList());
  EXPECT_EQ(PostedEvents(), std::vector<uint32_t>{kScanEnded});
  EXPECT_EQ(STATUSNOW().PROCSTAT, "Ready - 7 entries left out, see ScanLeftOut.txt");
  EXPECT_EQ(STATUSNOW().SPROGRESS, 0);
}

// The entries the scan of T:\ leaves out, in scan order. "Ran Notes." is no loss: a file
// without an extension is neither a medium nor a picture.
std::vector<std::pair<std::string, LeftOutReason>> ExpectedLeftOut() {
  using R = LeftOutReason;
  return {
      {kDeepE + "\\" + kH, R::PathTooLong},
      {kDeepF + "\\Long Film Title Extra.mkv", R::PathTooLong},
      {"T:\\Films\\..\\..\\Escape", R::NameWindowsCannotHold},
      {"T:\\Films\\Alien.", R::NameWindowsCannotHold},
      {"T:\\Loop\\Up", R::FolderLink},
      {"T:\\Music\\AC\\DC - Back in Black", R::NameWindowsCannotHold},
      {"T:\\Series\\Lost\\Current Season", R::FolderLink},
  };
}

TEST_F(ScanTree, EntriesLeftOutAreReportedOnceEach) {
  Scan("T:\\");
  std::vector<std::pair<std::string, LeftOutReason>> seen;
  for (const LEFTOUTENTRY& e : SCANLEFTOUT()) seen.emplace_back(e.path, e.reason);
  EXPECT_EQ(seen, ExpectedLeftOut());
  EXPECT_EQ(kDeepF.size() + 1 + std::string("Long Film Title.mkv").size(), 250u) << "the fixture's 250-byte path";
}

TEST_F(ScanTree, TheEntriesLeftOutAreListedInAFileOfTheProgramFolderThatTheStatusLineNames) {
  const auto tree = zqtest::Contents(scratch_.path());
  Scan("T:\\");
  std::string expected = "7 entries left out of the scan of T:\\\r\n";
  const char* reasons[] = {"Name Windows cannot hold", "Path too long", "Picture name too long", "Folder link"};
  for (const auto& [path, reason] : ExpectedLeftOut())
    expected += std::string(reasons[static_cast<int>(reason)]) + "\t" + path + "\r\n";
  EXPECT_EQ(zqtest::FileBytes(home_ / "ScanLeftOut.txt"), expected);
  EXPECT_EQ(STATUSNOW().PROCSTAT, "Ready - 7 entries left out, see ScanLeftOut.txt");
  EXPECT_EQ(zqtest::Contents(scratch_.path()), tree);

  // The next scan replaces the list: one entry, then none and no file.
  Scan("T:\\Loop");
  EXPECT_EQ(zqtest::FileBytes(home_ / "ScanLeftOut.txt"), "1 entry left out of the scan of T:\\Loop\\\r\nFolder link\tT:\\Loop\\Up\r\n");
  EXPECT_EQ(STATUSNOW().PROCSTAT, "Ready - 1 entry left out, see ScanLeftOut.txt");
  Scan("T:\\Films\\Alien (1979)");
  EXPECT_FALSE(std::filesystem::exists(home_ / "ScanLeftOut.txt"));
  EXPECT_EQ(STATUSNOW().PROCSTAT, "Ready");
  EXPECT_EQ(zqtest::Contents(scratch_.path()), tree);
}

TEST_F(ScanTree, ARootTypedAsAPosixPathScansInItsDriveForm) {
  Scan(scratch_.path().string());
  ExpectFolderList(ExpectedFolderList());
  ExpectMediaList(ExpectedMediaList());
}

TEST_F(ScanTree, DeepscanEntersFoldersThatHoldMedia) {
  DEEPSCAN = 1;
  Scan("T:\\Films\\Alien (1979)");
  const std::string alien = "T:\\Films\\Alien (1979)\\";
  ExpectFolderList({
      Media("Alien.mkv", 3, 1, alien),
      Sub("Featurettes", 1, alien),
      Media("Making Of.mkv", 3, 2, alien + "Featurettes"),
      Own(2, alien + "Featurettes", 3, "Making Of.mkv", 0),
      Own(1, alien, 3, "Alien.mkv", 0, "", "folder.jpg", "", "Background.PNG"),
      Background("Background.PNG", 1, alien),
  });
}

TEST_F(ScanTree, AMissingOrEmptyRootGivesEmptyListsAndStillEnds) {
  QDIRF.NAME.Set(QDIR.Buffer(), "old");
  QDIR.Add();
  Scan("T:\\Nowhere");
  EXPECT_EQ(QDIR.Records(), 0u);
  EXPECT_EQ(MFQ.Records(), 0u);
  EXPECT_EQ(PostedEvents(), std::vector<uint32_t>{kScanEnded});
  EXPECT_EQ(STATUSNOW().PROCSTAT, "Ready");
  EXPECT_EQ(T1ENDED, 1);
}

}  // namespace
