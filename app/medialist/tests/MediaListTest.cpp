// The totals and the CSV file of the fixture's media list: every count and size, the file
// byte for byte against one written from its rules, the round trip, and the edge cases.
#include <filesystem>

#include "CsvText.h"
#include "DialogAnswers.h"
#include "MediaListFixture.h"
#include "app/Helpers.h"
#include "zqruntime/picture.h"
#include "zqtest/FileBytes.h"

namespace {

using namespace medialist_test;
namespace fs = std::filesystem;

std::string Whole(double bytes) { return std::to_string(static_cast<uint64_t>(bytes)); }

std::string KindLine(const KindTotals& k) { return std::to_string(k.count) + ";" + Whole(k.size); }

DiskTotals DiskOfTotals() {
  return {Whole(MFSIZE.DISKT), HRSIZE(MFSIZE.DISKT), Whole(MFSIZE.DISKU),
          HRSIZE(MFSIZE.DISKU), Whole(MFSIZE.DISKF), HRSIZE(MFSIZE.DISKF)};
}

std::string FixtureFile() {
  return FileOfRules(FixtureLines(), {KindLine(kBluRays), KindLine(kDvds), KindLine(kVideos), KindLine(kMusic), "0;0"},
                     DiskOfTotals());
}

std::vector<zq::rt::Record> Records() {
  std::vector<zq::rt::Record> out;
  for (uint32_t i = 1; i <= MFQ.Records(); ++i) out.push_back(*MFQ.Peek(i));
  return out;
}

void ExpectSameRecords(const std::vector<zq::rt::Record>& expected) {
  ASSERT_EQ(MFQ.Records(), expected.size());
  for (uint32_t i = 1; i <= MFQ.Records(); ++i) {
    SCOPED_TRACE("record " + std::to_string(i));
    EXPECT_EQ(MFQ.Peek(i)->Bytes(), expected[i - 1].Bytes()) << MFQF.DIR(*MFQ.Peek(i));
  }
}

void ExpectTotals(const MEDIATOTALS& t, const MEDIATOTALS& e) {
  EXPECT_EQ(t.CNTBD, e.CNTBD);
  EXPECT_EQ(t.CNTDD, e.CNTDD);
  EXPECT_EQ(t.CNTMF, e.CNTMF);
  EXPECT_EQ(t.CNTAF, e.CNTAF);
  EXPECT_EQ(t.CNTUF, e.CNTUF);
  EXPECT_EQ(t.CNTTF, e.CNTTF);
  EXPECT_EQ(t.TOTBSIZE, e.TOTBSIZE);
  EXPECT_EQ(t.TOTVSIZE, e.TOTVSIZE);
  EXPECT_EQ(t.TOTMSIZE, e.TOTMSIZE);
  EXPECT_EQ(t.TOTASIZE, e.TOTASIZE);
  EXPECT_EQ(t.TOTUSIZE, e.TOTUSIZE);
  EXPECT_EQ(t.TOTTSIZE, e.TOTTSIZE);
  EXPECT_EQ(t.DISKT, e.DISKT);
  EXPECT_EQ(t.DISKU, e.DISKU);
  EXPECT_EQ(t.DISKF, e.DISKF);
}

void AddMedium(const std::string& dir, const std::string& dname, const std::string& mname, int kind, double size) {
  static const char* types[] = {"Unknown", "BD-Rip", "DVD-Rip", "Video-File", "Music-File"};
  zq::rt::Record& r = MFQ.Buffer();
  r.Clear();
  MFQF.DIR.Set(r, dir);
  MFQF.DNAME.Set(r, dname);
  MFQF.MNAME.Set(r, mname);
  MFQF.EXTENSION.Set(r, GETEXT(mname));
  MFQF.SCAT.Set(r, kind == 4 ? "A" : kind == 0 ? "U" : "V");
  MFQF.STYPE.Set(r, types[kind]);
  MFQF.RSIZE.Set(r, size);
  MFQF.HRSIZE.Set(r, HRSIZE(size));
  MFQF.MTYPE.Set(r, static_cast<MediumType>(kind));
  MFQ.Add();
}

class MediaListCsv : public MediaListFixture {};

TEST_F(MediaListCsv, TotalsCountEveryKindOfTheTreeAndTheDiskOfItsDrive) {
  ScanTheTree();
  MFTOTALS();
  EXPECT_EQ(MFSIZE.CNTBD, kBluRays.count);
  EXPECT_EQ(MFSIZE.TOTBSIZE, kBluRays.size);
  EXPECT_EQ(MFSIZE.CNTDD, kDvds.count);
  EXPECT_EQ(MFSIZE.TOTVSIZE, kDvds.size);
  EXPECT_EQ(MFSIZE.CNTMF, kVideos.count);
  EXPECT_EQ(MFSIZE.TOTMSIZE, kVideos.size);
  EXPECT_EQ(MFSIZE.CNTAF, kMusic.count);
  EXPECT_EQ(MFSIZE.TOTASIZE, kMusic.size);
  EXPECT_EQ(MFSIZE.CNTUF, 0);
  EXPECT_EQ(MFSIZE.TOTUSIZE, 0);
  EXPECT_EQ(MFSIZE.CNTTF, 19);
  EXPECT_EQ(MFSIZE.TOTTSIZE, kBluRays.size + kDvds.size + kVideos.size + kMusic.size);
  const fs::space_info disk = fs::space(disk_.folder());
  EXPECT_EQ(MFSIZE.DISKT, static_cast<double>(disk.capacity));
  EXPECT_EQ(MFSIZE.DISKF, static_cast<double>(disk.available));
  EXPECT_EQ(MFSIZE.DISKU, MFSIZE.DISKT - MFSIZE.DISKF);
}

TEST_F(MediaListCsv, WrittenFileIsTheFileOfItsRulesByteForByte) {
  ScanTheTree();
  EXPECT_EQ(Export("W:\\list.csv"), "W:\\list.csv");
  const std::string written = zqtest::FileBytes(scratch_ / "list.csv");
  EXPECT_EQ(written, FixtureFile());

  const auto asked = zq::ui::TakeAsked();
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0].question.kind, zq::ui::QuestionKind::Save);
  EXPECT_EQ(asked[0].question.caption, "Write CSV");
  EXPECT_EQ(asked[0].question.extension, ".csv");
  EXPECT_EQ(asked[1].question.caption, "Message");
  EXPECT_EQ(STATUSNOW().PROCSTAT, "");
  EXPECT_EQ(STATUSNOW().SPROGRESS, 0);
}

