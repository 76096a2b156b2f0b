// The reason in words for the error numbers that real failures of the file layer leave.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <set>
#include <string>

#include "zqplatform/errortext.h"
#include "zqplatform/files.h"
#include "zqtest/ScratchFolder.h"

namespace {

struct FailureCase {
  const char* what;
  std::function<bool(const std::string& folder)> fail;  // a call that fails on the folder
  DWORD error;
  const char* reason;
};

TEST(ErrorReason, RealFailuresOfTheFileLayerGiveTheirReasonInWords) {
  const FailureCase cases[] = {
      {"a folder made twice", [](const std::string& f) { return CreateDirectoryA((f + "/sub").c_str()); },
       ERROR_ALREADY_EXISTS, "a file or folder of that name already exists"},
      {"a missing file deleted", [](const std::string& f) { return DeleteFileA((f + "/gone.txt").c_str()); },
       ERROR_FILE_NOT_FOUND, "the file or folder is not there"},
      {"a file in a missing folder", [](const std::string& f) { return DeleteFileA((f + "/none/x.txt").c_str()); },
       ERROR_PATH_NOT_FOUND, "the folder is not there"},
      {"a folder with content removed", [](const std::string& f) { return RemoveDirectoryA((f + "/sub").c_str()); },
       ERROR_DIR_NOT_EMPTY, "the folder is not empty"},
      {"a copy onto an existing file", [](const std::string& f) {
         return CopyFileA((f + "/sub/a.txt").c_str(), (f + "/sub/a.txt").c_str(), true);
       }, ERROR_FILE_EXISTS, "a file of that name already exists"},
      {"a folder opened as a file for writing", [](const std::string& f) {
         HANDLE h = CreateFileA((f + "/sub").c_str(), GENERIC_WRITE, 0, OPEN_EXISTING, 0);
         if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
         return h != INVALID_HANDLE_VALUE;
       }, ERROR_ACCESS_DENIED, "access denied"},
  };
  for (const FailureCase& c : cases) {
    zqtest::ScratchFolder folder("zqreason");
    std::filesystem::create_directory(folder / "sub");
    std::ofstream(folder / "sub" / "a.txt") << "a";
    SetLastError(ERROR_SUCCESS);
    ASSERT_FALSE(c.fail(folder.path().string())) << c.what;
    EXPECT_EQ(GetLastError(), c.error) << c.what;
    EXPECT_EQ(zq::ErrorReason(GetLastError()), c.reason) << c.what;
  }
}

TEST(ErrorReason, EveryNumberTheLayerReportsHasWordsOfItsOwn) {
  const DWORD reported[] = {ERROR_INVALID_FUNCTION, ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND,
                            ERROR_TOO_MANY_OPEN_FILES, ERROR_ACCESS_DENIED, ERROR_INVALID_HANDLE,
                            ERROR_NOT_ENOUGH_MEMORY, ERROR_NOT_SAME_DEVICE, ERROR_NO_MORE_FILES,
                            ERROR_WRITE_PROTECT, ERROR_NOT_READY, ERROR_SHARING_VIOLATION,
                            ERROR_LOCK_VIOLATION, ERROR_HANDLE_EOF, ERROR_NOT_SUPPORTED, ERROR_BAD_NETPATH,
                            ERROR_FILE_EXISTS, ERROR_INVALID_PARAMETER, ERROR_DISK_FULL, ERROR_INVALID_NAME,
                            ERROR_NEGATIVE_SEEK, ERROR_DIR_NOT_EMPTY, ERROR_ALREADY_EXISTS,
                            ERROR_FILENAME_EXCED_RANGE, ERROR_DIRECTORY, ERROR_IO_DEVICE,
                            ERROR_CANT_RESOLVE_FILENAME};
  std::set<std::string> seen;
  for (DWORD error : reported) {
    const std::string reason = zq::ErrorReason(error);
    EXPECT_EQ(reason.find("system error"), std::string::npos) << error;
    EXPECT_TRUE(seen.insert(reason).second) << error << " shares \"" << reason << "\"";
  }
  EXPECT_EQ(zq::ErrorReason(ERROR_DISK_FULL), "the disk is full");
}

TEST(ErrorReason, NoErrorHasNoReasonAndAnUnknownNumberIsNamed) {
  EXPECT_EQ(zq::ErrorReason(ERROR_SUCCESS), "");
  EXPECT_EQ(zq::ErrorReason(4242), "system error 4242");
}

}  // namespace
