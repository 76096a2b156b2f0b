#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <optional>
#include <string>
#include <vector>

#include "zqplatform/codepage.h"
#include "zqplatform/files.h"
#include "zqtest/TempDrive.h"
#include "zqtest/TreeContents.h"

namespace {

namespace fs = std::filesystem;
using zqtest::TempDrive;

// Neighbours that differ only by a final blank or dot, or a blank before the dot. Every file
// holds its own name, so whichever file a call reaches shows in its bytes and size.
const char* const kFiles[] = {"Twin", "Twin ", "Film.mkv", "Film.mkv ", "trail.png", "trail.png ",
                              "trail .png", "dot", "dot.", "Lone"};
const char* const kFolders[] = {"disk", "disk ", "Solo "};

void MakeTree(const TempDrive& t) {
  for (const char* name : kFiles) t.Put(name, name);
  for (const char* name : kFolders) t.Put(std::string(name) + "/in " + name + ".txt", name);
}

std::set<std::string> Names(const std::string& pattern) {
  std::set<std::string> names;
  WIN32_FIND_DATAA d;
  HANDLE f = FindFirstFileA(pattern.c_str(), &d);
  if (f == INVALID_HANDLE_VALUE) return names;
  do names.insert(d.cFileName);
  while (FindNextFileA(f, &d));
  FindClose(f);
  return names;
}

struct Case {
  const char* written;  // as a caller writes the name
  const char* onDisk;   // the entry it must address; null when it must be refused
  DWORD error;          // the refusal
};

const Case kCases[] = {
    {"Twin", "Twin", 0},
    {"Twin ", "Twin ", 0},
    {"TWIN ", "Twin ", 0},
    {"Film.mkv", "Film.mkv", 0},
    {"Film.mkv ", "Film.mkv ", 0},
    {"FILM.MKV ", "Film.mkv ", 0},
    {"trail.png", "trail.png", 0},
    {"trail.png ", "trail.png ", 0},
    {"trail .png", "trail .png", 0},
    {"dot", "dot", 0},
    {"dot.", "dot.", 0},
    {"disk", "disk", 0},
    {"disk ", "disk ", 0},
    {"Solo ", "Solo ", 0},
    // Missing names never reach a neighbour.
    {"Solo", nullptr, ERROR_FILE_NOT_FOUND},
    {"Lone ", nullptr, ERROR_INVALID_NAME},
    {"Lone.", nullptr, ERROR_INVALID_NAME},
    {"Lone. ", nullptr, ERROR_INVALID_NAME},
    {"trail.png.", nullptr, ERROR_INVALID_NAME},
    {"Twin  ", nullptr, ERROR_INVALID_NAME},
    {"disk \\..\\Lone ", nullptr, ERROR_INVALID_NAME},
    {"Lone \\x.txt", nullptr, ERROR_INVALID_NAME},
};

bool IsFolder(const TempDrive& t, const char* name) { return fs::is_directory(t.Posix(name)); }

TEST(ExactNames, WhatTheWindowsViewHoldsExactly) {
  struct Case {
    std::string name;
    bool holds;
  };
  const Case cases[] = {
      {"disk", true},          {"disk ", false},          {"Film.mkv ", false}, {"trail .png", true},
      {"name.", false},        {".hidden", true},         {".", false},         {"..", false},
      {"", false},             {"a:b", false},            {"a?b", false},       {"a*b", false},
      {"a<b>", false},         {"a|b", false},            {"a\"b", false},      {"a\\b", false},
      {"a/b", false},          {std::string("a\tb"), false}, {std::string(259, 'x'), true},
      {std::string(260, 'x'), false}, {"caf\xC3\xA9", true},
  };
  for (const Case& c : cases) EXPECT_EQ(zq::fs::HoldsExactly(c.name), c.holds) << '"' << c.name << '"';
}

TEST(ExactNames, OpenAttributesStatusAndListingAddressTheExactNameOrRefuseIt) {
  TempDrive t('T');
  MakeTree(t);
  const auto before = zqtest::Contents(t.folder());
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string("\"") + c.written + "\"");
    const std::string path = t.Win(c.written);
    SetLastError(0);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    zq::fs::FileStatus status{};
    const bool stated = zq::fs::Stat64(path.c_str(), &status);
    WIN32_FIND_DATAA found{};
    HANDLE find = FindFirstFileA(path.c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
    std::string bytes;
    if (file != INVALID_HANDLE_VALUE) {
      char buffer[64];
      DWORD read = 0;
      if (ReadFile(file, buffer, sizeof buffer, &read)) bytes.assign(buffer, read);
      CloseHandle(file);
    }
    if (!c.onDisk) {
      EXPECT_EQ(attributes, INVALID_FILE_ATTRIBUTES);
      EXPECT_EQ(GetLastError(), c.error);
      EXPECT_FALSE(stated);
      EXPECT_EQ(find, INVALID_HANDLE_VALUE);
      EXPECT_EQ(file, INVALID_HANDLE_VALUE);
      continue;
    }
    const bool folder = IsFolder(t, c.onDisk);
    EXPECT_EQ(attributes, folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE);
    ASSERT_TRUE(stated);
    EXPECT_EQ(status.size, folder ? 0u : std::string(c.onDisk).size());
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(found.cFileName, c.onDisk);
    if (folder) {
      EXPECT_EQ(Names(path + "\\*.txt"), (std::set<std::string>{std::string("in ") + c.onDisk + ".txt"}));
    } else {
      EXPECT_EQ(bytes, c.onDisk);
    }
  }
  EXPECT_EQ(zqtest::Contents(t.folder()), before);
}

