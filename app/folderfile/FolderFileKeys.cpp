// The folder file's keys: one table for writing, reading and the editor.
#include "app/FolderFile.h"
#include "app/Helpers.h"
#include "app/Text.h"
#include "zqplatform/numbers.h"
#include "zqruntime/picture.h"

namespace {

using enum FolderBlock;

std::string Lower(std::string_view text) { return LowerWord(WithoutTrailingBlanks(text)); }

std::string Alignment(std::string_view text) {
  const std::string lower = Lower(text);
  return lower == "bot" ? "bottom" : lower;
}

const std::array<FolderFileKey, 18> kKeys{{
    {.key = "icon_path", .block = Icon, .field = &DUNEFILE::ICON, .width = 256},
    {.key = "icon_valign", .block = Icon, .field = &DUNEFILE::ALLIGN, .fallback = "center", .width = 10,
     .word = Alignment},
    {.key = "icon_dx", .block = Icon, .field = &DUNEFILE::IDX, .always = false},
    {.key = "icon_dy", .block = Icon, .field = &DUNEFILE::IDY, .always = false},
    {.key = "icon_scale_factor", .block = Icon, .field = &DUNEFILE::SCALE, .always = false},
    {.key = "media_url", .block = Icon, .field = &DUNEFILE::MURL, .always = false, .width = 256},
    {.key = "use_icon_view", .block = View, .field = &DUNEFILE::IVIEW, .width = 5, .word = Lower},
    {.key = "num_cols", .block = View, .field = &DUNEFILE::COLS, .fallback = "6"},
    {.key = "num_rows", .block = View, .field = &DUNEFILE::ROWS, .fallback = "3"},
    {.key = "icon_top", .block = View, .field = &DUNEFILE::TOP},
    {.key = "icon_bottom", .block = View, .field = &DUNEFILE::BOT},
    {.key = "caption_font_size", .block = View, .field = &DUNEFILE::FSIZE, .fallback = "small", .width = 10,
     .word = Lower},
    {.key = "text_bottom", .block = View, .field = &DUNEFILE::TEXTBOT, .padded = false},
    {.key = "background_path", .block = Background, .field = &DUNEFILE::BGPATH, .width = 256},
    {.key = "background_x", .block = Background, .field = &DUNEFILE::BGX},
    {.key = "background_y", .block = Background, .field = &DUNEFILE::BGY},
    {.key = "background_width", .block = Background, .field = &DUNEFILE::BGW, .fallback = "1920"},
    {.key = "background_height", .block = Background, .field = &DUNEFILE::BGH, .fallback = "1080"},
}};

// A blank text or a number of 0 or less: where a fallback applies.
bool Unset(const DUNEFILE& r, const FolderFileKey& key) {
  return std::visit(
      [&r](auto member) {
        const auto& value = r.*member;
        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>) {
          return Blank(value);
        } else {
          return value <= 0;
        }
      },
      key.field);
}

}  // namespace

std::span<const FolderFileKey> FolderFileKeys() { return kKeys; }

std::string FolderValue(const DUNEFILE& r, const FolderFileKey& key) {
  return std::visit(
      [&](auto member) -> std::string {
        const auto& value = r.*member;
        using Value = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<Value, std::string>) {
          return key.word != nullptr ? key.word(value) : WithoutTrailingBlanks(value);
        } else if constexpr (std::is_same_v<Value, double>) {
          return zq::rt::RealText(value);
        } else {
          return zq::rt::WholeText(value);
        }
      },
      key.field);
}

bool FolderLineWritten(const DUNEFILE& r, const FolderFileKey& key) {
  if (key.always) return true;
  return std::visit(
      [&r](auto member) {
        const auto& value = r.*member;
        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>) {
          return !Blank(value);
        } else {
          return value != 0;
        }
      },
      key.field);
}

void SetFolderValue(DUNEFILE& r, const FolderFileKey& key, std::string_view value) {
  std::visit(
      [&](auto member) {
        auto& field = r.*member;
        using Value = std::decay_t<decltype(field)>;
        if constexpr (std::is_same_v<Value, std::string>) {
          field = std::string(value);
        } else if constexpr (std::is_same_v<Value, double>) {
          field = zq::text::ReadReal(value);
        } else {
          // The leading whole number (sign and digits), its low 16 bits; 0 when there is none.
          field = static_cast<int16_t>(zq::text::ReadLongWrapped(value));
        }
      },
      key.field);
}

FolderBlocks DUNEFILEBLOCKS(const DUNEFILE& r) {
  return {!Blank(r.ICON), Lower(r.IVIEW) == "yes", !Blank(r.BGPATH)};
}

void DUNEFILEDEFAULTS(DUNEFILE& r, FolderBlock block) {
  for (const FolderFileKey& key : kKeys) {
    if (key.block == block && !key.fallback.empty() && Unset(r, key)) SetFolderValue(r, key, key.fallback);
  }
}