TEST_F(MediaListCsv, NoticeGivesTheBytesWritten) {
  ScanTheTree();
  orvid::test::DialogWatcher watcher;
  zq::ui::input::AnswerQuestion(zq::ui::Answer::Chosen("W:\\list.csv"));
  EXPECT_EQ(MFEXPORT(), "W:\\list.csv");
  EXPECT_EQ(watcher.Notices(),
            std::vector<std::string>{"CSV File written - Size " + std::to_string(fs::file_size(scratch_ / "list.csv")) +
                                     " Bytes."});
  EXPECT_TRUE(watcher.Errors().empty());
}

TEST_F(MediaListCsv, ReadingAWrittenFileRestoresTheListAndWritingItAgainIsIdentical) {
  ScanTheTree();
  MFTOTALS();
  const std::vector<zq::rt::Record> scanned = Records();
  const MEDIATOTALS totals = MFSIZE;
  Export("W:\\first.csv");
  MFQ.Free();
  MFSIZE = {};

  EXPECT_EQ(Import("W:\\first.csv"), "W:\\first.csv");
  ExpectSameRecords(scanned);  // folders, kinds and the size texts with their blanks
  ExpectTotals(MFSIZE, totals);
  const auto asked = zq::ui::TakeAsked();
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked.back().question.kind, zq::ui::QuestionKind::Open);
  EXPECT_EQ(asked.back().question.caption, "Read CSV");

  Export("W:\\second.csv");
  EXPECT_EQ(zqtest::FileBytes(scratch_ / "second.csv"), zqtest::FileBytes(scratch_ / "first.csv"));
}

TEST_F(MediaListCsv, LinesEndedByLfAloneReadAsLines) {
  ScanTheTree();
  MFTOTALS();
  const std::vector<zq::rt::Record> scanned = Records();
  const MEDIATOTALS totals = MFSIZE;
  std::string text = FixtureFile();
  std::string lf;
  for (char c : text)
    if (c != '\r') lf += c;
  WriteBytes(scratch_ / "linux.csv", lf);
  MFQ.Free();
  MFSIZE = {};

  Import("W:\\linux.csv");
  ExpectSameRecords(scanned);
  ExpectTotals(MFSIZE, totals);
  Export("W:\\again.csv");
  EXPECT_EQ(zqtest::FileBytes(scratch_ / "again.csv"), text);
}

