// The tray icon's activations as the model's double click. Some notification areas report a
// double click of their own; others (the StatusNotifierItem hosts) report each click alone,
// so two single activations within the double-click time count as one double click too.
#pragma once
#include <cstdint>
#include <optional>

namespace zq::ui::qt {

class TrayClicks {
 public:
  enum class Activation { Single, Double, Other };

  // Whether this activation, at nowMs, completes a double click.
  bool Completes(Activation activation, int64_t nowMs, int32_t doubleClickMs);

 private:
  std::optional<int64_t> lastSingle_;
};

}  // namespace zq::ui::qt
