// The error dialog, the message dialog and the text box, answered through the window model's
// input calls from another thread while they run modal on the test's thread.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "DialogAnswers.h"
#include "hostlib/Dialogs.h"
#include "hostlib/FileModes.h"
#include "hostlib/Wrappers.h"
#include "zqtest/ScratchFolder.h"
#include "zqplatform/uiinput.h"
#include "zqruntime/threads.h"
#include "zqruntime/window.h"

namespace {

using orvid::test::AnswerWhenShown;
using orvid::test::ChildWithText;
using orvid::test::ShownButtons;
using orvid::test::TextOf;
using zq::ui::Kind;
using Strings = std::vector<std::string>;

struct SetCase {
  int32_t set;
  Strings buttons;  // left to right
  std::vector<uint8_t> answers;
};

// Presses the dialog's button of that text through the question seam.
void Answer(HWND d, std::string_view button) {
  auto s = zq::ui::Snapshot(ChildWithText(d, Kind::Button, button));
  ASSERT_TRUE(s) << button;
  zq::ui::input::AnswerQuestion(zq::ui::Answer::Pressed(s->id));
}

// Shows the dialog once per button of the set and presses that button.
template <typename Show>
void ExpectButtonSet(const SetCase& c, const char* title, Show show) {
  for (std::size_t i = 0; i < c.buttons.size(); ++i) {
    Strings shown;
    auto answerer = AnswerWhenShown(title, [&](HWND d) {
      shown = ShownButtons(d);
      Answer(d, c.buttons[i]);
    });
    EXPECT_EQ(show(c.set), c.answers[i]) << "set " << c.set << " " << c.buttons[i];
    answerer.get();
    EXPECT_EQ(shown, c.buttons) << "set " << c.set;
  }
}

TEST(ErrorDialog, EachButtonSetShowsItsButtonsAndAnswersTheirCodes) {
  const SetCase cases[] = {
      {1, {"&Cancel"}, {2}},
      {2, {"&OK", "&Cancel"}, {1, 2}},
      {3, {"&Skip"}, {6}},
      {4, {"&Abort", "&Retry", "&Ignore"}, {3, 4, 5}},
      {5, {"&Abort", "&Retry"}, {3, 4}},
      {6, {"&Abort", "&Ignore"}, {3, 5}},
      {7, {"&Abort"}, {3}},
      {8, {"&Yes", "&No"}, {7, 8}},
      {9, {"&Ignore", "&Retry"}, {5, 4}},
      {10, {"&Cancel", "&Ignore", "Ignore &All"}, {2, 5, 9}},
      {99, {"&OK"}, {1}},
  };
  for (const SetCase& c : cases) {
    ExpectButtonSet(c, "Error", [](int32_t set) {
      return ERRORMSG("Unable to write", "WRITEFILE", "D:\\x.txt", -5, static_cast<uint8_t>(set), 0, 0);
    });
  }
}

TEST(MessageDialog, EachButtonSetShowsItsButtonsAndAnswersTheirCodes) {
  const SetCase cases[] = {
      {1, {"&Cancel"}, {2}},
      {2, {"&OK", "&Cancel"}, {1, 2}},
      {3, {"&Skip"}, {6}},
      {4, {"&Abort", "&Retry", "&Ignore"}, {3, 4, 5}},
      {5, {"&Abort", "&Retry"}, {3, 4}},
      {6, {"&Abort", "&Ignore"}, {3, 5}},
      {7, {"&Abort"}, {3}},
      {8, {"&Ja", "&Nee"}, {7, 8}},
      {9, {"&Ignore", "&Retry"}, {5, 4}},
      {10, {"&OK"}, {1}},
      {99, {"&OK"}, {1}},
  };
  for (const SetCase& c : cases) {
    ExpectButtonSet(c, "Message", [](int32_t set) { return MSGBOX("Export the list?", static_cast<int16_t>(set), 0, 0); });
  }
}

// A key pressed on the dialog's focused control, or on the dialog.
void PressOnFocus(HWND d, uint32_t vk) {
  HWND f = GetFocus();
  zq::ui::input::KeyPress(f != 0 && GetParent(f) == d ? f : d, vk);
}

// The key pressed as soon as the dialog runs.
std::future<void> PressWhenShown(const char* title, uint32_t vk) {
  return AnswerWhenShown(title, [vk](HWND d) { PressOnFocus(d, vk); });
}

TEST(ErrorDialog, EnterPressesTheFirstButtonAndEscGivesThePresetAnswer) {
  struct Case {
    uint8_t set;
    uint32_t key;
    uint8_t answer;
  };
  for (Case c : {Case{8, VK_RETURN, 7}, Case{2, VK_ESCAPE, 1}, Case{1, VK_ESCAPE, 2}, Case{4, VK_RETURN, 4},
                 Case{10, VK_RETURN, 5}}) {
    auto answerer = PressWhenShown("Error", c.key);
    EXPECT_EQ(ERRORMSG("m", "p", "d", 1, c.set, 0, 0), c.answer) << int(c.set) << " key " << c.key;
    answerer.get();
  }
}

TEST(Dialogs, AnswersQueuedAheadAreTakenAsTheUsersAndRecorded) {
  zq::ui::TakeAsked();
  zq::ui::input::AnswerQuestion(zq::ui::Answer::Pressed(8));  // the error dialog's Ignore All
  EXPECT_EQ(ERRORMSG("Cannot read", "SCANDIR", "D:\\Films", 5, 10, 0, 0), 9);
  zq::ui::input::AnswerQuestion(zq::ui::Answer::Cancelled());  // a close: the preset answer
  EXPECT_EQ(ERRORMSG("Cannot read", "SCANDIR", "", 5, 2, 0, 0), 1);
  zq::ui::input::AnswerQuestion(zq::ui::Answer::Pressed(5));  // the message dialog's "&Nee"
  EXPECT_EQ(MSGBOX("Overwrite?", 8, 0, 0), 8);
  zq::ui::input::AnswerQuestion(zq::ui::Answer::Cancelled());
  MBOX("Closed by a cancel", 0, 0, 0);
  auto asked = zq::ui::TakeAsked();
  ASSERT_EQ(asked.size(), 4u);
  EXPECT_EQ(asked[0].question.caption, "Error");
  EXPECT_EQ(asked[2].question.caption, "Message");
  EXPECT_EQ(asked[2].answer, zq::ui::Answer::Pressed(5));
}

TEST(MessageDialog, EscAnswersZeroInEverySetAndAltF4DoesNothing) {
  for (int16_t set : {0, 1, 2, 8, 10}) {
    auto answerer = AnswerWhenShown("Message", [](HWND d) {
      zq::ui::input::KeyPress(d, VK_F1 + 3, zq::ui::input::kAlt);
      zq::ui::input::KeyPress(d, VK_ESCAPE);
    });
    EXPECT_EQ(MSGBOX("Text", set, 10000, 0), 0) << set;
    answerer.get();
  }
}

TEST(ErrorDialog, BlankFieldsAreHiddenAndLongTextsCut) {
  std::string message(130, 'm');
  bool procedureShown = true, labelShown = false, detailsShown = true;
  std::string shownMessage;
  auto answerer = AnswerWhenShown("Error", [&](HWND d) {
    auto visible = [&](int32_t n) { return zq::ui::Snapshot(GetDlgItem(d, n))->visible; };
    procedureShown = visible(11);
    labelShown = visible(10);
    detailsShown = visible(18);
    shownMessage = TextOf(d, 14);
    Answer(d, "&OK");
  });
  EXPECT_EQ(ERRORMSG(message, "   ", "", 3, 99, 0, 0), 1);
  answerer.get();
  EXPECT_FALSE(procedureShown);
  EXPECT_TRUE(labelShown);
  EXPECT_FALSE(detailsShown);
  EXPECT_EQ(shownMessage, std::string(100, 'm'));
}

TEST(ErrorDialog, AFailedWriteShowsThePathAndTheSystemsReasonBesideItsCode) {
  zqtest::ScratchFolder folder("zqdlg");
  struct Case {
    std::string path;
    const char* reason;
  };
  const Case cases[] = {{(folder / "gone" / "x.txt").string(), "the folder is not there"},
                        {folder.path().string(), "access denied"}};
  for (const Case& c : cases) {
    FILEIO file;
    const int32_t code = file.WRITEFILE(c.path, "x", 1, 0, kReadWrite, kNoSharing, OPEN_ALWAYS, kNormalWriteThrough);
    ASSERT_LT(code, 0) << c.path;
    std::string details, shownCode;
    auto answerer = AnswerWhenShown("Error", [&](HWND d) {
      details = TextOf(d, 18);
      shownCode = TextOf(d, 16);
      Answer(d, "&OK");
    });
    ERRORMSG("Error Writing", "Save", FailureDetails(c.path, static_cast<uint32_t>(file.GETLASTSYSTEMERROR())),
             static_cast<int16_t>(code), 99, 0, 0);
    answerer.get();
    EXPECT_EQ(details, c.path + " - " + c.reason);
    EXPECT_EQ(shownCode, std::to_string(code));
  }
  EXPECT_EQ(FailureDetails("D:\\x.txt", 0), "D:\\x.txt");
}

TEST(ErrorDialog, SetZeroCountsDownAndAnswersZeroAfterItsTime) {
  std::string first;
  auto answerer = AnswerWhenShown("Error", [&](HWND d) {
    first = TextOf(d, 17);
    EXPECT_EQ(ShownButtons(d), Strings{});
    EXPECT_TRUE(zq::ui::Snapshot(GetDlgItem(d, 17))->visible);
  });
  auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(ERRORMSG("Wait", "", "", 0, 0, 0, 0), 0);
  auto took = std::chrono::steady_clock::now() - started;
  answerer.get();
  EXPECT_EQ(first, "2000");
  EXPECT_GE(took, std::chrono::milliseconds(2000));
  EXPECT_LT(took, std::chrono::milliseconds(4000));
}

TEST(MessageDialog, SetZeroShowsTheMillisecondsLeft) {
  std::string seen;
  auto answerer = AnswerWhenShown("Message", [&](HWND d) {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    seen = TextOf(d, 10);
  });
  EXPECT_EQ(MSGBOX("Soon", 0, 1000, 0), 0);
  answerer.get();
  int left = std::stoi(seen);
  EXPECT_GT(left, 0);
  EXPECT_LT(left, 800);
}

// The box's lines as its text shows them, and its text control's height in dialog units.
struct Box {
  std::string text;
  int32_t height = 0;
  std::string status;
  bool statusAtBottom = false;
  zq::ui::Align align = zq::ui::Align::Left;
};

Box ShowBox(std::string_view text, uint8_t alignment) {
  Box box;
  auto answerer = AnswerWhenShown("Message", [&](HWND d) {
    auto s = zq::ui::Snapshot(GetDlgItem(d, 1));
    box.text = s->text;
    box.align = s->align;
    RECT nine = zq::ui::DialogUnitsToPixels(zq::ui::Font{"Arial", 14}, RECT{0, 0, 0, 9});
    box.height = (s->rect.bottom - s->rect.top + nine.bottom / 2) / nine.bottom * 9;
    box.status = TextOf(d, 0x7FFF);
    auto bar = zq::ui::Snapshot(GetDlgItem(d, 0x7FFF));
    auto window = zq::ui::Snapshot(d);
    box.statusAtBottom = bar && bar->rect.bottom == window->rect.bottom - window->rect.top;
    zq::ui::input::KeyPress(d, VK_ESCAPE);
  });
  MBOX(text, 0, alignment, 0);
  answerer.get();
  return box;
}

TEST(TextBox, LinesAreNormalisedAndTheBoxTakesTheirHeight) {
  struct Case {
    const char* text;
    const char* shown;
    int32_t lines;
  };
  std::string twenty;
  for (int i = 0; i < 20; ++i) twenty += "line\r\n";
  const Case cases[] = {
      {"Done.", "\r\nDone.", 3},
      {"One\rTwo\nThree\r\nFour  ", "One\r\nTwo\r\nThree\r\nFour", 4},
      {"A\r\n\r\nB", "A\r\n\r\nB", 3},
      {"\nSecond", "\r\nSecond", 3},
      {twenty.c_str(), nullptr, 15},
  };
  for (const Case& c : cases) {
    Box box = ShowBox(c.text, 1);
    if (c.shown) {
      EXPECT_EQ(box.text, c.shown) << c.text;
    }
    EXPECT_EQ(box.height, 9 * c.lines) << c.text;
    EXPECT_EQ(box.status, "Esc is Einde");
    EXPECT_TRUE(box.statusAtBottom) << c.text;
  }
  EXPECT_EQ(ShowBox("x", 0).align, zq::ui::Align::Center);
  EXPECT_EQ(ShowBox("x", 2).align, zq::ui::Align::Right);
  EXPECT_EQ(ShowBox("x", 7).align, zq::ui::Align::Left);
}

TEST(TextBox, TheTextFollowsTheBoxWhenTheUserSizesIt) {
  int32_t grownBy = 0, expected = 0;
  auto answerer = AnswerWhenShown("Message", [&](HWND d) {
    RECT r{};
    GetWindowRect(d, &r);
    HWND text = GetDlgItem(d, 1);
    RECT before = zq::ui::Snapshot(text)->rect;
    expected = 120;
    zq::ui::input::MovedTo(d, RECT{r.left, r.top, r.right + expected, r.bottom + expected});
    for (int i = 0; i < 200 && grownBy == 0; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      grownBy = zq::ui::Snapshot(text)->rect.right - before.right;
    }
    EXPECT_NEAR(zq::ui::Snapshot(text)->rect.bottom - before.bottom, expected, 4);
    zq::ui::input::KeyPress(d, VK_ESCAPE);
  });
  MBOX("Three\r\nshort\r\nlines", 0, 0, 0);
  answerer.get();
  EXPECT_NEAR(grownBy, expected, 4);  // to the nearest dialog unit
}

TEST(TextBox, ClosesOnProgramEvent0x400AndAfterItsTimeOut) {
  uint32_t thread = zq::rt::CurrentThread();
  auto answerer = AnswerWhenShown("Message", [thread](HWND) { zq::rt::Post(zq::rt::kUserEvent, 0, thread); });
  MBOX("Working", 0, 0, 0);
  answerer.get();

  auto started = std::chrono::steady_clock::now();
  MBOX("Gone soon", 300, 0, 0);
  auto took = std::chrono::steady_clock::now() - started;
  EXPECT_GE(took, std::chrono::milliseconds(300));
  EXPECT_LT(took, std::chrono::milliseconds(2000));
}

// The main window's thread waits while a worker shows a dialog with the main window as owner.
struct WorkerDialog {
  static inline std::atomic<HWND> owner{0};
  static inline std::atomic<int> answer{-1};
  static void Run(std::string_view) { answer = ERRORMSG("From the worker", "SCANDIR", "", 0, 2, 0, owner); }
};

zq::rt::WindowDef MainWindow() {
  return *zq::rt::ParseWindowDefinition("window \"Orvid\" pos 40,30 size 500,300\n1 button \"Go\" at 4,4,40,14\n").window;
}

TEST(ErrorDialog, AWorkerThreadsDialogIsCentredOverTheMainWindow) {
  zq::rt::Window main(MainWindow());
  ASSERT_TRUE(main.Open());
  WorkerDialog::owner = main.Handle();
  WorkerDialog::answer = -1;
  uint32_t worker = zq::rt::StartThread(&WorkerDialog::Run);
  ASSERT_NE(worker, 0u);
  HWND dialog = orvid::test::WaitForWindow("Error", worker);
  ASSERT_NE(dialog, 0u);
  RECT m{}, d{};
  ASSERT_TRUE(GetWindowRect(main.Handle(), &m));
  ASSERT_TRUE(GetWindowRect(dialog, &d));
  EXPECT_NEAR((d.left + d.right) / 2, (m.left + m.right) / 2, 1) << m.left << "," << m.top << "," << m.right << "," << m.bottom << " " << d.left << "," << d.top << "," << d.right << "," << d.bottom;
  EXPECT_NEAR((d.top + d.bottom) / 2, (m.top + m.bottom) / 2, 1);
  Answer(dialog, "&Cancel");
  for (int i = 0; i < 1000 && WorkerDialog::answer < 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(WorkerDialog::answer, 2);
  main.Close();
}

struct ClosingWorker {
  static inline std::atomic<int> error{-1};
  static inline std::atomic<int> message{-1};
  static inline std::atomic<bool> box{false};
  static void Run(std::string_view) {
    error = ERRORMSG("Pending", "", "", 0, 4, 0, 0);
    message = MSGBOX("Pending", 2, 0, 0);
    MBOX("Pending", 0, 0, 0);
    box = true;
  }
};

TEST(Dialogs, ProgramCloseClosesAWorkersDialogsAsCancelled) {
  ClosingWorker::error = -1;
  ClosingWorker::message = -1;
  ClosingWorker::box = false;
  std::atomic<uint8_t> closing{0};
  SetDialogsClosingFlag(&closing);
  uint32_t worker = zq::rt::StartThread(&ClosingWorker::Run);
  ASSERT_NE(orvid::test::WaitForWindow("Error", worker), 0u);
  closing = 1;
  for (int i = 0; i < 1000 && !ClosingWorker::box; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_TRUE(ClosingWorker::box);
  EXPECT_EQ(ClosingWorker::error, 2);
  EXPECT_EQ(ClosingWorker::message, 0);
  // The thread that set the flag keeps its dialogs.
  auto answerer = AnswerWhenShown("Message", [](HWND d) { PressOnFocus(d, VK_RETURN); }, zq::rt::CurrentThread());
  EXPECT_EQ(MSGBOX("Still asks", 2, 0, 0), 1);
  answerer.get();
  SetDialogsClosingFlag(nullptr);
}

// Rendered offscreen in a state of use; the grab has the dialog's size and its background.
void ExpectGrab(HWND d, const char* name, COLORREF back) {
  std::string png = orvid::test::Grab(d, name);
  ASSERT_FALSE(png.empty());
  EXPECT_GT(std::filesystem::file_size(png), 0u);
  auto image = zq::ui::GrabImage(d);
  ASSERT_TRUE(image);
  RECT r{};
  GetWindowRect(d, &r);
  EXPECT_NEAR(image->width, r.right - r.left, 8);
  EXPECT_NEAR(image->height, r.bottom - r.top, 8);
  EXPECT_EQ(image->At(1, image->height / 2) & 0xFFFFFF, back) << name;
}

TEST(Dialogs, RenderedOffscreenInUse) {
  if (zq::ui::PresenterName() != "qt") GTEST_SKIP() << "grabs need the Qt presenter";
  std::string path = "D:\\Films\\Science Fiction\\The Long Journey Home (Director's Cut, Remastered 2019)\\"
                     "Covers\\The Long Journey Home - Front Cover (Large).jpg";
  bool detailsWrap = false;
  auto answerer = AnswerWhenShown("Error", [&](HWND d) {
    detailsWrap = zq::ui::Snapshot(GetDlgItem(d, 18))->multiLine;
    ExpectGrab(d, "ErrorDialog-long-path", 0x93FFFF);
    PressOnFocus(d, VK_RETURN);
  });
  EXPECT_EQ(ERRORMSG("Unable to convert the cover", "CONVERTPIC", path, -3, 10, 0, 0), 5);
  answerer.get();
  EXPECT_TRUE(detailsWrap);

  answerer = AnswerWhenShown("Message", [&](HWND d) {
    ExpectGrab(d, "MessageDialog", 0xFBFAF4);
    PressOnFocus(d, VK_RETURN);
  });
  EXPECT_EQ(MSGBOX("The CSV file was written.", 8, 0, 0), 7);
  answerer.get();

  answerer = AnswerWhenShown("Message", [&](HWND d) {
    ExpectGrab(d, "TextBox", 0xFFC2BF);
    zq::ui::input::KeyPress(d, VK_ESCAPE);
  });
  MBOX("The scan has finished.\r\n1,024 folders\r\n12 new films\r\n3 errors", 0, 0, 0);
  answerer.get();
}

}  // namespace
