#include "dialogs/ButtonSets.h"

namespace hostlib::dialogs {

const ButtonSet& ButtonSetOf(int32_t number, bool withIgnoreAll) {
  static const ButtonSet sets[] = {
      {{}, kNoAnswer},
      {{{kCancel, 180}}, kCancel},
      {{{kOk, 156}, {kCancel, 204}}, kOk},
      {{{kSkip, 180}}, kSkip},
      {{{kAbort, 132}, {kRetry, 180}, {kIgnore, 228}}, kRetry},
      {{{kAbort, 156}, {kRetry, 204}}, kRetry},
      {{{kAbort, 156}, {kIgnore, 204}}, kAbort},
      {{{kAbort, 180}}, kAbort},
      {{{kYes, 156}, {kNo, 204}}, kYes},
      {{{kIgnore, 156}, {kRetry, 204}}, kRetry},
  };
  static const ButtonSet ignoreAll{{{kCancel, 132}, {kIgnore, 180}, {kIgnoreAll, 228}}, kIgnore};
  static const ButtonSet okOnly{{{kOk, 180}}, kOk};
  if (number >= 0 && number <= 9) return sets[number];
  return number == kCancelIgnoreAll && withIgnoreAll ? ignoreAll : okOnly;
}

Answer ShowButtonSet(zq::rt::Window& w, const ButtonNumbers& numbers, int32_t countdown, const ButtonSet& set) {
  for (int32_t n : numbers) {
    if (n != 0) w.Hide(n, n);
  }
  w.Hide(countdown, countdown);
  if (set.buttons.empty()) {
    w.Unhide(countdown, countdown);
    return kNoAnswer;
  }
  for (const Placed& p : set.buttons) {
    int32_t n = numbers[p.button];
    zq::rt::DlgRect at = w.Rect(n).value_or(zq::rt::DlgRect{});
    at.x = p.x;
    w.SetRect(n, at);
    w.Unhide(n, n);
  }
  w.Focus(numbers[set.first]);
  return set.first;
}

Answer RoleOf(const ButtonNumbers& numbers, int32_t control) {
  for (int32_t role = kOk; role <= kIgnoreAll; ++role) {
    if (control != 0 && numbers[role] == control) return static_cast<Answer>(role);
  }
  return kNoAnswer;
}

}  // namespace hostlib::dialogs
