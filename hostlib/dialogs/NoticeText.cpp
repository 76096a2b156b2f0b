#include "dialogs/NoticeText.h"

#include <algorithm>

namespace hostlib::dialogs {

namespace {
constexpr char kMark = '\xFE';

std::string_view TrimRight(std::string_view s) {
  std::size_t end = s.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : s.substr(0, end + 1);
}
}  // namespace

NoticeText MakeNoticeText(std::string_view text) {
  // CR LF, then a lone CR, then a lone LF: one mark each.
  std::string marked;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      marked += kMark;
    } else if (c == '\n') {
      marked += kMark;
    } else {
      marked += c;
    }
  }
  int32_t lines = static_cast<int32_t>(std::count(marked.begin(), marked.end(), kMark)) + 1;
  bool firstLine = !TrimRight(std::string_view(marked).substr(0, marked.find(kMark))).empty();
  std::string joined;
  for (char c : marked) {
    if (c == kMark) {
      joined += "\r\n";
    } else {
      joined += c;
    }
  }
  NoticeText out;
  std::string_view body = TrimRight(joined);
  if (lines < 3 && firstLine) {
    out.text = "\r\n" + std::string(body);
    ++lines;
  } else {
    out.text = std::string(body);
  }
  out.lines = std::clamp(lines, 3, 15);
  return out;
}

}  // namespace hostlib::dialogs
