// The file in the program folder that lists the entries the last scan left out.
#include <cstdio>

#include "LeftOut.h"
#include "app/State.h"
#include "hostlib/FileModes.h"
#include "hostlib/Procedures.h"
#include "hostlib/Wrappers.h"

namespace {


std::string_view ReasonText(LeftOutReason reason) {
  switch (reason) {
    case LeftOutReason::NameWindowsCannotHold: return "Name Windows cannot hold";
    case LeftOutReason::PathTooLong: return "Path too long";
    case LeftOutReason::PictureNameTooLong: return "Picture name too long";
    case LeftOutReason::FolderLink: return "Folder link";
  }
  return {};
}

// A path on one line of its own: control characters as their code.
std::string OnOneLine(std::string_view path) {
  std::string line;
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) {
      line += c;
      continue;
    }
    char code[5];
    std::snprintf(code, sizeof code, "<%02X>", byte);
    line += code;
  }
  return line;
}

std::string Text(std::string_view root, const std::vector<LEFTOUTENTRY>& entries) {
  std::string text = LEFTOUTCOUNT(entries.size()) + " left out of the scan of " + OnOneLine(root) + "\r\n";
  for (const LEFTOUTENTRY& e : entries) text += std::string(ReasonText(e.reason)) + "\t" + OnOneLine(e.path) + "\r\n";
  return text;
}

}  // namespace

std::string LEFTOUTCOUNT(size_t count) { return std::to_string(count) + (count == 1 ? " entry" : " entries"); }

int32_t WRITELEFTOUT(std::string_view root, const std::vector<LEFTOUTENTRY>& entries) {
  const std::string file = CHECKPATH(INIPATH) + std::string(kLeftOutFile);
  FILEIO io;
  if (entries.empty()) {
    io.DELETE(file);  // none left out: no list of an earlier scan stays behind
    return 1;
  }
  const std::string text = Text(root, entries);
  const int32_t written =
      io.WRITEFILE(file, text, static_cast<int32_t>(text.size()), 0, kReadWrite, kNoSharing, OPEN_ALWAYS, kNormalWriteThrough);
  return written > 0 ? 1 : written;
}
