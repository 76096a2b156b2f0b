#include "app/EditedControls.h"

#include "hostlib/Procedures.h"
#include "zqruntime/picture.h"

void EditedControls::Display(zq::rt::Window& w) {
  w.Display();
  shown_.clear();
  for (int32_t control : w.ControlNumbers()) shown_[control] = Shown(w, control);
}

void EditedControls::TakeChanged(zq::rt::Window& w) const {
  for (int32_t control : w.ControlNumbers()) {
    auto kept = shown_.find(control);
    if (kept == shown_.end() || kept->second != Shown(w, control)) w.Take(control, control);
  }
}

std::string EditedControls::Shown(const zq::rt::Window& w, int32_t control) {
  return w.Text(control) + '\n' + zq::rt::RealText(w.Value(control));
}

zq::rt::Binding ChoiceBinding(std::string& value, std::string_view choicesWithBars) {
  std::string choices(choicesWithBars);
  return zq::rt::Binding{[&value, choices] {
                           const std::string shown = COMPARENC(value, "Bot", 0) == 0 ? "Bottom" : value;
                           for (int32_t n = 1, count = CNTITEM(choices, "|"); n <= count; ++n) {
                             std::string choice = GETITEM(choices, n, "|");
                             if (COMPARENC(shown, choice, 0) == 0) return choice;
                           }
                           return value;
                         },
                         [&value](std::string_view chosen) { value = std::string(chosen); }};
}
