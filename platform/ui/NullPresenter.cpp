// The presenter that shows nothing: the model alone, for machines without a display.
#include <atomic>

#include "Presenter.h"
#include "zqplatform/msgbox.h"

namespace zq::ui {

namespace {
std::atomic<bool> nullTray{false};
}

void SetNullTrayAvailable(bool available) { nullTray = available; }

namespace detail {

namespace {

class NullPresenter final : public Presenter {
 public:
  std::string_view Name() const override { return "null"; }
  void Changed(HWND) override {}
  void TrayChanged() override {}
  bool TrayAvailable() override { return nullTray; }
  // Metrics close to the common sans-serif faces at 96 dots per inch.
  FontMetrics Measure(const Font& font) override {
    int32_t pixels = (font.points > 0 ? font.points : 8) * 96 / 72;
    return FontMetrics{(pixels + 1) / 2, pixels + (pixels + 4) / 5};
  }
  RECT WorkArea() override { return RECT{0, 0, 1920, 1080}; }
  // Nobody is there to choose: a menu shown is dismissed at once.
  uint32_t TrackMenu(const TrackedMenu&) override { return 0; }
  void ChooseInOpenMenu(uint32_t) override {}
  void ShowMessageBox(const MessageBoxRequest& r, std::function<void(int32_t)> done) override {
    done(DefaultButton(r.type));
  }
  RECT CellRect(const WindowState& list, int32_t row, int32_t column) override {
    return LaidOutCell(list, row, column);
  }
  bool Grab(HWND, const std::string&) override { return false; }
  std::optional<Image> GrabImage(HWND) override { return std::nullopt; }
  void Flush() override {}
};

}  // namespace

std::unique_ptr<Presenter> MakeNullPresenter() { return std::make_unique<NullPresenter>(); }

}  // namespace detail
}  // namespace zq::ui
