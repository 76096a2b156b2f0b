#include "tray/MenuDefinition.h"

#include <cstdint>

#include "strings/XSObject.h"
#include "zqplatform/numbers.h"

namespace zqv {

namespace {

constexpr int32_t kFirstMenuCommand = 1024;

}  // namespace

std::vector<zq::ui::MenuItem> ReadMenuDefinition(std::string_view definition) {
  std::vector<zq::ui::MenuItem> entries;
  const XSObject menu(definition);
  if (menu.IsEmpty()) return entries;
  const int32_t items = menu.CountChr('|', 0) + 1;
  for (int32_t i = 1; i <= items; ++i) {
    const XSObject item(menu.GetSubString(i, '|'));
    XSObject text(item.GetSubString(1, ';'));
    text.TrimLeft(' ');
    text.TrimRight(' ');
    int32_t number = zq::text::ReadLong(item.GetSubString(2, ';'));
    if (text.CompareNC("-", 0) == 0) {
      entries.push_back(zq::ui::MenuItem{true, 0, {}, false});
    } else if (number >= kFirstMenuCommand) {
      entries.push_back(zq::ui::MenuItem{false, static_cast<uint32_t>(number), text.Text(), false});
    }
  }
  return entries;
}

}  // namespace zqv
