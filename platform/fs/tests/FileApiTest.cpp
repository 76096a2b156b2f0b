#include <gtest/gtest.h>
#include <sys/mount.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "zqplatform/files.h"
#include "zqtest/HoldingProcess.h"
#include "zqtest/SmallVolume.h"
#include "zqtest/TempDrive.h"

using zqtest::HoldingProcess;
using zqtest::TempDrive;

namespace {

struct Handle {
  HANDLE h;
  explicit Handle(HANDLE h) : h(h) {}
  ~Handle() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  bool ok() const { return h != INVALID_HANDLE_VALUE; }
};

constexpr DWORD kRW = GENERIC_READ | GENERIC_WRITE;
constexpr DWORD kProgramFlags = FILE_FLAG_WRITE_THROUGH | FILE_ATTRIBUTE_NORMAL;
constexpr DWORD kReplace = MOVEFILE_REPLACE_EXISTING;

TEST(CreateFile, RefusalsCarryTheirWindowsError) {
  TempDrive t('T');
  t.Put("file.txt", "0123456789");
  t.Put("locked.txt", "x");
  std::filesystem::create_directories(t.Posix("folder"));
  t.Put("readonly.txt", "keep");
  ASSERT_TRUE(SetFileAttributesA(t.Win("readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  Handle holder(CreateFileA(t.Win("locked.txt").c_str(), kRW, 0, OPEN_EXISTING, 0));
  ASSERT_TRUE(holder.ok());

  struct Case {
    std::string path;
    DWORD access, share, disposition, flags;
    DWORD error;
  };
  const Case cases[] = {
      {t.Win("missing.txt"), GENERIC_READ, 0, OPEN_EXISTING, 0, ERROR_FILE_NOT_FOUND},
      {t.Win("nofolder\\x.txt"), kRW, 0, OPEN_ALWAYS, 0, ERROR_PATH_NOT_FOUND},
      {t.Win("file.txt"), kRW, 0, CREATE_NEW, 0, ERROR_FILE_EXISTS},
      {t.Win("file.txt"), kRW, 0, 0, 0, ERROR_INVALID_PARAMETER},
      {t.Win("file.txt"), kRW, 0, 6, 0, ERROR_INVALID_PARAMETER},
      {t.Win("file.txt"), GENERIC_READ, 0, TRUNCATE_EXISTING, 0, ERROR_INVALID_PARAMETER},
      {t.Win("folder"), GENERIC_READ, 0, OPEN_EXISTING, 0, ERROR_ACCESS_DENIED},
      {t.Win("readonly.txt"), kRW, 0, OPEN_ALWAYS, 0, ERROR_ACCESS_DENIED},
      {t.Win("readonly.txt"), GENERIC_READ, 0, CREATE_ALWAYS, 0, ERROR_ACCESS_DENIED},
      {t.Win("locked.txt"), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, 0,
       ERROR_SHARING_VIOLATION},
      {"Q:\\x.txt", GENERIC_READ, 0, OPEN_EXISTING, 0, ERROR_PATH_NOT_FOUND},
      // A trailing separator names a folder only.
      {t.Win("file.txt\\"), GENERIC_READ, 0, OPEN_EXISTING, 0, ERROR_PATH_NOT_FOUND},
      {t.Win("FILE.TXT\\"), kRW, 0, OPEN_ALWAYS, 0, ERROR_PATH_NOT_FOUND},
      {t.Win("new.txt\\"), kRW, 0, OPEN_ALWAYS, 0, ERROR_ACCESS_DENIED},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    Handle h(CreateFileA(c.path.c_str(), c.access, c.share, c.disposition, c.flags));
    EXPECT_FALSE(h.ok()) << c.path;
    EXPECT_EQ(GetLastError(), c.error) << c.path << " disposition " << c.disposition;
  }
  EXPECT_EQ(t.Get("readonly.txt"), "keep");
  EXPECT_FALSE(t.Has("nofolder"));
  EXPECT_FALSE(t.Has("new.txt"));
  for (const char* name : {"folder", "Folder\\"}) {
    Handle folder(CreateFileA(t.Win(name).c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS));
    EXPECT_TRUE(folder.ok()) << name;
  }
}

TEST(CreateFile, SharingFollowsBothSidesShareModes) {
  TempDrive t('T');
  t.Put("f.txt", "x");
  std::string p = t.Win("f.txt");
  struct Case {
    DWORD access1, share1, access2, share2;
    bool second;
  };
  const Case cases[] = {
      {GENERIC_READ, FILE_SHARE_READ, GENERIC_READ, FILE_SHARE_READ, true},
      {GENERIC_READ, FILE_SHARE_READ, GENERIC_WRITE, FILE_SHARE_READ, false},
      {GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, GENERIC_WRITE, FILE_SHARE_READ, true},
      {GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, GENERIC_READ, FILE_SHARE_READ, false},
      {kRW, 0, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, true},  // a query-only open asks for no data
      {kRW, 0, 0, 0, true},                                     // and refuses nobody
      {0, 0, kRW, 0, true},
      {kRW, 0, GENERIC_READ, 7, false},
  };
  for (const Case& c : cases) {
    Handle first(CreateFileA(p.c_str(), c.access1, c.share1, OPEN_EXISTING, 0));
    ASSERT_TRUE(first.ok());
    Handle second(CreateFileA(p.c_str(), c.access2, c.share2, OPEN_EXISTING, 0));
    EXPECT_EQ(second.ok(), c.second) << c.access1 << "/" << c.share1 << " then " << c.access2 << "/" << c.share2;
  }
}

TEST(CreateFile, AnotherProcessHoldingTheFileUnsharedRefusesTheOpen) {
  TempDrive t('T');
  t.Put("held.txt", "x");
  std::string p = t.Win("held.txt");
  HoldingProcess other([&] { return CreateFileA(p.c_str(), kRW, 0, OPEN_EXISTING, 0) != INVALID_HANDLE_VALUE; });
  ASSERT_TRUE(other.holding());
  Handle mine(CreateFileA(p.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, 0));
  EXPECT_FALSE(mine.ok());
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
  EXPECT_FALSE(DeleteFileA(p.c_str()));
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
  other.Release();
  Handle after(CreateFileA(p.c_str(), GENERIC_READ, 0, OPEN_EXISTING, 0));
  EXPECT_TRUE(after.ok());
}

TEST(CreateFile, DispositionsReportWhetherTheFileExisted) {
  TempDrive t('T');
  std::string p = t.Win("new.txt");
  {
    Handle h(CreateFileA(p.c_str(), kRW, 0, OPEN_ALWAYS, kProgramFlags));
    ASSERT_TRUE(h.ok());
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    DWORD n = 0;
    ASSERT_TRUE(WriteFile(h.h, "hello", 5, &n));
    EXPECT_EQ(n, 5u);
  }
  {
    Handle h(CreateFileA(p.c_str(), kRW, 0, OPEN_ALWAYS, 0));
    ASSERT_TRUE(h.ok());
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(GetFileSize(h.h, nullptr), 5u);
  }
  {
    Handle h(CreateFileA(p.c_str(), kRW, 0, CREATE_ALWAYS, 0));
    ASSERT_TRUE(h.ok());
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(GetFileSize(h.h, nullptr), 0u);
  }
  Handle gone(CreateFileA(t.Win("temp.txt").c_str(), kRW, 0, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE));
  ASSERT_TRUE(gone.ok());
  CloseHandle(gone.h);
  gone.h = INVALID_HANDLE_VALUE;
  EXPECT_FALSE(t.Has("temp.txt"));
}

TEST(Handles, ReadWriteSeekAndCut) {
  TempDrive t('T');
  Handle h(CreateFileA(t.Win("data.bin").c_str(), kRW, 0, CREATE_ALWAYS, 0));
  ASSERT_TRUE(h.ok());
  DWORD n = 0;
  ASSERT_TRUE(WriteFile(h.h, "0123456789", 10, &n));
  EXPECT_EQ(SetFilePointer(h.h, -1, nullptr, FILE_END), 9u);
  EXPECT_EQ(SetFilePointer(h.h, 0, nullptr, FILE_CURRENT), 9u);
  EXPECT_EQ(SetFilePointer(h.h, -20, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), ERROR_NEGATIVE_SEEK);
  EXPECT_EQ(SetFilePointer(h.h, 3, nullptr, FILE_BEGIN), 3u);
  char buf[16] = {};
  ASSERT_TRUE(ReadFile(h.h, buf, 4, &n));
  EXPECT_EQ(std::string(buf, n), "3456");
  ASSERT_TRUE(SetEndOfFile(h.h));
  EXPECT_EQ(GetFileSize(h.h, nullptr), 7u);
  SetFilePointer(h.h, 0, nullptr, FILE_BEGIN);
  ASSERT_TRUE(ReadFile(h.h, buf, sizeof buf, &n));
  EXPECT_EQ(std::string(buf, n), "0123456");
  ASSERT_TRUE(ReadFile(h.h, buf, sizeof buf, &n));  // end of file: success with 0 bytes
  EXPECT_EQ(n, 0u);
  int32_t high = 1;
  EXPECT_EQ(SetFilePointer(h.h, 0, &high, FILE_BEGIN), 0u);  // 4 GiB, with a high part
  EXPECT_EQ(high, 1);
  EXPECT_EQ(SetFilePointer(h.h, 0, nullptr, 7), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

  Handle reader(CreateFileA(t.Win("data.bin").c_str(), GENERIC_READ, kRW >> 30 | 3, OPEN_EXISTING, 0));
  EXPECT_FALSE(reader.ok());  // the first handle shares nothing

  HANDLE bogus = reinterpret_cast<HANDLE>(uintptr_t{12345});
  EXPECT_FALSE(ReadFile(bogus, buf, 1, &n));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(CloseHandle(bogus));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(Handles, AccessLimitsWhatAHandleMayDo) {
  TempDrive t('T');
  t.Put("f.txt", "abc");
  Handle r(CreateFileA(t.Win("f.txt").c_str(), GENERIC_READ, 7, OPEN_EXISTING, 0));
  DWORD n = 0;
  EXPECT_FALSE(WriteFile(r.h, "x", 1, &n));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_FALSE(SetEndOfFile(r.h));
  Handle w(CreateFileA(t.Win("f.txt").c_str(), GENERIC_WRITE, 7, OPEN_EXISTING, 0));
  char c;
  EXPECT_FALSE(ReadFile(w.h, &c, 1, &n));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
}

TEST(PathCalls, RefusalsCarryTheirWindowsError) {
  TempDrive t('T');
  t.Put("a.txt", "alpha");
  t.Put("b.txt", "beta");
  t.Put("dir/inner.txt", "i");
  t.Put("ro.txt", "ro");
  t.Put("d.txt", "delta");
  ASSERT_TRUE(SetFileAttributesA(t.Win("ro.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  std::filesystem::create_hard_link(t.Posix("a.txt"), t.Posix("alias.txt"));
  std::filesystem::create_hard_link(t.Posix("a.txt"), t.Posix("dir/a.txt"));
  Handle held(CreateFileA(t.Win("b.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, 0));
  auto W = [&](const char* rel) { return t.Win(rel); };
  struct Case {
    const char* what;
    std::function<bool()> call;
    DWORD error;
  };
  const Case cases[] = {
      {"delete missing", [&] { return DeleteFileA(W("none.txt").c_str()); }, ERROR_FILE_NOT_FOUND},
      {"delete in missing folder", [&] { return DeleteFileA(W("none\\x.txt").c_str()); }, ERROR_PATH_NOT_FOUND},
      {"delete folder", [&] { return DeleteFileA(W("dir").c_str()); }, ERROR_ACCESS_DENIED},
      {"delete read-only", [&] { return DeleteFileA(W("ro.txt").c_str()); }, ERROR_ACCESS_DENIED},
      {"delete held", [&] { return DeleteFileA(W("b.txt").c_str()); }, ERROR_SHARING_VIOLATION},
      {"delete empty path", [&] { return DeleteFileA(""); }, ERROR_PATH_NOT_FOUND},
      {"delete a file named as a folder", [&] { return DeleteFileA(W("a.txt\\").c_str()); }, ERROR_PATH_NOT_FOUND},
      {"move onto existing", [&] { return MoveFileA(W("a.txt").c_str(), W("ro.txt").c_str()); }, ERROR_ALREADY_EXISTS},
      {"move onto a hard link", [&] { return MoveFileA(W("a.txt").c_str(), W("ALIAS.txt").c_str()); },
       ERROR_ALREADY_EXISTS},
      {"move onto a hard link elsewhere", [&] { return MoveFileA(W("a.txt").c_str(), W("dir\\a.txt").c_str()); },
       ERROR_ALREADY_EXISTS},
      {"move missing", [&] { return MoveFileA(W("none.txt").c_str(), W("x.txt").c_str()); }, ERROR_FILE_NOT_FOUND},
      {"move held", [&] { return MoveFileA(W("b.txt").c_str(), W("c.txt").c_str()); }, ERROR_SHARING_VIOLATION},
      {"replace read-only", [&] { return MoveFileExA(W("a.txt").c_str(), W("ro.txt").c_str(), kReplace); },
       ERROR_ACCESS_DENIED},
      {"replace a folder", [&] { return MoveFileExA(W("a.txt").c_str(), W("dir").c_str(), kReplace); },
       ERROR_ACCESS_DENIED},
      {"replace by a folder", [&] { return MoveFileExA(W("dir").c_str(), W("d.txt").c_str(), kReplace); },
       ERROR_ACCESS_DENIED},
      {"replace held", [&] { return MoveFileExA(W("a.txt").c_str(), W("b.txt").c_str(), kReplace); },
       ERROR_SHARING_VIOLATION},
      {"replace missing", [&] { return MoveFileExA(W("none.txt").c_str(), W("d.txt").c_str(), kReplace); },
       ERROR_FILE_NOT_FOUND},
      {"copy onto existing", [&] { return CopyFileA(W("a.txt").c_str(), W("b.txt").c_str(), true); }, ERROR_FILE_EXISTS},
      {"copy onto read-only", [&] { return CopyFileA(W("a.txt").c_str(), W("ro.txt").c_str(), false); }, ERROR_ACCESS_DENIED},
      {"copy missing", [&] { return CopyFileA(W("none.txt").c_str(), W("x.txt").c_str(), false); }, ERROR_FILE_NOT_FOUND},
      {"copy folder", [&] { return CopyFileA(W("dir").c_str(), W("x.txt").c_str(), false); }, ERROR_ACCESS_DENIED},
      {"copy onto itself", [&] { return CopyFileA(W("a.txt").c_str(), W("A.TXT").c_str(), false); }, ERROR_SHARING_VIOLATION},
      {"mkdir existing", [&] { return CreateDirectoryA(W("dir").c_str()); }, ERROR_ALREADY_EXISTS},
      {"mkdir over file", [&] { return CreateDirectoryA(W("a.txt").c_str()); }, ERROR_ALREADY_EXISTS},
      {"mkdir without parent", [&] { return CreateDirectoryA(W("p\\q").c_str()); }, ERROR_PATH_NOT_FOUND},
      {"rmdir not empty", [&] { return RemoveDirectoryA(W("dir").c_str()); }, ERROR_DIR_NOT_EMPTY},
      {"rmdir file", [&] { return RemoveDirectoryA(W("a.txt").c_str()); }, ERROR_DIRECTORY},
      {"rmdir missing", [&] { return RemoveDirectoryA(W("none").c_str()); }, ERROR_FILE_NOT_FOUND},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_FALSE(c.call()) << c.what;
    EXPECT_EQ(GetLastError(), c.error) << c.what;
  }
  EXPECT_EQ(t.Get("ro.txt"), "ro");
  EXPECT_EQ(t.Get("a.txt"), "alpha");
  EXPECT_EQ(t.Get("alias.txt"), "alpha");
  EXPECT_EQ(t.Get("b.txt"), "beta");
  EXPECT_EQ(t.Get("d.txt"), "delta");
  EXPECT_FALSE(t.Has("x.txt"));
  EXPECT_EQ(GetFileAttributesA(W("ro.txt").c_str()) & FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(GetFileAttributesA(W("dir").c_str()), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(GetFileAttributesA(W("none").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(PathCalls, CopyMoveAndFoldersDoTheirWork) {
  TempDrive t('T');
  t.Put("a.txt", "alpha");
  ASSERT_TRUE(SetFileAttributesA(t.Win("a.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(CopyFileA(t.Win("A.TXT").c_str(), t.Win("copy.txt").c_str(), true));
  EXPECT_EQ(t.Get("copy.txt"), "alpha");
  EXPECT_NE(GetFileAttributesA(t.Win("copy.txt").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  ASSERT_TRUE(SetFileAttributesA(t.Win("copy.txt").c_str(), FILE_ATTRIBUTE_NORMAL));
  ASSERT_TRUE(MoveFileA(t.Win("copy.txt").c_str(), t.Win("Copy.TXT").c_str()));  // case only
  EXPECT_TRUE(t.Has("Copy.TXT"));
  EXPECT_FALSE(t.Has("copy.txt"));
  ASSERT_TRUE(CreateDirectoryA(t.Win("New").c_str()));
  ASSERT_TRUE(MoveFileA(t.Win("Copy.TXT").c_str(), t.Win("new\\moved.txt").c_str()));
  EXPECT_EQ(t.Get("New/moved.txt"), "alpha");
  ASSERT_TRUE(MoveFileA(t.Win("New").c_str(), t.Win("Renamed").c_str()));
  ASSERT_TRUE(DeleteFileA(t.Win("renamed\\MOVED.txt").c_str()));
  ASSERT_TRUE(RemoveDirectoryA(t.Win("Renamed").c_str()));
  EXPECT_FALSE(t.Has("Renamed"));
}

TEST(PathCalls, ALinkIsReportedAndRemovedAsALinkAndWhatItLeadsToStays) {
  TempDrive t('T');
  t.Put("media/film.mkv", "film");
  std::filesystem::create_directory_symlink(t.Posix("media"), t.Posix("folder link"));
  std::filesystem::create_symlink(t.Posix("media/film.mkv"), t.Posix("file link"));
  std::filesystem::create_symlink(t.Posix("gone"), t.Posix("dangling"));
  constexpr DWORD kLink = FILE_ATTRIBUTE_REPARSE_POINT;
  EXPECT_EQ(GetFileAttributesA(t.Win("folder link\\").c_str()), FILE_ATTRIBUTE_DIRECTORY | kLink);
  EXPECT_EQ(GetFileAttributesA(t.Win("FILE LINK").c_str()), FILE_ATTRIBUTE_ARCHIVE | kLink);
  EXPECT_EQ(GetFileAttributesA(t.Win("dangling").c_str()), FILE_ATTRIBUTE_ARCHIVE | kLink);
  EXPECT_EQ(GetFileAttributesA(t.Win("folder link\\film.mkv").c_str()), FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_FALSE(DeleteFileA(t.Win("folder link").c_str()));  // a folder link is no file
  EXPECT_FALSE(RemoveDirectoryA(t.Win("file link").c_str()));
  EXPECT_TRUE(RemoveDirectoryA(t.Win("folder link").c_str()));
  EXPECT_TRUE(DeleteFileA(t.Win("file link").c_str()));
  EXPECT_TRUE(DeleteFileA(t.Win("dangling").c_str()));
  for (const char* link : {"folder link", "file link", "dangling"})
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(t.Posix(link)))) << link;
  EXPECT_EQ(t.Get("media/film.mkv"), "film");
}

TEST(PathCalls, AReplacingMoveTakesTheTargetsPlaceInOneStep) {
  TempDrive t('T');
  t.Put("settings.ini", "old");
  t.Put("settings.new", "new");
  // A reader that shares delete keeps reading the old file.
  Handle reader(CreateFileA(t.Win("settings.ini").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                            OPEN_EXISTING, 0));
  ASSERT_TRUE(reader.ok());
  SetLastError(0);
  EXPECT_FALSE(MoveFileExA(t.Win("settings.new").c_str(), t.Win("settings.ini").c_str(), 0));
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  ASSERT_TRUE(MoveFileExA(t.Win("SETTINGS.NEW").c_str(), t.Win("settings.ini").c_str(), kReplace));
  EXPECT_EQ(t.Get("settings.ini"), "new");
  EXPECT_FALSE(t.Has("settings.new"));
  char buffer[8] = {};
  DWORD read = 0;
  ASSERT_TRUE(ReadFile(reader.h, buffer, sizeof buffer, &read));
  EXPECT_EQ(std::string(buffer, read), "old");

  // Onto another name of the same file: the source's name goes, the file stays.
  std::filesystem::create_hard_link(t.Posix("settings.ini"), t.Posix("alias.ini"));
  ASSERT_TRUE(MoveFileExA(t.Win("alias.ini").c_str(), t.Win("settings.ini").c_str(), kReplace));
  EXPECT_FALSE(t.Has("alias.ini"));
  EXPECT_EQ(t.Get("settings.ini"), "new");
  // A missing target is a plain move.
  ASSERT_TRUE(MoveFileExA(t.Win("settings.ini").c_str(), t.Win("moved.ini").c_str(), kReplace));
  EXPECT_EQ(t.Get("moved.ini"), "new");
}

TEST(Listing, FindsEntriesByPatternWithDotsOutsideRoots) {
  TempDrive t('T');
  t.Put("Films/Alien.avi", "12345");
  t.Put("Films/Brazil.MKV", "1");
  std::filesystem::create_directories(t.Posix("Films/Sub"));
  auto list = [](const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA d;
    HANDLE f = FindFirstFileA(pattern.c_str(), &d);
    if (f == INVALID_HANDLE_VALUE) return names;
    do names.push_back(d.cFileName);
    while (FindNextFileA(f, &d));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    FindClose(f);
    return names;
  };
  EXPECT_EQ(list(t.Win("films\\*.*")), (std::vector<std::string>{".", "..", "Alien.avi", "Brazil.MKV", "Sub"}));
  EXPECT_EQ(list(t.Win("Films\\*.mkv")), (std::vector<std::string>{"Brazil.MKV"}));
  EXPECT_EQ(list(t.Win("*.*")), (std::vector<std::string>{"Films"}));
  WIN32_FIND_DATAA d;
  ASSERT_NE(FindFirstFileA(t.Win("Films\\alien.AVI").c_str(), &d), INVALID_HANDLE_VALUE);
  EXPECT_EQ(d.nFileSizeLow, 5u);
  EXPECT_EQ(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_EQ(FindFirstFileA(t.Win("Films\\*.doc").c_str(), &d), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(FindFirstFileA(t.Win("None\\*.*").c_str(), &d), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}

TEST(Status, TrailingSeparatorsAndFolders) {
  TempDrive t('T');
  t.Put("dir/five.txt", "12345");
  struct Case {
    std::string path;
    bool ok;
    uint64_t size;
  };
  const Case cases[] = {
      {t.Win("dir\\five.txt"), true, 5}, {t.Win("dir"), true, 0},  {t.Win("dir\\"), false, 0},
      {t.Win(""), true, 0},              {t.Win("none"), false, 0},
  };
  for (const Case& c : cases) {
    zq::fs::FileStatus st{};
    EXPECT_EQ(zq::fs::Stat64(c.path.c_str(), &st), c.ok) << c.path;
    if (c.ok) {
      EXPECT_EQ(st.size, c.size) << c.path;
    }
  }
}

// A small file system of its own, so that a full disk and a second volume can be tested.
class SmallVolume : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!volume_.mounted()) GTEST_SKIP() << "cannot mount a small tmpfs here (needs mount rights)";
    drive_ = std::make_unique<TempDrive>('T', "V=" + volume_.folder());
  }
  zqtest::SmallVolume volume_;
  std::unique_ptr<TempDrive> drive_;  // goes before the volume
};

TEST_F(SmallVolume, AFullDiskRefusesTheWriteAndKeepsTheFile) {
  EXPECT_EQ(GetDriveTypeA("V:\\"), DRIVE_RAMDISK);
  Handle h(CreateFileA("V:\\full.bin", kRW, 0, CREATE_ALWAYS, kProgramFlags));
  ASSERT_TRUE(h.ok());
  std::string old(1000, 'o');
  DWORD n = 0;
  ASSERT_TRUE(WriteFile(h.h, old.data(), 1000, &n));
  std::string big(1 << 20, 'x');
  SetFilePointer(h.h, 0, nullptr, FILE_BEGIN);
  EXPECT_FALSE(WriteFile(h.h, big.data(), static_cast<DWORD>(big.size()), &n));
  EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);
  EXPECT_EQ(n, 0u);
  EXPECT_EQ(GetFileSize(h.h, nullptr), 1000u);
  char buf[1000];
  SetFilePointer(h.h, 0, nullptr, FILE_BEGIN);
  ASSERT_TRUE(ReadFile(h.h, buf, sizeof buf, &n));
  EXPECT_EQ(std::string(buf, n), old);
}

TEST_F(SmallVolume, AReadOnlyVolumeRefusesChanges) {
  Handle made(CreateFileA("V:\\kept.txt", kRW, 0, CREATE_NEW, 0));
  ASSERT_TRUE(made.ok());
  CloseHandle(made.h);
  made.h = INVALID_HANDLE_VALUE;
  if (mount(nullptr, volume_.folder().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
    GTEST_SKIP() << "cannot remount the small volume read-only here";
  Handle h(CreateFileA("V:\\kept.txt", kRW, 0, OPEN_EXISTING, 0));
  EXPECT_FALSE(h.ok());
  EXPECT_EQ(GetLastError(), ERROR_WRITE_PROTECT);
  EXPECT_FALSE(DeleteFileA("V:\\kept.txt"));
  EXPECT_EQ(GetLastError(), ERROR_WRITE_PROTECT);
  EXPECT_FALSE(CreateDirectoryA("V:\\new"));
  EXPECT_EQ(GetLastError(), ERROR_WRITE_PROTECT);
  Handle reader(CreateFileA("V:\\kept.txt", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, 0));
  EXPECT_TRUE(reader.ok());
}

TEST_F(SmallVolume, FilesMoveAcrossVolumesFoldersDoNot) {
  drive_->Put("f.txt", "content");
  std::filesystem::create_directories(drive_->Posix("d"));
  ASSERT_TRUE(MoveFileA(drive_->Win("f.txt").c_str(), "V:\\f.txt"));
  EXPECT_FALSE(drive_->Has("f.txt"));
  EXPECT_FALSE(MoveFileA(drive_->Win("d").c_str(), "V:\\d"));
  EXPECT_EQ(GetLastError(), ERROR_NOT_SAME_DEVICE);
  // A replacing move across volumes copies only when allowed to.
  drive_->Put("g.txt", "g");
  const std::string g = drive_->Win("g.txt");
  EXPECT_FALSE(MoveFileExA(g.c_str(), "V:\\f.txt", MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(GetLastError(), ERROR_NOT_SAME_DEVICE);
  ASSERT_TRUE(MoveFileExA(g.c_str(), "V:\\f.txt", MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED));
  EXPECT_FALSE(drive_->Has("g.txt"));
  std::string big(1 << 20, 'x');
  drive_->Put("big.bin", big);
  EXPECT_FALSE(CopyFileA(drive_->Win("big.bin").c_str(), "V:\\big.bin", false));
  EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);
  EXPECT_EQ(GetFileAttributesA("V:\\big.bin"), INVALID_FILE_ATTRIBUTES);  // no half copy
}

}  // namespace