TEST(ExactNames, DeleteRemovesTheExactNameOrRefusesAndLeavesEveryNeighbour) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string("\"") + c.written + "\"");
    TempDrive t('T');
    MakeTree(t);
    const bool folder = c.onDisk && IsFolder(t, c.onDisk);
    if (folder) fs::remove(t.Posix(std::string(c.onDisk) + "/in " + c.onDisk + ".txt"));
    auto expected = zqtest::Contents(t.folder());
    std::set<std::string> entries = zqtest::EntriesOf(t.folder());
    SetLastError(0);
    const std::string path = t.Win(c.written);
    const bool removed = folder ? RemoveDirectoryA(path.c_str()) : DeleteFileA(path.c_str());
    if (c.onDisk) {
      EXPECT_TRUE(removed);
      expected.erase(c.onDisk);
      entries.erase(c.onDisk);
    } else {
      EXPECT_FALSE(removed);
      EXPECT_EQ(GetLastError(), c.error);
    }
    EXPECT_EQ(zqtest::EntriesOf(t.folder()), entries);
    EXPECT_EQ(zqtest::Contents(t.folder()), expected);
  }
}

TEST(ExactNames, NothingMakesANameTheWindowsViewCannotHold) {
  TempDrive t('T');
  t.Put("Lone", "Lone");
  const auto before = zqtest::Contents(t.folder());
  for (const char* name : {"Lone ", "Lone.", "new ", "new."}) {
    SCOPED_TRACE(name);
    const std::string path = t.Win(name);
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, CREATE_ALWAYS, 0);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
    EXPECT_FALSE(zq::fs::WriteReplacing(path.c_str(), "x"));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
    EXPECT_FALSE(CreateDirectoryA(path.c_str()));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
    EXPECT_FALSE(MoveFileA(t.Win("Lone").c_str(), path.c_str()));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
    EXPECT_FALSE(CopyFileA(t.Win("Lone").c_str(), path.c_str(), false));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
  }
  EXPECT_EQ(zqtest::Contents(t.folder()), before);
  EXPECT_EQ(zqtest::EntriesOf(t.folder()), (std::set<std::string>{"Lone"}));
}

TEST(ExactNames, ListingGivesNamesAsTheyStandAndNeverOneThatAddressesAnother) {
  TempDrive t('T');
  MakeTree(t);
  const std::string cjk = "\xE6\x97\xA5\xE6\x9C\xAC.txt";  // two CJK letters
  t.Put(cjk, "cjk");
  std::set<std::string> expected;  // a drive root lists no "." and ".."
  for (const char* name : kFiles) expected.insert(name);
  for (const char* name : kFolders) expected.insert(name);
  // The 1252 code page lacks the CJK letters: the name comes as one no call can address.
  const std::string cjkAnsi = zq::text::Utf8ToAnsi(cjk);
  expected.insert(cjkAnsi);
  EXPECT_EQ(Names(t.Win("*.*")), expected);
  EXPECT_EQ(zq::text::AnsiToUtf8(cjkAnsi) == cjk, zq::fs::HoldsExactly(cjkAnsi));
  if (zq::text::AnsiToUtf8(cjkAnsi) != cjk) {
    EXPECT_EQ(CreateFileA(t.Win(cjkAnsi).c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, 0),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
  }
  EXPECT_EQ(Names(t.Win("Twin*")), (std::set<std::string>{"Twin", "Twin "}));
  EXPECT_EQ(Names(t.Win("disk \\*.*")), (std::set<std::string>{".", "..", "in disk .txt"}));
}

}  // namespace
