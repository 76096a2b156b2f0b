// The column specification of the in-place editor.
#include "hostlib/EditIP.h"
#include "procedures/WholeNumber.h"

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

std::vector<EditSpecEntry> ParseEditSpec(std::string_view spec) {
  std::vector<EditSpecEntry> entries;
  for (std::size_t start = 0; start <= spec.size();) {
    std::size_t end = spec.find(';', start);
    if (end == std::string_view::npos) end = spec.size();
    std::string_view text = Trim(spec.substr(start, end - start));
    start = end + 1;
    if (text.empty()) continue;
    EditSpecEntry e;
    switch (text.front()) {
      case '!': e.kind = kSortOnly; break;
      case '@': e.kind = kDropList; break;
      case '#': e.kind = kSpinBox; break;
      case '$': e.kind = kCheckBox; break;
      default: e.kind = kEntry; break;
    }
    if (e.kind != kEntry) text.remove_prefix(1);
    std::string* parts[] = {nullptr, &e.part2, &e.part3, &e.part4};
    for (int part = 0; part < 4; ++part) {
      std::size_t tilde = part < 3 ? text.find('~') : std::string_view::npos;
      std::string_view item = text.substr(0, tilde);
      if (part == 0) {
        e.column = hostlib::detail::WholeNumber(item);
      } else {
        *parts[part] = std::string(item);
      }
      if (tilde == std::string_view::npos) break;
      text.remove_prefix(tilde + 1);
    }
    entries.push_back(std::move(e));
  }
  return entries;
}
