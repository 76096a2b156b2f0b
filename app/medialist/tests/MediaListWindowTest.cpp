// The window "Log File" on the fixture's media list, driven from another thread as a user
// would: its rows and totals, the two CSV buttons, sorting and deleting, and the list kept
// safe while a scan adds to it. Rendered to PNG with the Qt presenter.
#include <chrono>
#include <future>
#include <thread>

#include "DialogAnswers.h"
#include "MediaListFixture.h"
#include "app/Helpers.h"
#include "orvid/controlnumbers.h"
#include "orvid/windows.h"
#include "zqruntime/picture.h"
#include "zqruntime/window.h"
#include "zqtest/FileBytes.h"

namespace {

using namespace medialist_test;
namespace ml = orvid::res::MediaList;
namespace input = zq::ui::input;
using orvid::test::TextOf;
using orvid::test::ControlOf;
using orvid::test::WaitFor;

std::string MainTitle() { return orvid::res::WindowDefinition("MainWindow").title; }

std::optional<zq::ui::WindowState> StateOf(HWND window, int32_t control) {
  return zq::ui::Snapshot(ControlOf(window, control));
}

// Runs SHOWLOG on this thread while user(window) acts on another; then closes the window.
void WithMediaList(const std::function<void(HWND)>& user) {
  auto acting = std::async(std::launch::async, [&] {
    HWND w = orvid::test::WaitForWindow(MainTitle());
    if (w == 0) {
      ADD_FAILURE() << "the media list did not open";
      return;
    }
    user(w);
    input::CloseRequest(w);
  });
  SHOWLOG();
  acting.get();
}

bool TextBecomes(HWND w, int32_t control, const std::string& text) {
  return WaitFor([&] { return TextOf(w, control) == text; });
}

class MediaListWindow : public MediaListFixture {};

TEST_F(MediaListWindow, ShowsEveryRecordAndEveryTotalOfTheTree) {
  ScanTheTree();
  WithMediaList([&](HWND w) {
    ASSERT_TRUE(TextBecomes(w, ml::TotalCount, "19"));
    EXPECT_EQ(LWHANDLE, w);
    auto list = StateOf(w, ml::List);
    ASSERT_TRUE(list);
    const std::vector<Line> lines = FixtureLines();
    ASSERT_EQ(list->rows.size(), lines.size());
    const zq::ui::Row& alien = list->rows[1];
    EXPECT_EQ(alien.cells, (std::vector<std::string>{"T:\\Films\\Alien (1979)", "Alien (1979)", "Alien.mkv", "mkv", "V",
                                                     "Video-File", "1500", "      1.46 Kb"}));
    EXPECT_EQ(list->rows[10].cells[6], "8589934592");
    const std::pair<int32_t, std::string> shown[] = {
        {ml::BluRayCount, "2"},   {ml::BluRaySize, "8589964692"}, {ml::DvdCount, "2"},
        {ml::DvdSize, "8590985215"}, {ml::VideoCount, "11"},     {ml::VideoSize, "23703"},
        {ml::AudioCount, "4"},    {ml::AudioSize, "26000"},       {ml::UnknownCount, "0"},
        {ml::UnknownSize, "0"},   {ml::TotalCount, "19"},         {ml::TotalSize, "17180999610"},
        {ml::FileName, ""}};
    for (const auto& [control, text] : shown) EXPECT_EQ(TextOf(w, control), text) << control;
    EXPECT_EQ(TextOf(w, ml::DiskTotal), zq::rt::RealText(MFSIZE.DISKT));
    EXPECT_EQ(TextOf(w, ml::DiskTotalText), HRSIZE(MFSIZE.DISKT));
    EXPECT_EQ(TextOf(w, ml::DiskUsedText), HRSIZE(MFSIZE.DISKU));
    EXPECT_EQ(TextOf(w, ml::DiskFreeText), HRSIZE(MFSIZE.DISKF));
    EXPECT_EQ(StateOf(w, ml::DiskUsed)->textColour, 0x0000FFu);
    orvid::test::Grab(w, "MediaList");
  });
  EXPECT_EQ(LWHANDLE, 0u);
}

TEST_F(MediaListWindow, ALargerWindowGrowsTheListAndMovesThePanelWithTheBottomRightCorner) {
  WithMediaList([&](HWND w) {
    ASSERT_TRUE(TextBecomes(w, ml::TotalCount, "0"));
    const RECT before = zq::ui::Snapshot(w)->rect;
    const RECT list = StateOf(w, ml::List)->rect, panel = StateOf(w, ml::Panel)->rect,
               write = StateOf(w, ml::WriteButton)->rect;
    ASSERT_TRUE(input::MovedTo(w, RECT{before.left, before.top, before.right + 200, before.bottom + 100}));
    ASSERT_TRUE(WaitFor([&] { return StateOf(w, ml::Panel)->rect.top != panel.top; }));
    auto width = [](const RECT& r) { return r.right - r.left; };
    auto height = [](const RECT& r) { return r.bottom - r.top; };
    const RECT grown = StateOf(w, ml::List)->rect;
    EXPECT_EQ(grown.left, list.left);
    EXPECT_EQ(grown.top, list.top);
    EXPECT_NEAR(width(grown), width(list) + 200, 2);
    EXPECT_NEAR(height(grown), height(list) + 100, 2);
    const RECT moved = StateOf(w, ml::Panel)->rect;
    EXPECT_NEAR(moved.left, panel.left + 200, 2);
    EXPECT_NEAR(moved.top, panel.top + 100, 2);
    EXPECT_EQ(width(moved), width(panel));
    EXPECT_NEAR(StateOf(w, ml::WriteButton)->rect.left, write.left + 200, 2);  // with the panel
    EXPECT_NEAR(StateOf(w, ml::WriteButton)->rect.top, write.top + 100, 2);
  });
}

TEST_F(MediaListWindow, WriteAndReadCsvShowTheFileAndTheListReadFromIt) {
  ScanTheTree();
  WithMediaList([&](HWND w) {
    input::AnswerQuestion(zq::ui::Answer::Chosen("W:\\list.txt"));
    input::AnswerQuestion(zq::ui::Answer::Cancelled());  // the notice of the written file
    input::Click(ControlOf(w, ml::WriteButton));
    EXPECT_TRUE(TextBecomes(w, ml::FileName, "W:\\list.txt.csv"));

    // Two records and totals of the user's own.
    WriteBytes(scratch_ / "mine.csv",
               "Path;Folder;MediaName;Combined;Extension;Category;Type;Size;R-Size\r\n"
               "D:\\Films\\;Heat;Heat.mkv;mkv;V;Video-File;3000;      2.93 Kb            \r\n"
               "D:\\Music\\;Abba;Waterloo.mp3;mp3;A;Music-File;500;500 Bs                   \r\n\r\n\r\n"
               ";;;;;;;;;Total BD-Rip;0;0\r\n;;;;;;;;;Total DVD-Rip;0;0\r\n;;;;;;;;;Total MediaFile;1;3000\r\n"
               ";;;;;;;;;Total MusicFile;1;500\r\n;;;;;;;;;Total Unknown;0;0\r\n"
               ";;;;;;;;;Total Disk Space;2048;      2.00 Kb\r\n;;;;;;;;;Used  Disk Space;1024;      1.00 Kb\r\n"
               ";;;;;;;;;Free  Disk Space;1024;      1.00 Kb\r\n");
    input::AnswerQuestion(zq::ui::Answer::Chosen("W:\\mine.csv"));
    input::Click(ControlOf(w, ml::ReadButton));
    EXPECT_TRUE(TextBecomes(w, ml::FileName, "W:\\mine.csv"));
    EXPECT_TRUE(WaitFor([&] { return StateOf(w, ml::List)->rows.size() == 2; }));
    // The window shows its fields in their order, the free disk space last.
    EXPECT_TRUE(TextBecomes(w, ml::DiskFreeText, "      1.00 Kb"));
    EXPECT_EQ(StateOf(w, ml::List)->rows[0].cells[0], "D:\\Films\\Heat");
    EXPECT_EQ(TextOf(w, ml::VideoCount), "1");
    EXPECT_EQ(TextOf(w, ml::AudioSize), "500");
    EXPECT_EQ(TextOf(w, ml::TotalCount), "2");
    EXPECT_EQ(TextOf(w, ml::DiskTotal), "2048");
    EXPECT_EQ(TextOf(w, ml::DiskUsedText), "      1.00 Kb");
    orvid::test::Grab(w, "MediaList-after-read");
  });
  EXPECT_EQ(zqtest::FileBytes(scratch_ / "list.txt.csv").substr(0, 9), "Path;Fold");
  EXPECT_EQ(MFQF.MTYPE(*MFQ.Peek(2)), MediumType::MusicFile);
}

TEST_F(MediaListWindow, WriteCsvOfAnEmptyListShowsZeroAndAsksNothing) {
  WithMediaList([&](HWND w) {
    input::Click(ControlOf(w, ml::WriteButton));
    EXPECT_TRUE(TextBecomes(w, ml::FileName, "0"));
    EXPECT_EQ(TextOf(w, ml::TotalCount), "0");
    EXPECT_EQ(TextOf(w, ml::DiskTotal), "0");
  });
  for (const auto& a : zq::ui::TakeAsked()) EXPECT_NE(a.question.kind, zq::ui::QuestionKind::Save);
  EXPECT_TRUE(std::filesystem::is_empty(scratch_.path()));
}

TEST_F(MediaListWindow, HeaderClicksSortAndDeleteRemovesTheChosenRecord) {
  ScanTheTree();
  WithMediaList([&](HWND w) {
    HWND list = ControlOf(w, ml::List);
    input::ListPress(list, -1, 0);  // "Path": by category, then folder
    EXPECT_TRUE(WaitFor([&] { return StateOf(w, ml::List)->rows[0].cells[4] == "A"; }));
    EXPECT_EQ(MFQF.DIR(*MFQ.Peek(1)), "T:\\Music\\Abba - Gold");
    input::ListPress(list, -1, 0);  // again: descending
    EXPECT_TRUE(WaitFor([&] { return StateOf(w, ml::List)->rows[0].cells[4] == "V"; }));
    EXPECT_EQ(MFQF.DIR(*MFQ.Peek(1)), "T:\\Series\\Lost\\Season 2");

    input::ListPress(list, 0, 2);
    input::KeyPress(list, VK_DELETE);
    EXPECT_TRUE(WaitFor([&] { return MFQ.Records() == 18; }));
    EXPECT_EQ(MFQF.DIR(*MFQ.Peek(1)), "T:\\Series\\Lost\\Season 1");
    EXPECT_TRUE(WaitFor([&] { return StateOf(w, ml::List)->rows.size() == 18; }));
  });
}

TEST_F(MediaListWindow, WhileAScanAddsToTheListReadCsvAndDeleteWaitForItsEnd) {
  ScanTheTree();
  T1RUNNING = 1;
  T1ENDED = 0;
  const uint32_t thread = GetCurrentThreadId();
  WithMediaList([&](HWND w) {
    ASSERT_TRUE(TextBecomes(w, ml::TotalCount, "19"));
    EXPECT_FALSE(StateOf(w, ml::ReadButton)->enabled);
    HWND list = ControlOf(w, ml::List);
    input::ListPress(list, 0, 0);
    input::KeyPress(list, VK_DELETE);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // time for the key to be handled
    EXPECT_EQ(MFQ.Records(), 19u);

    T1ENDED = 1;  // as the scan marks its end before posting it
    zq::rt::Post(kScanEnded, 0, thread);
    EXPECT_TRUE(WaitFor([&] { return StateOf(w, ml::ReadButton)->enabled; }));
    input::ListPress(list, 0, 0);
    input::KeyPress(list, VK_DELETE);
    EXPECT_TRUE(WaitFor([&] { return MFQ.Records() == 18; }));
  });
  T1RUNNING = 0;
}

}  // namespace
