// The padded form of a folder file: every value starts at the line's 21st character.
#include "app/Pass.h"
#include "zqruntime/picture.h"

namespace {

constexpr size_t kKeyWidth = 17;

class Lines {
 public:
  void Add(std::string_view key, std::string_view value) {
    text_.append(key).append(kKeyWidth > key.size() ? kKeyWidth - key.size() : 0, ' ');
    text_.append(" = ").append(value).append("\r\n");
  }
  void Add(std::string_view key, int64_t value) { Add(key, zq::rt::WholeText(value)); }
  void StartBlock() {
    if (!text_.empty()) text_.append("\r\n");
  }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

}  // namespace

std::string PADDEDTEXT(const std::optional<PADDEDICON>& icon, const std::optional<PADDEDVIEW>& view,
                       const std::optional<PADDEDBACKGROUND>& background) {
  Lines lines;
  if (icon) {
    lines.Add("icon_path", icon->PATH);
    lines.Add("icon_valign", icon->VALIGN);
    if (icon->DX != 0) lines.Add("icon_dx", icon->DX);
    if (icon->DY != 0) lines.Add("icon_dy", icon->DY);
    if (icon->SCALE != 0) lines.Add("icon_scale_factor", zq::rt::RealText(icon->SCALE));
    if (!icon->MEDIAURL.empty()) lines.Add("media_url", icon->MEDIAURL);
  }
  if (view) {
    lines.StartBlock();
    lines.Add("use_icon_view", view->IVIEW);
    lines.Add("num_cols", view->COLS);
    lines.Add("num_rows", view->ROWS);
    lines.Add("icon_top", view->TOP);
    lines.Add("icon_bottom", view->BOT);
    lines.Add("caption_font_size", view->FSIZE);
  }
  if (background) {
    lines.StartBlock();
    lines.Add("background_path", background->PATH);
    lines.Add("background_x", background->X);
    lines.Add("background_y", background->Y);
    lines.Add("background_width", background->W);
    lines.Add("background_height", background->H);
  }
  return lines.Take();
}