TEST_F(MediaListCsv, CountsOfAHandEditedFileAddUpToTheLargestCountAtMost) {
  std::string text = std::string(medialist::kHeader) + "\r\n\r\n\r\n";
  for (size_t n = 0; n < medialist::kTotalLabels.size(); ++n) {
    text += std::string(medialist::kTotalLead) + std::string(medialist::kTotalLabels[n]);
    text += n < 2 ? ";2147483647;1\r\n" : ";1;1\r\n";
  }
  WriteBytes(scratch_ / "edited.csv", text);

  Import("W:\\edited.csv");
  EXPECT_EQ(MFQ.Records(), 0u);
  EXPECT_EQ(MFSIZE.CNTBD, 2147483647);
  EXPECT_EQ(MFSIZE.CNTDD, 2147483647);
  EXPECT_EQ(MFSIZE.CNTTF, 2147483647);
  EXPECT_EQ(MFSIZE.TOTTSIZE, 5.0);
}

TEST_F(MediaListCsv, NamesHoldingSemicolonsOrQuotesAreQuotedAndReadBackWhole) {
  AddMedium("T:\\Music\\Rock; Pop", "Rock; Pop", "The \"Best\".mp3", 4, 2048);
  AddMedium("T:\\Music\\Plain", "Plain", "a;b.mp3", 4, 10);
  const std::vector<zq::rt::Record> added = Records();
  Export("W:\\quoted.csv");
  const std::string text = zqtest::FileBytes(scratch_ / "quoted.csv");
  EXPECT_NE(text.find("\r\nT:\\Music\\;\"Rock; Pop\";\"The \"\"Best\"\".mp3\";mp3;A;Music-File;2048;      2.00 Kb"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\r\nT:\\Music\\;Plain;\"a;b.mp3\";mp3;A;Music-File;10;10 Bs  "), std::string::npos)
      << text;

  MFQ.Free();
  Import("W:\\quoted.csv");
  ExpectSameRecords(added);
  Export("W:\\quoted2.csv");
  EXPECT_EQ(zqtest::FileBytes(scratch_ / "quoted2.csv"), text);
}

TEST_F(MediaListCsv, AMediumInADriveRootKeepsTheRootAsItsFolder) {
  AddMedium("T:\\", "T:", "Film.mkv", 3, 5);
  AddMedium("T:\\Films", "Films", "Other.mkv", 3, 6);
  const std::vector<zq::rt::Record> added = Records();
  Export("W:\\roots.csv");
  const std::string text = zqtest::FileBytes(scratch_ / "roots.csv");
  EXPECT_NE(text.find("\r\nT:\\;T:;Film.mkv;mkv;V;Video-File;5;"), std::string::npos) << text;
  EXPECT_NE(text.find("\r\nT:\\;Films;Other.mkv;mkv;V;Video-File;6;"), std::string::npos) << text;
  MFQ.Free();
  Import("W:\\roots.csv");
  ExpectSameRecords(added);
}

TEST_F(MediaListCsv, AnEmptyListWritesNoFileAndAnswersZero) {
  EXPECT_EQ(MFEXPORT(), "0");
  EXPECT_TRUE(zq::ui::TakeAsked().empty());
  EXPECT_TRUE(fs::is_empty(scratch_.path()));
  MFSIZE.CNTBD = 7;
  MFSIZE.DISKT = 1;
  MFTOTALS();
  ExpectTotals(MFSIZE, MEDIATOTALS{});
}

TEST_F(MediaListCsv, ANameGetsDotCsvUnlessItsExtensionIsCsvInAnyCase) {
  const std::pair<std::string, std::string> cases[] = {
      {"W:\\list.txt", "W:\\list.txt.csv"}, {"W:\\LIST.CSV", "W:\\LIST.CSV"}, {"W:\\mixed.Csv", "W:\\mixed.Csv"},
      {"W:\\plain", "W:\\plain.csv"},       {"W:\\two.csv.bak", "W:\\two.csv.bak.csv"}};
  AddMedium("T:\\Films\\A", "A", "A.mkv", 3, 1);
  for (const auto& [answered, written] : cases) {
    EXPECT_EQ(Export(answered), written);
    EXPECT_TRUE(fs::exists(scratch_ / written.substr(3))) << written;
  }
  EXPECT_FALSE(fs::exists(scratch_ / "list.txt"));
  MFQ.Free();
  EXPECT_EQ(Import("W:\\list.txt"), "W:\\list.txt.csv");
  EXPECT_EQ(MFQ.Records(), 1u);
}

