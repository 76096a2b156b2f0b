// Lazy mode over the scan of the media tree: the options window answered through the question
// seam, the folders visited in their order with each option, the steps at either end, a
// cancel, and the list built from copies of the scan's records.
#include <gtest/gtest.h>

#include <algorithm>
#include <future>
#include <string>
#include <vector>

#include "DialogAnswers.h"
#include "app/Explorer.h"
#include "app/Helpers.h"
#include "app/LazyMode.h"
#include "app/Scan.h"
#include "app/State.h"
#include "hostlib/Procedures.h"
#include "orvid/controlnumbers.h"
#include "zqplatform/uiinput.h"
#include "zqplatform/uimodel.h"
#include "zqtest/MediaTree.h"
#include "zqtest/TempDrive.h"

namespace {

namespace lm = orvid::res::LazyModeOptions;
namespace input = zq::ui::input;
using zq::ui::Answer;
using Folders = std::vector<std::string>;

struct Options {
  bool onlyMissing = false, audio = true, video = true, withoutMedia = true;
};

class LazyMode : public ::testing::Test {
 protected:
  void SetUp() override {
    RESETSTATE();
    QD.Free();
    zqtest::BuildMediaTree(drive_.folder());
    ST.Change([&](SETTINGSGROUP& st) {
      st.ACR.NAME = "folder";
      st.ABR.NAME = "background";
    });
    for (const char* ext : {"MKV", "AVI", "MP4", "ISO", "IMG", "TS"}) AddExtension(VEXTENSIONS, ext);
    for (const char* ext : {"MP3", "FLAC"}) AddExtension(AEXTENSIONS, ext);
    ROOTDIR.Set(drive_.Win(""));
    {
      orvid::test::DialogWatcher watcher;
      SCANDIR(QDIR, ROOTDIR.Get(), 0);
    }
    ASSERT_GT(QDIR.Records(), 10u);
  }
  void TearDown() override {
    input::ForgetAnswers();
    QD.Free();
    RESETSTATE();
  }
  static void AddExtension(zq::rt::Queue& q, const char* ext) {
    q.ClearBuffer();
    const EXTFIELDS& EXTF = &q == &AEXTENSIONS ? AEXTF : VEXTF;
    EXTF.EXT.Set(q.Buffer(), ext);
    q.Add();
  }

  // SETDESTDIR(-99) with the options window set as given, then OK.
  int16_t Start(const Options& o, const std::string& grab = "") {
    std::future<int16_t> started =
        std::async(std::launch::async, [this] { return SETDESTDIR(explorer_.Right(), 0, -99); });
    HWND w = orvid::test::WaitForWindow("Lazy Mode Options");
    EXPECT_NE(w, 0u);
    auto set = [&](int32_t control, bool on) {
      HWND c = orvid::test::ControlOf(w, control);
      if ((zq::ui::Snapshot(c)->value != 0) != on) input::Click(c);
      EXPECT_TRUE(orvid::test::WaitFor([&] { return (zq::ui::Snapshot(c)->value != 0) == on; }));
    };
    set(lm::OnlyMissingIcons, o.onlyMissing);
    set(lm::AudioMedia, o.audio);
    set(lm::VideoMedia, o.video);
    set(lm::FoldersWithoutMedia, o.withoutMedia);
    SendMessage(w, WM_NULL, 0, 0);
    if (!grab.empty()) {
      EXPECT_TRUE(orvid::test::Grabbed(w, grab));
    }
    input::AnswerQuestion(Answer::Pressed(lm::OkButton));
    return started.get();
  }

  // The folders the right panel shows, stepping Right from the first until the last shows again.
  Folders Walk() {
    Folders shown{RPPATH.Get()};
    for (size_t i = 0; i < QDIR.Records(); ++i) {
      EXPECT_EQ(SETDESTDIR(explorer_.Right(), 0, 1), 1);
      if (RPPATH.Get() == shown.back()) break;
      shown.push_back(RPPATH.Get());
    }
    return shown;
  }

