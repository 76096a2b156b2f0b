// The values a form's controls show, kept when the form displays its variables, so that
// taking the form's values writes back only what the user changed: a control that only shows
// a value (a spin box rounding it to its step, a drop list without a matching choice) never
// changes its variable.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "zqruntime/window.h"

class EditedControls {
 public:
  // Displays every bound variable and keeps what each control then shows.
  void Display(zq::rt::Window& w);
  // Takes the value of every control whose shown value differs from the one kept.
  void TakeChanged(zq::rt::Window& w) const;

 private:
  static std::string Shown(const zq::rt::Window& w, int32_t control);
  std::map<int32_t, std::string> shown_;
};

// A drop list's variable: shown as the choice (of "a|b|c") it equals in any letter case, "Bot"
// as "Bottom" where that is a choice; the choice the user takes is written as it is.
zq::rt::Binding ChoiceBinding(std::string& value, std::string_view choicesWithBars);
