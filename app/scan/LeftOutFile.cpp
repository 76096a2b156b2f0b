// The file in the program folder that lists the entries the last scan left out.
#include <array>
#include <charconv>
#include <cstdio>

#include "LeftOut.h"
#include "app/State.h"
#include "hostlib/FileModes.h"
#include "hostlib/Procedures.h"
#include "hostlib/Wrappers.h"

namespace {

constexpr std::string_view kFirstLineRest = " left out of the scan of ";

std::string_view ReasonText(LeftOutReason reason) {
  switch (reason) {
    case LeftOutReason::NameWindowsCannotHold: return "Name Windows cannot hold";
    case LeftOutReason::PathTooLong: return "Path too long";
    case LeftOutReason::PictureNameTooLong: return "Picture name too long";
    case LeftOutReason::FolderLink: return "Folder link";
    case LeftOutReason::Unreadable: return "Unreadable folder";
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
  std::string text = LEFTOUTCOUNT(entries.size()) + std::string(kFirstLineRest) + OnOneLine(root) + "\r\n";
  for (const LEFTOUTENTRY& e : entries) text += std::string(ReasonText(e.reason)) + "\t" + OnOneLine(e.path) + "\r\n";
  return text;
}

// Whether the file begins as the left-out file does: a count, then the rest of its first line.
bool WrittenByTheScan(const std::string& file) {
  std::array<char, 64> start{};
  FILEIO io;
  const int32_t read = io.READFILE(file, start, static_cast<int32_t>(start.size()), 0, kReadWrite, kNoSharing,
                                   OPEN_EXISTING, kNormalWriteThrough);
  if (read <= 0) return false;
  const std::string_view text(start.data(), static_cast<size_t>(read));
  size_t count = 0;
  if (std::from_chars(text.data(), text.data() + text.size(), count).ec != std::errc()) return false;
  const std::string expected = LEFTOUTCOUNT(count) + std::string(kFirstLineRest);
  return text.starts_with(expected);
}

}  // namespace

std::string LEFTOUTCOUNT(size_t count) { return std::to_string(count) + (count == 1 ? " entry" : " entries"); }

int32_t WRITELEFTOUT(std::string_view root, const std::vector<LEFTOUTENTRY>& entries) {
  const std::string file = CHECKPATH(INIPATH) + std::string(kLeftOutFile);
  FILEIO io;
  if (entries.empty()) {
    // None left out: no list of an earlier scan stays behind, but another file of that name does.
    if (WrittenByTheScan(file)) io.DELETE(file);
    return 1;
  }
  const std::string text = Text(root, entries);
  const int32_t written =
      io.WRITEFILE(file, text, static_cast<int32_t>(text.size()), 0, kReadWrite, kNoSharing, OPEN_ALWAYS, kNormalWriteThrough);
  return written > 0 ? 1 : written;
}