  // What lazy mode should visit: the scan's folder records that the options take, in the
  // order of their names with "0" appended, case-blind.
  Folders Expected(const Options& o) const {
    std::vector<std::pair<std::string, std::string>> named;
    for (uint32_t n = 1; n <= QDIR.Records(); ++n) {
      auto r = QDIR.Peek(n);
      if (QDIRF.SCRIPT(*r) != 1) continue;
      const int64_t kind = static_cast<int64_t>(QDIRF.MTYPE(*r));
      bool take = o.onlyMissing ? QDIRF.CNACT(*r) == 0 && QDIRF.CFACT(*r) == 0
                  : kind == 10  ? o.audio
                  : kind >= 1 && kind <= 4 ? o.video
                  : kind == 0   ? o.withoutMedia
                                : true;
      if (!take) continue;
      std::string name = GETSUBDIR(QDIRF.DIRNAME(*r));
      if (COMPARENC(name, ROOTDIR.Get(), 1) == 0) name.clear();
      named.emplace_back(name + "0", CHECKPATH(QDIRF.DIRNAME(*r)));
    }
    std::stable_sort(named.begin(), named.end(),
                     [](const auto& a, const auto& b) { return COMPARENC(a.first, b.first, 0) < 0; });
    Folders out;
    for (const auto& [name, dir] : named) out.push_back(dir);
    return out;
  }

  // Folders of equal names may come in either order: compare them as sets of equal names.
  static void ExpectSameOrder(Folders got, Folders want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i) {
      if (got[i] == want[i]) continue;
      EXPECT_EQ(GETSUBDIR(got[i]), GETSUBDIR(want[i])) << "step " << i;
    }
  }

  zqtest::TempDrive drive_{'T'};
  Explorer explorer_;  // its right panel steps
};

TEST_F(LazyMode, EveryScannedFolderInTheOrderOfItsName) {
  Options all;
  ASSERT_EQ(Start(all, "LazyModeOptions"), 1);
  const Folders walked = Walk();
  ExpectSameOrder(walked, Expected(all));
  EXPECT_NE(std::find(walked.begin(), walked.end(), drive_.Win("Films\\Alien (1979)\\")), walked.end());
  EXPECT_NE(std::find(walked.begin(), walked.end(), drive_.Win("Music\\Abba - Gold\\")), walked.end());
  EXPECT_EQ(explorer_.Right().Entries().Records() > 0, true);
  EXPECT_EQ(TLEN(QDF.DIRNAME(QD.Buffer())) > 0, true);
}

TEST_F(LazyMode, EachOptionChoosesItsFolders) {
  // An album without a cover.
  drive_.Put("Music/Queen - Innuendo/01 Innuendo.mp3", "x");
  QDIR.Free();
  MFQ.Free();
  {
    orvid::test::DialogWatcher watcher;
    SCANDIR(QDIR, ROOTDIR.Get(), 0);
  }
  const Options cases[] = {{true, false, false, false}, {false, false, true, true}, {false, true, true, false},
                           {false, true, false, false}};
  for (const Options& o : cases) {
    const Folders want = Expected(o);
    ASSERT_FALSE(want.empty());
    ASSERT_EQ(Start(o), 1);
    ExpectSameOrder(Walk(), want);
  }
  // Only missing icons visits audio folders and folders without media too.
  Folders missing = Expected({true, false, false, false});
  EXPECT_NE(std::find(missing.begin(), missing.end(), drive_.Win("Music\\Queen - Innuendo\\")), missing.end())
      << "an audio folder without a cover";
}

