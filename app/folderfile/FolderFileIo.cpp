// Writing and reading a folder file through the library's string and file objects.
#include <array>
#include <string>

#include "app/FolderFile.h"
#include "app/State.h"
#include "app/Text.h"
#include "hostlib/Dialogs.h"
#include "hostlib/FileModes.h"
#include "hostlib/Procedures.h"
#include "hostlib/Wrappers.h"
#include "zqplatform/files.h"

namespace {

constexpr size_t kReadLimit = 2048;

// The file object's code for a write that failed with the system's error: the file in use,
// the disk full, or else the file not to be opened for writing.
int32_t WriteFailure(uint32_t error) {
  switch (error) {
    case ERROR_SHARING_VIOLATION: return -60;
    case ERROR_DISK_FULL: return -57;
    default: return -52;
  }
}

// A CSTRING(width) keeps width - 1 characters.
void Cut(std::string& value, size_t width) {
  if (value.size() > width - 1) value.resize(width - 1);
}

}  // namespace

int32_t WRITEDUNEFILE(DUNEFILE& record, std::string_view path, uint8_t quiet) {
  const std::string plain = DUNEFILETEXT(record);
  if (plain.empty()) return 0;
  return WRITEFOLDERTEXT(plain, path, quiet);
}

std::string FolderFileBytes(std::string_view ansi) {
  if (ansi.empty()) return {};
  XSTRING converter;
  converter.SET(ansi, static_cast<int32_t>(ansi.size()));
  return converter.WTOM();
}

std::string FolderFileAnsi(std::string_view utf8) {
  if (utf8.empty()) return {};
  XSTRING converter;
  converter.SET(utf8, static_cast<int32_t>(utf8.size()));
  return converter.MTOW();
}

int32_t WRITEFOLDERTEXT(std::string_view text, std::string_view path, uint8_t quiet) {
  return WRITEFOLDERBYTES(FolderFileBytes(text), path, quiet);
}

int32_t WRITEFOLDERBYTES(std::string_view bytes, std::string_view path, uint8_t quiet, zq::fs::AtLink atLink) {
  const std::string target = WithoutTrailingBlanks(path);
  const int32_t result = zq::fs::WriteReplacing(target.c_str(), bytes, atLink) ? static_cast<int32_t>(bytes.size())
                                                                              : WriteFailure(GetLastError());
  if (result < 0 && quiet == 0) {
    return ERRORMSG("Error Writing dune_folder.txt", "WriteDuneFile", target, static_cast<int16_t>(result), kOkOnly, 0,
                    MWHANDLE);
  }
  return result;
}

int16_t READDUNEFILE(DUNEFILE& r, std::string_view path) {
  if (TLEN(path) == 0) return -999;
  FILEIO file;
  std::array<char, kReadLimit> buffer;
  buffer.fill(' ');
  // An existing file only: reading never leaves an empty folder file behind.
  const int32_t read = file.READFILE(WithoutTrailingBlanks(path), buffer, static_cast<int32_t>(buffer.size()), 0, kReadWrite,
                                     kNoSharing, OPEN_EXISTING, kNormalWriteThrough);
  if (read < 0 && file.GETLASTSYSTEMERROR() == ERROR_FILE_NOT_FOUND) return 0;
  if (read <= 0) return static_cast<int16_t>(read);

  const std::string_view raw(buffer.data(), buffer.size());
  const std::string ansi = FolderFileAnsi(WithoutTrailingBlanks(WithoutByteOrderMark(raw)));
  file.CLOSEFILE();

  DUNEFILEFROMTEXT(r, ansi);
  for (const FolderFileKey& key : FolderFileKeys()) {
    if (key.width != 0) Cut(r.*std::get<std::string DUNEFILE::*>(key.field), key.width);
  }
  return 0;
}

void DUNEFILEFROMTEXT(DUNEFILE& r, std::string_view ansi) {
  for (const FolderFileKey& key : FolderFileKeys()) SetFolderValue(r, key, RDFI(ansi, key.key));
}
