#include "FolderFileContent.h"

#include <array>

#include "app/Text.h"
#include "hostlib/FileModes.h"
#include "hostlib/Procedures.h"
#include "hostlib/Wrappers.h"

namespace {

constexpr uint8_t kShowErrors = 0;
// A folder file holds a few lines; a larger file is not read (-1) rather than held whole.
constexpr double kLargest = 16 << 20;

}  // namespace

FolderFileContent FolderFileContentOf(std::string_view bytes) {
  FolderFileContent content;
  const std::string_view body = WithoutByteOrderMark(bytes);
  content.mark = std::string(bytes.substr(0, bytes.size() - body.size()));
  std::array<bool, 18> seen{};
  for (const TextLine& line : SplitLines(body)) {
    content.lines.push_back({std::string(line.text), std::string(line.end)});
    std::string_view value;
    // The first line of a key holds its value, as for the reader.
    if (const std::optional<size_t> key = FolderFileKeyOf(line.text, &value); key && !seen[*key]) {
      seen[*key] = true;
      SetFolderValue(content.record, FolderFileKeys()[*key], FolderFileAnsi(value));
    }
  }
  content.asRead = content.record;
  return content;
}

int16_t ReadFolderFileContent(FolderFileContent& content, std::string_view path) {
  if (TLEN(path) == 0) return -999;
  FILEIO file;
  const double size = file.GETFILESIZE(WithoutTrailingBlanks(path));
  if (size < 0) return static_cast<int16_t>(file.INTERROR < 0 ? file.INTERROR : -1);
  if (size > kLargest) return -1;
  std::vector<char> buffer(static_cast<size_t>(size));
  if (!buffer.empty()) {
    const int32_t read = file.READFILE(WithoutTrailingBlanks(path), buffer, static_cast<int32_t>(buffer.size()), 0, kReadWrite,
                                       kNoSharing, OPEN_EXISTING, kNormalWriteThrough);
    if (read < 0) return static_cast<int16_t>(read);
    buffer.resize(static_cast<size_t>(read));
    file.CLOSEFILE();
  }
  content = FolderFileContentOf(std::string_view(buffer.data(), buffer.size()));
  return 0;
}

int32_t SaveFolderFileContent(const FolderFileContent& content, std::string_view path) {
  // The file the user opened: a link is followed to it.
  return WRITEFOLDERBYTES(FolderFileContentBytes(content), path, kShowErrors, zq::fs::AtLink::Follow);
}
