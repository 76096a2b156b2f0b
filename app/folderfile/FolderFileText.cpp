// The plain form of a folder file, composed from the record.
#include <string>

#include "app/FolderFile.h"
#include "app/Helpers.h"
#include "app/Text.h"
#include "zqruntime/picture.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";



std::string Lower(std::string_view text) { return LowerWord(WithoutTrailingBlanks(text)); }

class Lines {
 public:
  void Add(std::string_view key, std::string_view value) {
    text_.append(key).append(" = ").append(value).append(kLineEnd);
  }
  void Add(std::string_view key, int64_t value) { Add(key, zq::rt::WholeText(value)); }
  // A new block starts after an empty line when something stands before it.
  void StartBlock() {
    if (!text_.empty()) text_.append(kLineEnd);
  }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

}  // namespace

std::string DUNEFILETEXT(DUNEFILE& r) {
  Lines lines;
  if (!Blank(r.ICON)) {
    if (Blank(r.ALLIGN)) r.ALLIGN = "center";
    lines.Add("icon_path", WithoutTrailingBlanks(r.ICON));
    lines.Add("icon_valign", Lower(r.ALLIGN));
    if (r.IDX != 0) lines.Add("icon_dx", r.IDX);
    if (r.IDY != 0) lines.Add("icon_dy", r.IDY);
    if (r.SCALE != 0) lines.Add("icon_scale_factor", zq::rt::RealText(r.SCALE));
    if (!Blank(r.MURL)) lines.Add("media_url", WithoutTrailingBlanks(r.MURL));
  }
  if (Lower(r.IVIEW) == "yes") {
    if (r.COLS <= 0) r.COLS = 6;
    if (r.ROWS <= 0) r.ROWS = 3;
    if (Blank(r.FSIZE)) r.FSIZE = "small";
    lines.StartBlock();
    lines.Add("use_icon_view", Lower(r.IVIEW));
    lines.Add("num_cols", r.COLS);
    lines.Add("num_rows", r.ROWS);
    lines.Add("icon_top", r.TOP);
    lines.Add("icon_bottom", r.BOT);
    lines.Add("caption_font_size", Lower(r.FSIZE));
    lines.Add("text_bottom", r.TEXTBOT);
  }
  if (!Blank(r.BGPATH)) {
    if (r.BGW <= 0) r.BGW = 1920;
    if (r.BGH <= 0) r.BGH = 1080;
    lines.StartBlock();
    lines.Add("background_path", WithoutTrailingBlanks(r.BGPATH));
    lines.Add("background_x", r.BGX);
    lines.Add("background_y", r.BGY);
    lines.Add("background_width", r.BGW);
    lines.Add("background_height", r.BGH);
  }
  return lines.Take();
}
