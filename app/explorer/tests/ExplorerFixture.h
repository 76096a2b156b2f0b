// The explorer beside a running main window: a program folder with its settings, the media
// tree mapped to T: with real pictures added under "Pictures", MAIN on the test's thread and
// the test's steps on a driver thread that presses keys and clicks through the input calls.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "DialogAnswers.h"
#include "app/Explorer.h"
#include "app/MainWindow.h"
#include "app/State.h"
#include "hostlib/Picture.h"
#include "orvid/controlnumbers.h"
#include "zqplatform/files.h"
#include "zqplatform/uiinput.h"
#include "zqplatform/uimodel.h"
#include "zqruntime/windef.h"
#include "zqtest/DriveMap.h"
#include "zqtest/FileBytes.h"
#include "zqtest/MediaTree.h"
#include "zqtest/ScratchFolder.h"

namespace ew = orvid::res::ExplorerWindow;

inline const std::string kExplorerTitle = "Explorer - V2.191 - Orvid, the media disk maker";
inline const std::string kMainTitle = "Orvid 0.1 - Media Disk Maker";

// A 24-bit BMP of width x height with a colour gradient.
inline void WriteBmp(const std::filesystem::path& file, int32_t width, int32_t height) {
  const int32_t row = (width * 3 + 3) / 4 * 4;
  const int32_t size = 54 + row * height;
  std::string data(static_cast<size_t>(size), '\0');
  auto put32 = [&](size_t at, int32_t v) {
    for (int i = 0; i < 4; ++i) data[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  data[0] = 'B';
  data[1] = 'M';
  put32(2, size);
  put32(10, 54);
  put32(14, 40);
  put32(18, width);
  put32(22, height);
  data[26] = 1;
  data[28] = 24;
  put32(34, row * height);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const size_t at = 54 + static_cast<size_t>(y) * row + static_cast<size_t>(x) * 3;
      data[at] = static_cast<char>(255 * x / width);         // blue rises to the right
      data[at + 1] = static_cast<char>(255 * y / height);    // green to the top
      data[at + 2] = static_cast<char>(200);
    }
  }
  std::ofstream(file, std::ios::binary) << data;
}

class ExplorerFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    RESETSTATE();
    std::filesystem::create_directories(Disk());
    std::filesystem::create_directories(Program());
    drives_.emplace("T=" + Disk().string());
    zqtest::BuildMediaTree(Disk());
    MakePicture("Pictures/sunset.jpg", 640, 400);
    MakePicture("Pictures/poster.png", 300, 450);
    MakePicture("Pictures/folder.aai", 400, 300);
    MakePicture("Pictures/beach.bmp", 200, 100);
    savedFolder_ = std::filesystem::current_path();
    std::filesystem::current_path(Program());
  }

  void TearDown() override {
    std::filesystem::current_path(savedFolder_);
    drives_.reset();
    RESETSTATE();
  }

  std::filesystem::path Disk() const { return scratch_ / "disk"; }
  std::filesystem::path Program() const { return scratch_ / "program"; }
  std::filesystem::path OnDisk(const std::string& relative) const { return Disk() / relative; }

  // A real picture on the disk, written by the image library from a BMP.
  void MakePicture(const std::string& relative, int32_t width, int32_t height) {
    const std::filesystem::path target = OnDisk(relative);
    std::filesystem::create_directories(target.parent_path());
    const std::filesystem::path bmp = scratch_ / "source.bmp";
    WriteBmp(bmp, width, height);
    if (target.extension() == ".bmp") {
      std::filesystem::copy_file(bmp, target, std::filesystem::copy_options::overwrite_existing);
    } else {
      ASSERT_GT(GRCONVERT(bmp.string(), target.string(), 0, 0, 0, 1), 0) << relative;
    }
  }

  // The settings the program starts with: both panels' folders, the picture names and the
  // explorer's options, and the extension tables.
  void WriteSettings(const std::string& left, const std::string& right, int confirmDelete = 0,
                     const std::string& icon = "folder", const std::string& background = "background") {
    std::ofstream ini(Program() / "Orvid.INI", std::ios::binary);
    ini << "[PROCESS]\r\nAutoRSIcon=" << icon << "|None|0|Fast|0|0\r\n"
        << "AutoRSBack=" << background << "|None|0|Fast|0|0|0|0|0|0\r\nRoot=T:\\\r\n"
        << "[EXPLORER]\r\nExpFontSize=8\r\nConfirmDel=" << confirmDelete << "\r\nResize=3\r\nStripAlpha=0\r\n"
        << "LPPath=" << left << "\r\nRPPath=" << right << "\r\n";
    std::ofstream(Program() / "Script.dat", std::ios::binary);
    std::ofstream(Program() / "VExtensions.dat", std::ios::binary)
        << "MKV\xFD\xFD" "0\xFE" "AVI\xFD\xFD" "0\xFE" "ISO\xFD\xFD" "0\xFE" "IMG\xFD\xFD" "0";
    std::ofstream(Program() / "AExtensions.dat", std::ios::binary) << "MP3\xFD\xFD" "0\xFE" "FLAC\xFD\xFD" "0";
  }

  // Runs MAIN on this thread and the steps on a driver thread; the driver closes the main
  // window after the steps, which closes an explorer still open.
  void RunWithMain(const std::function<void()>& steps) {
    std::thread driver([&] {
      main_ = orvid::test::WaitForWindow(kMainTitle);
      if (main_ != 0) steps();
      zq::ui::input::CloseRequest(main_);
    });
    orvid::_main();
    driver.join();
  }

  // F2 in the main window; the explorer's window once it shows.
  HWND OpenExplorer() {
    Press(main_, "F2");
    explorer_ = orvid::test::WaitForWindow(kExplorerTitle);
    return explorer_;
  }

  static void Press(HWND hwnd, const std::string& key) { PressTaken(hwnd, key); }

  static bool PressTaken(HWND hwnd, const std::string& key) {
    const uint32_t code = zq::rt::KeyCode(key);
    uint32_t modifiers = 0;
    if (code & zq::rt::kShiftKey) modifiers |= zq::ui::input::kShift;
    if (code & zq::rt::kCtrlKey) modifiers |= zq::ui::input::kCtrl;
    if (code & zq::rt::kAltKey) modifiers |= zq::ui::input::kAlt;
    return zq::ui::input::KeyPress(hwnd, code & 0xFF, modifiers);
  }

  // The open explorer and its panels, as the explorer thread keeps them.
  static Explorer& Ex() {
    Explorer* open = OPENEXPLORER();
    EXPECT_NE(open, nullptr) << "no explorer is open";
    return *open;
  }
  static ExplorerPanel& Left() { return Ex().Left(); }
  static ExplorerPanel& Right() { return Ex().Right(); }

  HWND Control(int32_t control) const { return orvid::test::ControlOf(explorer_, control); }
  void Press(int32_t control, const std::string& key) { Press(Control(control), key); }

  std::string Text(int32_t control) const {
    auto s = zq::ui::Snapshot(Control(control));
    return s ? s->text : std::string();
  }

  // Every key pressed so far has been handled: F4 switches the copy mode there and back (so a
  // test waits for its own F4 before it syncs). A key into the explorer while one of its
  // dialogs is open is not taken: it is pressed again until it is.
  void Sync() {
    for (int i = 0; i < 2; ++i) {
      const std::string before = Text(ew::ModeButton);
      EXPECT_TRUE(orvid::test::WaitFor([&] { return NoDialog() && PressTaken(Control(ew::LeftPanel), "F4"); }));
      EXPECT_TRUE(orvid::test::WaitFor([&] { return Text(ew::ModeButton) != before; }))
          << "the explorer handled no key; its mode still reads " << before;
    }
  }

  // The row of the panel's list (1-based) chosen as the user does, and handled.
  void Choose(int32_t list, uint32_t row) {
    zq::ui::input::ListPress(Control(list), static_cast<int32_t>(row) - 1, 0);
    Sync();
  }

  // A key pressed on the panel's row (1-based) once the user chose it, and handled.
  void PressOn(int32_t list, uint32_t row, const std::string& key) {
    SCOPED_TRACE(key + " on row " + std::to_string(row));
    Choose(list, row);
    Press(list, key);
    Sync();
  }

  // The panel's row holding that name and extension; 0: none.
  static uint32_t RowOf(const zq::rt::Queue& panel, const std::string& name, const std::string& ext = "") {
    for (uint32_t i = 1; i <= panel.Records(); ++i) {
      auto r = panel.Peek(i);
      if (QPANELF.FN(*r) == name && (ext.empty() || QPANELF.EXT(*r) == ext)) return i;
    }
    return 0;
  }

  // The program dialog open as a question now (waited for); 0: none came.
  static HWND WaitForDialog() {
    HWND dialog = 0;
    orvid::test::WaitFor([&] {
      for (const zq::ui::Question& q : zq::ui::OpenQuestions())
        if (q.kind == zq::ui::QuestionKind::Window && q.caption != "Error") dialog = q.owner;
      return dialog != 0;
    });
    if (dialog != 0) SendMessage(dialog, WM_NULL, 0, 0);  // its loop runs
    return dialog;
  }

  // Whether no program dialog is open.
  static bool NoDialog() {
    for (const zq::ui::Question& q : zq::ui::OpenQuestions())
      if (q.kind == zq::ui::QuestionKind::Window) return false;
    return true;
  }

  static bool Marked(const zq::rt::Queue& panel, uint32_t row) {
    auto r = panel.Peek(row);
    return r && QPANELF.SEL(*r) == 1 && QPANELF.C1(*r) == 255;
  }

  // Width and height of an AAI file; {0, 0} when it is missing.
  static std::pair<int32_t, int32_t> AaiSize(const std::filesystem::path& file) {
    const std::string data = zqtest::FileBytes(file);
    if (data.size() < 8) return {0, 0};
    auto at = [&](size_t i) {
      return static_cast<int32_t>(static_cast<uint8_t>(data[i]) | static_cast<uint8_t>(data[i + 1]) << 8 |
                                  static_cast<uint8_t>(data[i + 2]) << 16 | static_cast<uint8_t>(data[i + 3]) << 24);
    };
    return {at(0), at(4)};
  }

  std::vector<std::string> Errors() { return watcher_.Errors(); }

  // A file's size and checksum.
  static std::string Checksum(const std::filesystem::path& file) {
    const std::string data = zqtest::FileBytes(file);
    return std::to_string(data.size()) + ":" + std::to_string(std::hash<std::string>{}(data));
  }

  // Every file below a folder with its checksum, by its path inside the folder.
  static std::map<std::string, std::string> Files(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
      if (entry.is_regular_file()) files[entry.path().lexically_relative(folder).string()] = Checksum(entry.path());
    return files;
  }

  // The names of a panel's rows as listed, in the panel's order.
  static std::vector<std::string> Names(const zq::rt::Queue& panel) {
    std::vector<std::string> names;
    for (uint32_t i = 1; i <= panel.Records(); ++i) names.push_back(QPANELF.NAME(*panel.Peek(i)));
    return names;
  }

  // The row listing exactly that name; 0: none.
  static uint32_t RowNamed(const zq::rt::Queue& panel, const std::string& name) {
    const std::vector<std::string> names = Names(panel);
    for (size_t i = 0; i < names.size(); ++i)
      if (names[i] == name) return static_cast<uint32_t>(i + 1);
    return 0;
  }

  zqtest::ScratchFolder scratch_{"orvid-explorer"};
  orvid::test::DialogWatcher watcher_;
  HWND main_ = 0;
  HWND explorer_ = 0;

 private:
  std::optional<zqtest::DriveMap> drives_;
  std::filesystem::path savedFolder_;
};