TEST_F(MediaListCsv, TheDiskIsTheDriveOfTheLastRecordsFolder) {
  MapDrives("T=" + disk_.folder() + ";U=" + (scratch_ / "gone").string());
  const double capacity = static_cast<double>(fs::space(disk_.folder()).capacity);
  AddMedium("T:\\Films\\A", "A", "A.mkv", 3, 1);
  AddMedium("U:\\Films\\B", "B", "B.mkv", 3, 2);
  MFTOTALS();
  EXPECT_EQ(MFSIZE.DISKT, 0);  // the second drive's folder is gone: no disk
  EXPECT_EQ(MFSIZE.DISKF, 0);
  EXPECT_EQ(MFSIZE.DISKU, 0);
  EXPECT_EQ(MFSIZE.CNTMF, 2);

  MFQ.Free();
  AddMedium("U:\\Films\\B", "B", "B.mkv", 3, 2);
  AddMedium("T:\\Films\\A", "A", "A.mkv", 3, 1);
  MFTOTALS();
  EXPECT_EQ(MFSIZE.DISKT, capacity);
  EXPECT_EQ(MFSIZE.DISKF, static_cast<double>(fs::space(disk_.folder()).available));
}

TEST_F(MediaListCsv, TheDiskFiguresAreThoseOfTheVolumeThatHoldsTheMediaWhereverItIsMounted) {
  // No drive letter of its own: the volume is reached below C:, as a disk mounted at /data is.
  MapDrives("W=" + scratch_.path().string());
  zqtest::BuildMediaTree(disk_.folder());
  const auto tree = zqtest::Contents(disk_.folder());
  Scan(disk_.folder());
  PostedEvents();
  ASSERT_GT(MFQ.Records(), 0u);
  ASSERT_EQ(MFQ.Peek(1)->Text("DIR").rfind("C:\\", 0), 0u);
  MFTOTALS();
  const fs::space_info volume = fs::space(disk_.folder());
  ASSERT_NE(volume.capacity, fs::space("/").capacity);
  EXPECT_EQ(MFSIZE.DISKT, static_cast<double>(volume.capacity));
  EXPECT_EQ(MFSIZE.DISKF, static_cast<double>(volume.available));
  EXPECT_EQ(MFSIZE.DISKU, MFSIZE.DISKT - MFSIZE.DISKF);
  EXPECT_EQ(zqtest::Contents(disk_.folder()), tree);
}

TEST_F(MediaListCsv, AFailedWriteOrReadShowsItsErrorAndKeepsTheList) {
  AddMedium("T:\\Films\\A", "A", "A.mkv", 3, 1);
  const std::vector<zq::rt::Record> added = Records();
  orvid::test::DialogWatcher watcher;
  zq::ui::input::AnswerQuestion(zq::ui::Answer::Chosen("W:\\No Such Folder\\list.csv"));
  EXPECT_EQ(MFEXPORT(), "W:\\No Such Folder\\list.csv");
  zq::ui::input::AnswerQuestion(zq::ui::Answer::Chosen("W:\\missing.csv"));
  EXPECT_EQ(MFIMPORT(), "W:\\missing.csv");
  EXPECT_EQ(watcher.Errors(), (std::vector<std::string>{"Error Writing CSV.", "Error Reading CSV."}));
  EXPECT_FALSE(fs::exists(scratch_ / "missing.csv"));  // a read never creates the file
  ExpectSameRecords(added);
}

TEST_F(MediaListCsv, ACancelledDialogChangesNothing) {
  AddMedium("T:\\Films\\A", "A", "A.mkv", 3, 1);
  const std::vector<zq::rt::Record> added = Records();
  zq::ui::input::AnswerQuestion(zq::ui::Answer::Cancelled());
  EXPECT_EQ(MFEXPORT(), "");
  zq::ui::input::AnswerQuestion(zq::ui::Answer::Cancelled());
  EXPECT_EQ(MFIMPORT(), "");
  EXPECT_TRUE(fs::is_empty(scratch_.path()));
  ExpectSameRecords(added);
}

}  // namespace