TEST_F(LazyMode, LeftAndRightStopAtEitherEnd) {
  ASSERT_EQ(Start({}), 1);
  const Folders want = Expected({});
  EXPECT_EQ(RPPATH.Get(), want.front());
  EXPECT_EQ(SETDESTDIR(explorer_.Right(), 0, -1), 1);
  EXPECT_EQ(RPPATH.Get(), want.front());  // the first again
  EXPECT_EQ(SETDESTDIR(explorer_.Right(), 0, 1), 1);
  EXPECT_EQ(GETSUBDIR(RPPATH.Get()), GETSUBDIR(want[1]));
  EXPECT_EQ(SETDESTDIR(explorer_.Right(), 0, -1), 1);
  EXPECT_EQ(GETSUBDIR(RPPATH.Get()), GETSUBDIR(want[0]));
  for (size_t i = 0; i < want.size() + 2; ++i) SETDESTDIR(explorer_.Right(), 0, 1);
  EXPECT_EQ(GETSUBDIR(RPPATH.Get()), GETSUBDIR(want.back()));  // the last again
  // Every folder shown is in the right panel's history.
  EXPECT_EQ(QHISTORYF.PATH(*explorer_.Right().History().Peek(1)), RPPATH.Get());
}

TEST_F(LazyMode, ACancelOrEscStartsNothingAndKeepsTheList) {
  ASSERT_EQ(Start({}), 1);
  const uint32_t kept = QD.Records();
  input::AnswerQuestion(Answer::Cancelled());  // waits for the window: Esc or the close box
  EXPECT_EQ(SETDESTDIR(explorer_.Right(), 0, -99), 0);
  EXPECT_EQ(QD.Records(), kept);
  std::future<int16_t> cancelled = std::async(std::launch::async, [this] { return SETDESTDIR(explorer_.Right(), 0, -99); });
  HWND w = orvid::test::WaitForWindow("Lazy Mode Options");
  ASSERT_NE(w, 0u);
  input::Click(orvid::test::ControlOf(w, lm::CancelButton));
  EXPECT_EQ(cancelled.get(), 0);
}

TEST_F(LazyMode, NoMatchingFolderOrNoScanStartsNothing) {
  EXPECT_EQ(Start({false, false, false, false}), 0);
  EXPECT_EQ(QD.Records(), 0u);
  QDIR.Free();
  EXPECT_EQ(SETDESTDIR(explorer_.Right(), 0, -99), 0);  // no window: nothing was scanned
  EXPECT_EQ(SETDESTDIR(explorer_.Right(), 0, 1), 0);
  EXPECT_TRUE(zq::ui::OpenQuestions().empty());
}

TEST_F(LazyMode, TheListIsACopyTheScansRecordBufferIsLeftAlone) {
  QDIRF.NAME.Set(QDIR.Buffer(), "held by the scan");
  ASSERT_EQ(Start({}), 1);
  EXPECT_EQ(QDIRF.NAME(QDIR.Buffer()), "held by the scan");
  const uint32_t visited = QD.Records();
  QDIR.Free();  // a new scan starts
  EXPECT_EQ(SETDESTDIR(explorer_.Right(), 0, 1), 0);  // no scan, no step
  EXPECT_EQ(QD.Records(), visited);
}

TEST_F(LazyMode, TheOrderPutsANameBeforeLongerOnesThatGoOnWithALetter) {
  const std::shared_ptr<const zq::rt::RecordLayout> layout = SharedLayout(QDTYPE());
  zq::rt::Record a(layout), b(layout);
  struct Case {
    const char* a;
    const char* b;
    int order;
  };
  for (Case c : {Case{"Alien", "alien", 0}, Case{"Alien", "Aliens", -1}, Case{"Alien", "Alien 2", 1},
                 Case{"Alien", "Alien-2", 1}, Case{"Alien", "Alien0", -1}, Case{"Abba", "Björk", -1}, Case{"", "A", -1}}) {
    QDF.NAME.Set(a, c.a);
    QDF.NAME.Set(b, c.b);
    EXPECT_EQ(SORTDESTDIR(a, b), c.order) << c.a << " / " << c.b;
    EXPECT_EQ(SORTDESTDIR(b, a), -c.order) << c.b << " / " << c.a;
  }
}

}  // namespace
