// The text box's content: line breaks of any kind made CR LF, trailing blanks cut, a short
// notice moved down one line, and the number of lines the box is made high for (3 to 15).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace hostlib::dialogs {

struct NoticeText {
  std::string text;
  int32_t lines = 0;
};

NoticeText MakeNoticeText(std::string_view text);

}  // namespace hostlib::dialogs
