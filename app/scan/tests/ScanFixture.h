// A media tree mapped to the drive T:, a program folder of its own, the settings a typical
// disk is scanned with, and the scan run as the main window runs it.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/Scan.h"
#include "app/State.h"
#include "zqplatform/files.h"
#include "zqplatform/messages.h"
#include "zqtest/DriveMap.h"
#include "zqtest/FileBytes.h"
#include "zqtest/MediaTree.h"
#include "zqtest/ScratchFolder.h"
#include "zqtest/TreeContents.h"

class ScanFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    RESETSTATE();
    drives_.emplace("T=" + scratch_.path().string());
    INIPATH = home_.path().string() + "/";
    ST.Change([&](SETTINGSGROUP& st) {
      st.ACR.NAME = "folder";
      st.ABR.NAME = "background";
    });
    for (const auto& [ext, noUrl] : {std::pair{"MKV", 0}, {"AVI", 0}, {"MP4", 0}, {"ISO", 0}, {"IMG", 0}, {"TS", 1}})
      AddRow(VEXTENSIONS, ext, noUrl);
    for (const char* ext : {"MP3", "FLAC"}) AddRow(AEXTENSIONS, ext, 0);
    QNOSCAN.Buffer().Clear();
    QNOSCANF.FNAME.Set(QNOSCAN.Buffer(), "TRAILERS");
    QNOSCAN.Add();
  }

  void TearDown() override {
    drives_.reset();
    RESETSTATE();
  }

  static void AddRow(zq::rt::Queue& q, const char* ext, int noUrl) {
    q.Buffer().Clear();
    const EXTFIELDS& EXTF = &q == &AEXTENSIONS ? AEXTF : VEXTF;
    EXTF.EXT.Set(q.Buffer(), ext);
    EXTF.NOMEDIAURL.Set(q.Buffer(), noUrl);
    q.Add();
  }

  // The bytes of T1GROUP for a root, notifying this thread.
  static std::string Group(const std::string& root) {
    zq::rt::Record group(SharedLayout(T1GROUPTYPE()));
    T1GROUPF.ROOT.Set(group, root);
    T1GROUPF.THREADNR.Set(group, GetCurrentThreadId());
    return std::string(group.Bytes());
  }

  // Scans on this thread; the events posted to it are collected.
  void Scan(const std::string& root) {
    PostedEvents();  // this thread's queue, emptied, so only this scan's end event is there
    SCANDIRTH(Group(root));
  }

  // The program events posted to this thread since the last call.
  static std::vector<uint32_t> PostedEvents() {
    std::vector<uint32_t> events;
    MSG msg{};
    while (PeekMessage(&msg, 0, 0, 0, PM_REMOVE)) events.push_back(static_cast<uint32_t>(msg.wParam));
    return events;
  }

  std::string Posix(const std::string& relative) const { return (scratch_.path() / relative).string(); }

  zqtest::ScratchFolder scratch_{"orvid-scan"};
  zqtest::ScratchFolder home_{"orvid-scan-home"};  // the program folder

 private:
  std::optional<zqtest::DriveMap> drives_;
};
