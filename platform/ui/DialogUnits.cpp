// Dialog units from a font's metrics, as Windows converts them.
#include "Presenter.h"

namespace zq::ui {

namespace {
int32_t MulDiv(int32_t value, int32_t numerator, int32_t denominator) {
  if (denominator == 0) return 0;
  int64_t p = static_cast<int64_t>(value) * numerator;
  int64_t half = denominator / 2;
  return static_cast<int32_t>(p >= 0 ? (p + half) / denominator : (p - half) / denominator);
}
}  // namespace

FontMetrics Measure(const Font& font) { return detail::ThePresenter().Measure(font); }

RECT DialogUnitsToPixels(const Font& font, RECT du) {
  FontMetrics fm = Measure(font);
  return RECT{MulDiv(du.left, fm.averageWidth, 4), MulDiv(du.top, fm.height, 8),
              MulDiv(du.right, fm.averageWidth, 4), MulDiv(du.bottom, fm.height, 8)};
}

}  // namespace zq::ui
