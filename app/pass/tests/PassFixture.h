// The media tree mapped to T:, the settings and pictures of a fresh program folder, real
// pictures in place of the tree's stand-in ones, and the scan and the pass run as the main
// window runs them (on the test's thread, the errors answered by DialogWatcher).
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/FolderFile.h"
#include "app/IniFile.h"
#include "app/MainWindow.h"
#include "app/Pass.h"
#include "app/Scan.h"
#include "app/State.h"
#include "hostlib/Procedures.h"
#include "zqplatform/files.h"
#include "zqruntime/dirlist.h"
#include "zqtest/DriveMap.h"
#include "zqtest/FileBytes.h"
#include "zqtest/MediaTree.h"
#include "zqtest/ScratchFolder.h"
#include "zqtest/TreeContents.h"

namespace fs = std::filesystem;

// The pictures the tests put into the tree, drawn once by ImageMagick.
struct TestPictures {
  fs::path cover;       // a 600 x 900 JPEG
  fs::path background;  // an 800 x 450 PNG
  fs::path aai;         // a 300 x 450 AAI
};

inline const TestPictures& Pictures() {
  static zqtest::ScratchFolder folder("orvid-pictures");
  static const TestPictures pictures = [] {
    TestPictures p{folder.path() / "cover.jpg", folder.path() / "background.png", folder.path() / "icon.aai"};
    const std::string draw = "convert -size 600x900 gradient:red-blue '" + p.cover.string() +
                             "' && convert -size 800x450 "
                             "plasma:fractal -seed 3 '" +
                             p.background.string() +
                             "' && convert -size 300x450 "
                             "gradient:green-yellow 'AAI:" +
                             p.aai.string() + "'";
    if (std::system(draw.c_str()) != 0) ADD_FAILURE() << "ImageMagick could not draw the test pictures";
    return p;
  }();
  return pictures;
}

// Width and height of a picture as ImageMagick reads it ("AAI:" for an AAI file).
inline std::string SizeByImageMagick(const fs::path& file) {
  const std::string command = "identify -format '%w %h' 'AAI:" + file.string() + "' 2>/dev/null";
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buffer[128];
    while (fgets(buffer, sizeof buffer, p)) out += buffer;
    pclose(p);
  }
  return out;
}

inline std::string TrimmedText(std::string_view text) {
  const size_t end = text.find_last_not_of(' ');
  return std::string(end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1));
}

using zqtest::Contents;
using zqtest::Tree;

class PassFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    RESETSTATE();
    drives_.emplace("T=" + scratch_.path().string());
    // The program folder's settings and pictures in a home of the test's own, which the scan
    // writes its list of left-out entries to (made anew when a test sets up again).
    for (const auto& e : fs::directory_iterator(home_.path())) fs::remove_all(e.path());
    for (const char* name : {"Orvid.INI", "Script.dat", "VExtensions.dat", "AExtensions.dat"})
      fs::copy_file(fs::path(ORVID_PROGRAM_FOLDER) / name, home_ / name);
    for (const char* pictures : {"Covers", "Chars"})
      fs::create_directory_symlink(fs::path(ORVID_PROGRAM_FOLDER) / pictures, home_ / pictures);
    INIPATH = CHECKPATH(zq::rt::WindowsForm(home_.path().string()));
    LoadSettings();
  }

  // The program folder's settings and data files read, then every option on.
  void LoadSettings() {
    GETINI();
    ST.Change([&](SETTINGSGROUP& st) { st.ABR.NAME = "background"; });  // the tree's backgrounds
    for (uint8_t* option : {&RMC, &DOICCONV, &AUTOICRESIZE, &DOBGCONV, &AUTOBGRESIZE, &DELSCRIPT, &UPDSCRIPT, &PROCESSV,
                            &DOINDEXV, &REMEMPTYV, &PROCESSA, &DOINDEXA, &REMEMPTYA}) {
      *option = 1;
    }
    ROOTDIR.Set("T:\\");
  }

  void TearDown() override {
    drives_.reset();
    RESETSTATE();
  }

  // The media tree with real pictures in place of the stand-in ones (AAI files stay as they
  // are when keepAai).
  void BuildTree(bool realPictures = true) {
    zqtest::BuildMediaTree(scratch_.path());
    if (!realPictures) return;
    for (auto it = fs::recursive_directory_iterator(scratch_.path()); it != fs::recursive_directory_iterator(); ++it) {
      if (it->is_symlink() || !it->is_regular_file()) continue;
      std::string ext = it->path().extension().string();
      for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      const std::string stem = it->path().stem().string();
      const bool picture =
          stem == "folder" || stem == "Folder" || stem == "FOLDER" || stem == "background" || stem == "Background";
      if (!picture) continue;
      const fs::path& source = ext == ".aai"   ? Pictures().aai
                               : ext == ".png" ? Pictures().background
                                               : Pictures().cover;
      fs::copy_file(source, it->path(), fs::copy_options::overwrite_existing);
    }
  }

  void Scan() {
    zq::rt::Record group(SharedLayout(T1GROUPTYPE()));
    T1GROUPF.ROOT.Set(group, ROOTDIR.Get());
    T1GROUPF.THREADNR.Set(group, GetCurrentThreadId());
    SCANDIRTH(std::string(group.Bytes()));
    Drain();
  }

  // The pass on this thread over QDIR; the program events it posted.
  std::vector<uint32_t> Pass() {
    zq::rt::Record group(SharedLayout(T2GROUPTYPE()));
    T2GROUPF.QDIR.Set(group, &QDIR);
    T2GROUPF.THREADNR.Set(group, GetCurrentThreadId());
    WRITESCRIPTTH(std::string(group.Bytes()));
    return Drain();
  }

  static std::vector<uint32_t> Drain() {
    std::vector<uint32_t> events;
    MSG msg{};
    while (PeekMessage(&msg, 0, 0, 0, PM_REMOVE)) events.push_back(static_cast<uint32_t>(msg.wParam));
    return events;
  }

  fs::path Root() const { return scratch_.path(); }
  std::string Folder(const std::string& relative) const { return (scratch_.path() / relative).string(); }

  zqtest::ScratchFolder scratch_{"orvid-pass"};
  zqtest::ScratchFolder home_{"orvid-pass-home"};  // the program folder

 private:
  std::optional<zqtest::DriveMap> drives_;
};
