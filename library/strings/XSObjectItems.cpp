// Items of a text separated by a delimiter byte (found by characters); items count from 1.
#include "strings/Units.h"
#include "strings/XSObject.h"

namespace units = zqv::units;

std::size_t XSObject::ItemStart(int32_t item, char ch, int32_t& found) const {
  found = 0;
  std::size_t start = 0;
  for (int32_t k = 1; k < item; ++k) {
    std::size_t at = units::FindByte(text_, start, ch);
    if (at == units::npos) return units::npos;
    ++found;
    start = at + 1;
  }
  return start;
}

std::string XSObject::GetSubString(int32_t item, char ch, int32_t maxLength) const {
  if (item == 0) return text_;
  if (item < 0 || maxLength < 0) return {};
  int32_t found = 0;
  std::size_t start = ItemStart(item, ch, found);
  if (start == units::npos || start >= text_.size()) return {};
  std::size_t end = units::FindByte(text_, start, ch);
  std::size_t n = (end == units::npos ? text_.size() : end) - start;
  if (maxLength > 0 && static_cast<std::size_t>(maxLength) < n) n = static_cast<std::size_t>(maxLength);
  return text_.substr(start, n);
}

void XSObject::SetSubString(int32_t item, char ch, std::string_view text) {
  text = units::UpToNul(text);
  if (item == 0) {
    Set(text);
    return;
  }
  if (item < 0) {
    Append(std::string(1, ';').append(text));
    return;
  }
  int32_t found = 0;
  std::size_t start = ItemStart(item, ch, found);
  if (start == units::npos) {
    AppendAfterFill(static_cast<std::size_t>(item - 1 - found), ch, text);
    return;
  }
  std::size_t end = units::FindByte(text_, start, ch);
  ReplaceRange(static_cast<int32_t>(start),
               static_cast<int32_t>((end == units::npos ? text_.size() : end) - start), text);
}

void XSObject::InsSubString(int32_t item, char ch, std::string_view text) {
  text = units::UpToNul(text);
  if (item <= 0) return;
  int32_t found = 0;
  std::size_t start = ItemStart(item, ch, found);
  if (start == units::npos || text_.empty()) {
    AppendAfterFill(static_cast<std::size_t>(item - 1 - found), ch, text);
    return;
  }
  CheckLength(text_.size() + text.size() + 1);
  Edit().insert(start, std::string(text).append(1, ch));
}

void XSObject::DelSubString(int32_t item, char ch) {
  if (item == 0) {
    Empty();
    return;
  }
  if (item < 0) item = CountItems(ch);
  if (text_.empty()) return;
  int32_t found = 0;
  std::size_t start = ItemStart(item, ch, found);
  if (start == units::npos) return;
  std::size_t end = units::FindByte(text_, start, ch);
  if (item == 1) {
    if (end == units::npos) Empty();
    else Edit().erase(0, end + 1);
    return;
  }
  std::size_t stop = end == units::npos ? text_.size() : end;
  Edit().erase(start - 1, stop - (start - 1));
}
