// What shows the model: the null presenter keeps the model only, the Qt presenter mirrors
// it with widgets on a GUI thread of its own. Both turn input into the calls of uiinput.h.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "zqplatform/questions.h"
#include "zqplatform/uimodel.h"

namespace zq::ui::detail {

class Presenter {
 public:
  virtual ~Presenter() = default;
  virtual std::string_view Name() const = 0;

  // The window changed or is gone; the presenter reads the model again.
  virtual void Changed(HWND hwnd) = 0;
  virtual void TrayChanged() = 0;
  virtual bool TrayAvailable() = 0;
  virtual FontMetrics Measure(const Font& font) = 0;
  // Every screen's work area, the primary screen's first; never empty.
  virtual std::vector<RECT> WorkAreas() = 0;

  // Shows the tracked menu and waits for the user; the command chosen, or 0.
  virtual uint32_t TrackMenu(const TrackedMenu& menu) = 0;
  // Input chose a command while a menu is open.
  virtual void ChooseInOpenMenu(uint32_t command) = 0;

  // Shows a message box or a file dialog (questions.h) and hands the user's answer to done
  // (on any thread); EndQuestion takes it down unanswered when the answer came otherwise.
  virtual void ShowQuestion(uint64_t id, const Question& question, std::function<void(const Answer&)> done) = 0;
  virtual void EndQuestion(uint64_t id) = 0;

  // A list's cell in pixels of the list's parent (row and column checked by the caller).
  virtual RECT CellRect(const WindowState& list, int32_t row, int32_t column) = 0;

  virtual bool Grab(HWND hwnd, const std::string& pngFile) = 0;
  virtual std::optional<Image> GrabImage(HWND hwnd) = 0;
  virtual void Flush() = 0;
};

// Chosen on first use (ZQ_PRESENTER, else by the display).
Presenter& ThePresenter();

std::unique_ptr<Presenter> MakeNullPresenter();
std::unique_ptr<Presenter> MakeQtPresenter();  // null when Qt cannot start

// A list's cell laid out from the model alone: a header line when the list has columns, rows
// of the line height (else the font's height and a margin), columns side by side, no scrolling.
RECT LaidOutCell(const WindowState& list, int32_t row, int32_t column);

}  // namespace zq::ui::detail
