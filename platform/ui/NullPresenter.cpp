// The presenter that shows nothing: the model alone, for machines without a display.
#include <atomic>
#include <mutex>
#include <vector>

#include "Presenter.h"
#include "zqplatform/msgbox.h"

namespace zq::ui {

namespace {
std::atomic<bool> nullTray{false};
std::mutex workAreasLock;
std::vector<RECT> nullWorkAreas;
}  // namespace

void SetNullTrayAvailable(bool available) { nullTray = available; }

void SetNullWorkAreas(std::vector<RECT> workAreas) {
  std::lock_guard hold(workAreasLock);
  nullWorkAreas = std::move(workAreas);
}

namespace detail {

namespace {

int32_t FirstButton(uint32_t type) {
  switch (type & 0xF) {
    case MB_ABORTRETRYIGNORE: return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO: return IDYES;
    case MB_RETRYCANCEL: return IDRETRY;
    default: return IDOK;
  }
}

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
  std::vector<RECT> WorkAreas() override {
    std::lock_guard hold(workAreasLock);
    return nullWorkAreas.empty() ? std::vector<RECT>{RECT{0, 0, 1920, 1080}} : nullWorkAreas;
  }
  // Nobody is there to choose: a menu shown is dismissed at once.
  uint32_t TrackMenu(const TrackedMenu&) override { return 0; }
  void ChooseInOpenMenu(uint32_t) override {}
  // Nobody is there to answer: a message box gets its first button, a file dialog a cancel.
  void ShowQuestion(uint64_t, const Question& q, std::function<void(const Answer&)> done) override {
    done(q.kind == QuestionKind::Message ? Answer::Pressed(FirstButton(q.type)) : Answer::Cancelled());
  }
  void EndQuestion(uint64_t) override {}
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
