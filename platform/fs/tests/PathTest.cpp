#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <map>

#include "DriveMap.h"
#include "PathResolver.h"
#include "zqplatform/codepage.h"
#include "zqplatform/files.h"
#include "zqtest/TempDrive.h"

using zqtest::TempDrive;

namespace {

TEST(MountTable, ParsesEscapedFieldsAndTrailingSlashes) {
  auto mounts = zq::fs::ParseMountTable(
      "/dev/sda1 / ext4 rw 0 0\n"
      "/dev/sr0 /media/My\\040Disc iso9660 ro 0 0\n"
      "bad-line\n");
  ASSERT_EQ(mounts.size(), 2u);
  EXPECT_EQ(mounts[1].folder, "/media/My Disc");
  EXPECT_EQ(mounts[1].fsType, "iso9660");
}

TEST(DriveMap, MountedVolumesTakeTheNextLettersInMountPointOrder) {
  auto mounts = zq::fs::ParseMountTable(
      "/dev/sda1 / ext4 rw 0 0\n"
      "/dev/sdc1 /run/media/ann/USB vfat rw 0 0\n"
      "/dev/sr0 /media/cdrom iso9660 ro 0 0\n"
      "proc /proc proc rw 0 0\n"
      "nas:/m /mnt/nas nfs4 rw 0 0\n"
      "/dev/sdb1 /srv ext4 rw 0 0\n"
      "/dev/sdb1 /srv ext4 rw 0 0\n"
      "/dev/sdd1 /mntx ext4 rw 0 0\n");
  using Letters = std::map<char, std::string>;
  struct Case {
    const char* configured;
    Letters letters;
  };
  const Case cases[] = {
      {nullptr, {{'C', "/"}, {'D', "/media/cdrom"}, {'E', "/mnt/nas"}, {'F', "/run/media/ann/USB"}, {'G', "/srv"}}},
      {"E=/data/;x=/x;bad;EE=/y;=/z",
       {{'C', "/"}, {'D', "/media/cdrom"}, {'E', "/data"}, {'F', "/mnt/nas"}, {'G', "/run/media/ann/USB"},
        {'H', "/srv"}, {'X', "/x"}}},
      {"C=/home;D=/mnt/nas",
       {{'C', "/home"}, {'D', "/mnt/nas"}, {'E', "/media/cdrom"}, {'F', "/run/media/ann/USB"}, {'G', "/srv"}}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(zq::fs::DriveLetters(mounts, c.configured), c.letters) << (c.configured ? c.configured : "none");
}

TEST(DriveMap, TypesFollowTheFileSystem) {
  struct Case {
    const char* fsType;
    bool removable;
    uint32_t type;
  };
  const Case cases[] = {
      {"iso9660", false, DRIVE_CDROM}, {"udf", true, DRIVE_CDROM},         {"nfs", false, DRIVE_REMOTE},
      {"nfs4", false, DRIVE_REMOTE},   {"cifs", false, DRIVE_REMOTE},      {"fuse.sshfs", false, DRIVE_REMOTE},
      {"tmpfs", false, DRIVE_RAMDISK}, {"ramfs", false, DRIVE_RAMDISK},    {"vfat", true, DRIVE_REMOVABLE},
      {"ext4", false, DRIVE_FIXED},    {"", false, DRIVE_FIXED},
  };
  for (const Case& c : cases) EXPECT_EQ(zq::fs::DriveTypeOf(c.fsType, c.removable), c.type) << c.fsType;
}

TEST(DriveMap, ConfiguredLettersJoinCAndReportTheirType) {
  TempDrive t('T');
  auto drives = zq::fs::Drives();
  ASSERT_FALSE(drives.empty());
  EXPECT_TRUE(std::is_sorted(drives.begin(), drives.end(),
                             [](const auto& a, const auto& b) { return a.letter < b.letter; }));
  auto c = std::find_if(drives.begin(), drives.end(), [](const auto& d) { return d.letter == 'C'; });
  ASSERT_NE(c, drives.end());
  EXPECT_EQ(c->folder, "/");
  auto td = std::find_if(drives.begin(), drives.end(), [](const auto& d) { return d.letter == 'T'; });
  ASSERT_NE(td, drives.end());
  EXPECT_EQ(td->folder, t.folder());
  EXPECT_NE(td->type, DRIVE_NO_ROOT_DIR);
  EXPECT_EQ(GetDriveTypeA("T:\\"), td->type);
  EXPECT_NE(GetLogicalDrives() & (1u << ('T' - 'A')), 0u);
  EXPECT_EQ(GetDriveTypeA("Q:\\"), DRIVE_NO_ROOT_DIR);
}

TEST(DriveMap, LetterWhoseFolderIsGoneHasNoRoot) {
  TempDrive t('T', "U=" + std::string("/nonexistent-zq-folder"));
  EXPECT_EQ(GetDriveTypeA("U:\\"), DRIVE_NO_ROOT_DIR);
  EXPECT_EQ(GetDriveTypeA("u:"), DRIVE_NO_ROOT_DIR);
}

TEST(ResolvePath, MapsDrivesSharesAndNamesCaseBlind) {
  TempDrive t('T');
  t.Put("Media/Alien/dune_folder.txt", "x");
  setenv("ZQ_SHARES", ("nas\\media=" + t.Posix("Media")).c_str(), 1);
  zq::fs::ReloadDriveMap();
  struct Case {
    std::string path;
    std::string expected;  // empty: fails
    DWORD error;
  };
  const Case cases[] = {
      {t.Win("Media\\Alien\\dune_folder.txt"), t.Posix("Media/Alien/dune_folder.txt"), 0},
      {t.Win("MEDIA\\alien\\DUNE_FOLDER.TXT"), t.Posix("Media/Alien/dune_folder.txt"), 0},
      {"t:/media/ALIEN/", t.Posix("Media/Alien"), 0},
      {t.Win("media\\Alien\\New Folder\\x.txt"), t.Posix("Media/Alien/New Folder/x.txt"), 0},
      {t.Win("Media\\.\\Other\\..\\Alien\\dune_folder.txt"), t.Posix("Media/Alien/dune_folder.txt"), 0},
      // A final dot or blank is part of the name: this one is missing, and never its neighbour.
      {t.Win("Media\\Alien\\dune_folder.txt. "), "", ERROR_INVALID_NAME},
      {t.Win("Media\\Alien \\dune_folder.txt"), "", ERROR_INVALID_NAME},
      {"\\\\NAS\\Media\\alien", t.Posix("Media/Alien"), 0},
      {"//nas/media", t.Posix("Media"), 0},
      {"\\\\nas\\other\\x", "", ERROR_BAD_NETPATH},
      {"\\\\nas", "", ERROR_BAD_NETPATH},
      {"Q:\\x", "", ERROR_PATH_NOT_FOUND},
      {t.Win("bad|name.txt"), "", ERROR_INVALID_NAME},
      {"", "", ERROR_PATH_NOT_FOUND},
      {t.folder() + "/MEDIA", t.Posix("Media"), 0},
      {"C:\\", "/", 0},
  };
  for (const Case& c : cases) {
    DWORD error = 12345;
    std::string got = zq::fs::ResolvePath(c.path, &error);
    EXPECT_EQ(got, c.expected) << c.path;
    if (c.expected.empty()) {
      EXPECT_EQ(error, c.error) << c.path;
    }
  }
  unsetenv("ZQ_SHARES");
  zq::fs::ReloadDriveMap();
}

TEST(ResolvePath, RelativePathsStartAtTheCurrentFolder) {
  TempDrive t('T');
  t.Put("Sub/File.txt", "x");
  t.Put("Top.txt", "x");
  char old[4096];
  ASSERT_NE(getcwd(old, sizeof old), nullptr);
  ASSERT_EQ(chdir(t.folder().c_str()), 0);
  EXPECT_EQ(zq::fs::ResolvePath("sub\\file.TXT", nullptr), "Sub/File.txt");
  // ".." climbs above the current folder, however far.
  ASSERT_EQ(chdir(t.Posix("Sub").c_str()), 0);
  const std::pair<const char*, const char*> cases[] = {
      {"..\\top.txt", "../Top.txt"},
      {"x\\..\\..\\TOP.TXT", "../Top.txt"},
      {".\\..\\sub\\..\\..", "../.."},
      {"..\\Sub\\file.txt", "../Sub/File.txt"},
  };
  for (const auto& [path, posix] : cases) EXPECT_EQ(zq::fs::ResolvePath(path, nullptr), posix) << path;
  ASSERT_EQ(chdir(old), 0);
}

TEST(ResolvePath, NamesTravelBetweenTheCodePageAndTheFileSystem) {
  TempDrive t('T');
  t.Put("caf\xC3\xA9.txt", "x");  // UTF-8 on disk
  bool cp1252 = GetACP() == CP_1252;
  std::string lower = cp1252 ? "caf\xE9.txt" : "caf\xC3\xA9.txt";
  std::string upper = cp1252 ? "CAF\xC9.TXT" : "CAF\xC3\x89.TXT";
  EXPECT_EQ(zq::fs::ResolvePath(t.Win(lower), nullptr), t.Posix("caf\xC3\xA9.txt"));
  EXPECT_EQ(zq::fs::ResolvePath(t.Win(upper), nullptr), t.Posix("caf\xC3\xA9.txt"));
  EXPECT_EQ(zq::fs::ToWindowsPath(t.Posix("caf\xC3\xA9.txt")), t.Win(lower));
  WIN32_FIND_DATAA d;
  HANDLE f = FindFirstFileA(t.Win("*.txt").c_str(), &d);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  EXPECT_EQ(std::string(d.cFileName), lower);
  FindClose(f);
}

TEST(WindowsView, PosixPathsGoUnderTheirDrive) {
  TempDrive t('T');
  EXPECT_EQ(zq::fs::ToWindowsPath(t.Posix("Films/Alien")), "T:\\Films\\Alien");
  EXPECT_EQ(zq::fs::ToWindowsPath(t.folder()), "T:\\");
  EXPECT_EQ(zq::fs::ToWindowsPath("/nonexistent-zq/x"), "C:\\nonexistent-zq\\x");
}

TEST(Patterns, WildcardsMatchCaseBlind) {
  struct Case {
    const char* name;
    const char* pattern;
    bool match;
  };
  const Case cases[] = {
      {"Alien.avi", "*.*", true},  {"README", "*.*", true},     {"Alien.avi", "*.AVI", true},
      {"Alien.avi", "a?ien*", true}, {"Alien.avi", "*.mkv", false}, {"a", "??", false},
      {"abcabc", "*abc", true},    {"x.tar.gz", "*.gz", true},  {"", "*", true},
  };
  for (const Case& c : cases) EXPECT_EQ(zq::fs::MatchesPattern(c.name, c.pattern), c.match) << c.name << " " << c.pattern;
}

TEST(Roots, WhatNamesARoot) {
  TempDrive t('T');
  EXPECT_TRUE(zq::fs::NamesRoot("T:\\"));
  EXPECT_TRUE(zq::fs::NamesRoot("C:"));
  EXPECT_TRUE(zq::fs::NamesRoot("\\"));
  EXPECT_FALSE(zq::fs::NamesRoot("T:\\x\\"));
  EXPECT_FALSE(zq::fs::NamesRoot("x\\"));
}

}  // namespace
