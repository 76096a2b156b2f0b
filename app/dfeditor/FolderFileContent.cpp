#include "FolderFileContent.h"

#include <algorithm>

#include "app/Text.h"
#include "hostlib/Procedures.h"
#include "hostlib/Wrappers.h"

namespace {

constexpr uint32_t kReadWrite = 0xC0000000;
constexpr uint32_t kNoSharing = 0;
constexpr uint32_t kOpenExisting = 3;
constexpr uint32_t kNormalWriteThrough = 0x80000080;
// A folder file holds a few lines; a larger file is not read (-1) rather than held whole.
constexpr double kLargest = 16 << 20;

// Whether the line is the line of one of the record's keys, as the reader finds it.
bool KeyedLine(std::string_view line) {
  std::string_view value;
  return std::any_of(FolderFileKeys().begin(), FolderFileKeys().end(),
                     [&](const FolderFileKey& key) { return FolderKeyLine(line, key.key, &value); });
}

std::vector<std::string> OtherLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    if (TLEN(line) > 0 && !KeyedLine(line)) lines.emplace_back(line);
    start = end + (text.substr(end).starts_with("\r\n") ? 2 : 1);
  }
  return lines;
}

}  // namespace

int16_t ReadFolderFileContent(FolderFileContent& content, std::string_view path) {
  if (TLEN(path) == 0) return -999;
  FILEIO file;
  const double size = file.GETFILESIZE(WithoutTrailingBlanks(path));
  if (size < 0) return static_cast<int16_t>(file.INTERROR < 0 ? file.INTERROR : -1);
  if (size > kLargest) return -1;
  std::vector<char> buffer(static_cast<size_t>(size));
  if (!buffer.empty()) {
    const int32_t read = file.READFILE(WithoutTrailingBlanks(path), buffer, static_cast<int32_t>(buffer.size()), 0, kReadWrite,
                                       kNoSharing, kOpenExisting, kNormalWriteThrough);
    if (read < 0) return static_cast<int16_t>(read);
    buffer.resize(static_cast<size_t>(read));
    file.CLOSEFILE();
  }
  XSTRING text;
  text.SET(std::string_view(buffer.data(), buffer.size()), static_cast<int32_t>(buffer.size()));
  const std::string ansi = buffer.empty() ? std::string() : text.MTOW();
  content.record = DUNEFILE{};
  DUNEFILEFROMTEXT(content.record, ansi);
  content.others = OtherLines(ansi);
  return 0;
}

std::string FolderFileContentText(FolderFileContent& content) {
  std::string text = DUNEFILETEXT(content.record);
  if (!text.empty() && !content.others.empty()) text += "\r\n";
  for (const std::string& line : content.others) text.append(line).append("\r\n");
  return text;
}

int32_t SaveFolderFileContent(FolderFileContent& content, std::string_view path) {
  return WRITEFOLDERTEXT(FolderFileContentText(content), path, 0);
}
