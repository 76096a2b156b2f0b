#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "zqplatform/files.h"
#include "zqtest/FileBytes.h"
#include "zqtest/ScratchFolder.h"
#include "zqtest/SmallVolume.h"
#include "zqtest/TempDrive.h"
#include "zqtest/TreeContents.h"

namespace {

namespace fs = std::filesystem;
using zq::fs::AtLink;

enum class Kind { Missing, File, Link, Folder };

Kind KindOf(const fs::path& p) {
  const fs::file_status st = fs::symlink_status(p);
  if (fs::is_symlink(st)) return Kind::Link;
  if (fs::is_directory(st)) return Kind::Folder;
  return fs::exists(st) ? Kind::File : Kind::Missing;
}

mode_t ModeOf(const fs::path& p) {
  struct stat st {};
  return stat(p.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

const std::string kOld = "old bytes";
const std::string kOutside = "outside bytes";
constexpr mode_t kOldMode = 0640;
constexpr mode_t kSourceMode = 0604;

enum Writer { kReplace, kFollow, kCopy, kWriters };
const char* const kWriterNames[] = {"WriteReplacing Replace", "WriteReplacing Follow", "CopyFileA"};

// What a writer leaves: its error (0 for success), the target's kind, its bytes (the payload
// when null), its permission bits (0: not checked), and whether the outside "file.txt" now
// holds the payload (else the outside tree stays as it was).
struct Outcome {
  DWORD error;
  Kind kind;
  const std::string* bytes;
  mode_t mode;
  bool outsideFileWritten = false;
};

struct Case {
  const char* what;
  std::function<void(const fs::path& target, const fs::path& outside)> make;
  bool onSmallVolume;
  const char* targetRel;
  Outcome outcome[kWriters];
};

TEST(ReplacingWrite, EachWriterReplacesTheNameWholeAndNeverWritesThroughItOrOutside) {
  const mode_t fresh = NewFileMode();
  const std::string payload(128 << 10, 'n');
  const std::string* const kPayload = nullptr;
  auto oldFile = [](const fs::path& target, const fs::path&) {
    std::ofstream(target, std::ios::binary) << kOld;
    fs::permissions(target, static_cast<fs::perms>(kOldMode));
  };
  const Outcome replaced{0, Kind::File, kPayload, fresh};
  const Outcome copied{0, Kind::File, kPayload, kSourceMode};
  const Outcome kept{0, Kind::File, kPayload, kOldMode};
  const Case cases[] = {
      {"new file", [](const fs::path&, const fs::path&) {}, false, "target.txt", {replaced, replaced, copied}},
      {"existing file", oldFile, false, "target.txt", {kept, kept, kept}},
      {"link to a file outside",
       [](const fs::path& t, const fs::path& o) { fs::create_symlink(o / "file.txt", t); }, false, "target.txt",
       {replaced, {0, Kind::Link, kPayload, kOldMode, true}, copied}},
      {"dangling link", [](const fs::path& t, const fs::path& o) { fs::create_symlink(o / "gone.txt", t); }, false,
       "target.txt", {replaced, replaced, copied}},
      {"hard link with an outside name",
       [](const fs::path& t, const fs::path& o) { fs::create_hard_link(o / "hard.txt", t); }, false, "target.txt",
       {kept, kept, kept}},
      {"link to a folder", [](const fs::path& t, const fs::path& o) { fs::create_directory_symlink(o / "dir", t); },
       false, "target.txt",
       {replaced, {ERROR_ACCESS_DENIED, Kind::Link, nullptr, 0}, copied}},
      {"folder", [](const fs::path& t, const fs::path&) { fs::create_directory(t); }, false, "target.txt",
       {{ERROR_ACCESS_DENIED, Kind::Folder, nullptr, 0},
        {ERROR_ACCESS_DENIED, Kind::Folder, nullptr, 0},
        {ERROR_ACCESS_DENIED, Kind::Folder, nullptr, 0}}},
      {"read-only file",
       [](const fs::path& t, const fs::path&) {
         std::ofstream(t, std::ios::binary) << kOld;
         fs::permissions(t, static_cast<fs::perms>(0444));
       },
       false, "target.txt",
       {{ERROR_ACCESS_DENIED, Kind::File, &kOld, 0444},
        {ERROR_ACCESS_DENIED, Kind::File, &kOld, 0444},
        {ERROR_ACCESS_DENIED, Kind::File, &kOld, 0444}}},
      {"missing folder", [](const fs::path&, const fs::path&) {}, false, "nofolder\\target.txt",
       {{ERROR_PATH_NOT_FOUND, Kind::Missing, nullptr, 0},
        {ERROR_PATH_NOT_FOUND, Kind::Missing, nullptr, 0},
        {ERROR_PATH_NOT_FOUND, Kind::Missing, nullptr, 0}}},
      {"full disk", oldFile, true, "target.txt",
       {{ERROR_DISK_FULL, Kind::File, &kOld, kOldMode},
        {ERROR_DISK_FULL, Kind::File, &kOld, kOldMode},
        {ERROR_DISK_FULL, Kind::File, &kOld, kOldMode}}},
  };

  for (const Case& c : cases) {
    for (int w = 0; w < kWriters; ++w) {
      SCOPED_TRACE(std::string(c.what) + " / " + kWriterNames[w]);
      zqtest::SmallVolume volume;
      // The rows on a small volume come last.
      if (c.onSmallVolume && !volume.mounted()) GTEST_SKIP() << "cannot mount a small tmpfs here (needs mount rights)";
      zqtest::TempDrive drive('T', c.onSmallVolume ? "V=" + volume.folder() : std::string());
      const fs::path root = c.onSmallVolume ? fs::path(volume.folder()) : fs::path(drive.folder());
      const std::string win = std::string(c.onSmallVolume ? "V:\\" : "T:\\") + c.targetRel;
      const fs::path target = root / fs::path(std::string(c.targetRel)).filename();

      zqtest::ScratchFolder outside("zqout");
      std::ofstream(outside / "file.txt", std::ios::binary) << kOutside;
      fs::permissions(outside / "file.txt", static_cast<fs::perms>(kOldMode));
      std::ofstream(outside / "hard.txt", std::ios::binary) << kOld;
      fs::permissions(outside / "hard.txt", static_cast<fs::perms>(kOldMode));
      fs::create_directories(outside / "dir");
      std::ofstream(outside / "dir" / "inner.txt", std::ios::binary) << "inner";
      const std::string sourceRel = "source.bin";
      const fs::path source = fs::path(drive.folder()) / sourceRel;
      std::ofstream(source, std::ios::binary) << payload;
      fs::permissions(source, static_cast<fs::perms>(kSourceMode));
      c.make(target, outside.path());
      std::map<std::string, std::string> outsideAfter = zqtest::Tree(outside.path());
      std::set<std::string> entriesBefore = zqtest::EntriesOf(root);

      SetLastError(0);
      bool ok = false;
      if (w == kCopy) ok = CopyFileA(drive.Win(sourceRel).c_str(), win.c_str(), false);
      else ok = zq::fs::WriteReplacing(win.c_str(), payload, w == kFollow ? AtLink::Follow : AtLink::Replace);

      const Outcome& want = c.outcome[w];
      EXPECT_EQ(ok, want.error == 0);
      if (want.error != 0) {
        EXPECT_EQ(GetLastError(), want.error);
      }
      EXPECT_EQ(KindOf(target), want.kind);
      if (want.kind == Kind::File || want.outsideFileWritten) {
        const std::string bytes = zqtest::FileBytes(target);
        EXPECT_TRUE(bytes == (want.bytes ? *want.bytes : payload)) << bytes.size() << " bytes: " << bytes.substr(0, 16);
      }
      if (want.mode != 0) {
        EXPECT_EQ(ModeOf(target), want.mode);
      }
      // Nothing but the target beside it: no temporary file stays.
      if (want.kind != Kind::Missing) entriesBefore.insert(target.filename().string());
      EXPECT_EQ(zqtest::EntriesOf(root), entriesBefore);
      EXPECT_TRUE(zqtest::FileBytes(source) == payload);
      if (want.outsideFileWritten) outsideAfter["file.txt"] = zqtest::FileInTree(payload);
      EXPECT_EQ(zqtest::Tree(outside.path()), outsideAfter);
      if (want.outsideFileWritten) {
        EXPECT_EQ(ModeOf(outside / "file.txt"), kOldMode);
      }
    }
  }
}

TEST(ReplacingWrite, AReaderKeepsTheOldFileAndAnUnsharedOpenRefusesTheWrite) {
  zqtest::TempDrive t('T');
  t.Put("settings.ini", kOld);
  HANDLE reader = CreateFileA(t.Win("settings.ini").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                              OPEN_EXISTING, 0);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(zq::fs::WriteReplacing(t.Win("SETTINGS.INI").c_str(), "new"));
  EXPECT_EQ(t.Get("settings.ini"), "new");
  char buffer[16] = {};
  DWORD read = 0;
  ASSERT_TRUE(ReadFile(reader, buffer, sizeof buffer, &read));
  EXPECT_EQ(std::string(buffer, read), kOld);
  CloseHandle(reader);

  HANDLE holder = CreateFileA(t.Win("settings.ini").c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, 0);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(zq::fs::WriteReplacing(t.Win("settings.ini").c_str(), "newer"));
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
  EXPECT_EQ(t.Get("settings.ini"), "new");
  CloseHandle(holder);
  EXPECT_EQ(zqtest::EntriesOf(t.folder()), (std::set<std::string>{"settings.ini"}));
}

}  // namespace
