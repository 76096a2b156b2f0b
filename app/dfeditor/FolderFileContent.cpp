#include "FolderFileContent.h"

#include <array>

#include "app/FolderFile.h"
#include "app/State.h"
#include "app/Text.h"
#include "hostlib/Dialogs.h"
#include "hostlib/Procedures.h"
#include "hostlib/Wrappers.h"
#include "zqplatform/files.h"

namespace {

// A folder file holds a few lines; a larger file is not read (-1) rather than held whole.
constexpr double kLargest = 16 << 20;
constexpr uint8_t kQuiet = 1;

bool ForeignEncoding(std::string_view bytes) {
  return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF") || bytes.find('\0') != std::string_view::npos;
}

// LF or CR when every line that has an end ends so, else CR LF.
std::string OwnLineEnd(const std::vector<FolderFileContent::Line>& lines) {
  std::string end;
  for (const FolderFileContent::Line& line : lines) {
    if (line.end.empty()) continue;
    if (!end.empty() && end != line.end) return "\r\n";
    end = line.end;
  }
  return end == "\n" || end == "\r" ? end : "\r\n";
}

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
  content.lineEnd = OwnLineEnd(content.lines);
  content.asRead = content.record;
  return content;
}

int16_t ReadFolderFileContent(FolderFileContent& content, std::string_view path, uint32_t* systemError) {
  if (TLEN(path) == 0) return -999;
  FILEIO file;
  auto failed = [&](int32_t code) {
    if (systemError) *systemError = static_cast<uint32_t>(file.GETLASTSYSTEMERROR());
    return static_cast<int16_t>(code);
  };
  const double size = file.GETFILESIZE(WithoutTrailingBlanks(path));
  if (size < 0) return failed(file.INTERROR < 0 ? file.INTERROR : -1);
  if (size > kLargest) return -1;
  std::vector<char> buffer(static_cast<size_t>(size));
  if (!buffer.empty()) {
    const int32_t read = file.READFILE(WithoutTrailingBlanks(path), buffer, static_cast<int32_t>(buffer.size()), 0,
                                       GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    if (read < 0) return failed(read);
    buffer.resize(static_cast<size_t>(read));
    file.CLOSEFILE();
  }
  const std::string_view bytes(buffer.data(), buffer.size());
  if (ForeignEncoding(bytes)) return kForeignEncoding;
  content = FolderFileContentOf(bytes);
  return 0;
}

int32_t SaveFolderFileContent(const FolderFileContent& content, std::string_view path) {
  // The file the user opened: a link is followed to it. A failure is shown with its reason.
  const int32_t written = WRITEFOLDERBYTES(FolderFileContentBytes(content), path, kQuiet, zq::fs::AtLink::Follow);
  if (written >= 0) return written;
  const std::string details = FailureDetails(WithoutTrailingBlanks(path), GetLastError());
  return ERRORMSG("Error Writing dune_folder.txt", "WriteDuneFile", details, static_cast<int16_t>(written), kOkOnly, 0,
                  MWHANDLE);
}
