// Writing and reading a folder file through the library's string and file objects.
#include <array>
#include <charconv>
#include <string>

#include "app/FolderFile.h"
#include "app/State.h"
#include "app/Text.h"
#include "hostlib/Dialogs.h"
#include "hostlib/Procedures.h"
#include "hostlib/Wrappers.h"

namespace {

constexpr uint32_t kReadWrite = 0xC0000000;
constexpr uint32_t kNoSharing = 0;
constexpr uint32_t kOpenAlways = 4;
constexpr uint32_t kOpenExisting = 3;
constexpr uint32_t kNormalWriteThrough = 0x80000080;
constexpr int32_t kFileNotFound = 2;
constexpr size_t kReadLimit = 2048;


// A CSTRING(width) keeps width - 1 characters.
std::string Cut(std::string value, size_t width) {
  if (value.size() > width - 1) value.resize(width - 1);
  return value;
}

// The leading whole number of a value (sign and digits), its low 16 bits; 0 when there is
// none.
int16_t Short(std::string_view value) {
  int64_t number = 0;
  const char* begin = value.data() + (value.starts_with('+') ? 1 : 0);
  std::from_chars(begin, value.data() + value.size(), number);
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint64_t>(number) & 0xFFFF));
}

double Real(std::string_view value) {
  double number = 0;
  const char* begin = value.data() + (value.starts_with('+') ? 1 : 0);
  if (std::from_chars(begin, value.data() + value.size(), number).ec != std::errc()) return 0;
  return number;
}

}  // namespace

int16_t WRITEDUNEFILE(DUNEFILE& record, std::string_view path, uint8_t quiet) {
  XSTRING text;
  FILEIO file;
  const std::string plain = DUNEFILETEXT(record);
  if (plain.empty()) return 0;
  text.SET(plain, static_cast<int32_t>(plain.size()));
  const std::string utf8 = text.WTOM();
  int32_t result = file.WRITEFILE(WithoutTrailingBlanks(path), utf8, static_cast<int32_t>(utf8.size()), 0, kReadWrite, kNoSharing,
                                  kOpenAlways, kNormalWriteThrough);
  if (result < 0 && quiet == 0) {
    result = ERRORMSG("Error Writing dune_folder.txt", "WriteDuneFile", WithoutTrailingBlanks(path), static_cast<int16_t>(result),
                      99, 0, MWHANDLE);
  }
  return static_cast<int16_t>(result);
}

int16_t READDUNEFILE(DUNEFILE& r, std::string_view path) {
  if (TLEN(path) == 0) return -999;
  FILEIO file;
  std::array<char, kReadLimit> buffer;
  buffer.fill(' ');
  // An existing file only: reading never leaves an empty folder file behind.
  const int32_t read = file.READFILE(WithoutTrailingBlanks(path), buffer, static_cast<int32_t>(buffer.size()), 0, kReadWrite,
                                     kNoSharing, kOpenExisting, kNormalWriteThrough);
  if (read < 0 && file.GETLASTSYSTEMERROR() == kFileNotFound) return 0;
  if (read <= 0) return static_cast<int16_t>(read);

  XSTRING text;
  const std::string_view raw(buffer.data(), buffer.size());
  const std::string content = WithoutTrailingBlanks(raw);
  text.SET(content, static_cast<int32_t>(content.size()));
  const std::string ansi = text.MTOW();
  file.CLOSEFILE();

  r.ICON = Cut(RDFI(ansi, "icon_path"), 256);
  r.ALLIGN = Cut(RDFI(ansi, "icon_valign"), 10);
  r.IDX = Short(RDFI(ansi, "icon_dx"));
  r.IDY = Short(RDFI(ansi, "icon_dy"));
  r.SCALE = Real(RDFI(ansi, "icon_scale_factor"));
  r.MURL = Cut(RDFI(ansi, "media_url"), 256);
  r.IVIEW = Cut(RDFI(ansi, "use_icon_view"), 5);
  r.COLS = Short(RDFI(ansi, "num_cols"));
  r.ROWS = Short(RDFI(ansi, "num_rows"));
  r.TOP = Short(RDFI(ansi, "icon_top"));
  r.BOT = Short(RDFI(ansi, "icon_bottom"));
  r.FSIZE = Cut(RDFI(ansi, "caption_font_size"), 10);
  r.TEXTBOT = Short(RDFI(ansi, "text_bottom"));
  r.BGPATH = Cut(RDFI(ansi, "background_path"), 256);
  r.BGX = Short(RDFI(ansi, "background_x"));
  r.BGY = Short(RDFI(ansi, "background_y"));
  r.BGW = Short(RDFI(ansi, "background_width"));
  r.BGH = Short(RDFI(ansi, "background_height"));
  return 0;
}
