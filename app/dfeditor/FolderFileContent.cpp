#include "FolderFileContent.h"

#include <algorithm>
#include <array>

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
constexpr std::array<std::string_view, 18> kKeys = {
    "icon_path",         "icon_valign",   "icon_dx",         "icon_dy",        "icon_scale_factor", "media_url",
    "use_icon_view",     "num_cols",      "num_rows",        "icon_top",       "icon_bottom",       "caption_font_size",
    "text_bottom",       "background_path", "background_x",  "background_y",   "background_width",  "background_height"};

// Whether the line is "key = value" for one of the record's keys (any case, blanks around).
bool KeyedLine(std::string_view line) {
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return false;
  const std::string key = TRIM(line.substr(0, equals));
  return std::any_of(kKeys.begin(), kKeys.end(), [&](std::string_view k) { return COMPARENC(key, k, 0) == 0; });
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

int16_t SaveFolderFileContent(FolderFileContent& content, std::string_view path) {
  return WRITEFOLDERTEXT(FolderFileContentText(content), path, 0);
}
