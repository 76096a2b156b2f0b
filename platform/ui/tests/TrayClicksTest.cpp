// The tray icon's activations: a double click of the notification area, or two single
// clicks within the double-click time, is one double click of the model.
#include <gtest/gtest.h>

#include <vector>

#include "../qt/TrayClicks.h"

namespace {

using Activation = zq::ui::qt::TrayClicks::Activation;

struct Step {
  Activation activation;
  int64_t atMs;
};

TEST(TrayClicks, DoubleClicksFromEitherKindOfNotificationArea) {
  constexpr int32_t kInterval = 400;
  const struct Case {
    const char* what;
    std::vector<Step> steps;
    std::vector<bool> completes;
  } cases[] = {
      {"double click reported", {{Activation::Double, 0}}, {true}},
      {"press then double click", {{Activation::Single, 0}, {Activation::Double, 150}}, {false, true}},
      {"two single clicks", {{Activation::Single, 0}, {Activation::Single, 400}}, {false, true}},
      {"too slow", {{Activation::Single, 0}, {Activation::Single, 401}}, {false, false}},
      {"three quick clicks", {{Activation::Single, 0}, {Activation::Single, 100}, {Activation::Single, 200}},
       {false, true, false}},
      {"press, double click, press",
       {{Activation::Single, 0}, {Activation::Double, 100}, {Activation::Single, 200}},
       {false, true, false}},
      {"context menu between", {{Activation::Single, 0}, {Activation::Other, 50}, {Activation::Single, 100}},
       {false, false, false}},
  };
  for (const Case& c : cases) {
    zq::ui::qt::TrayClicks clicks;
    std::vector<bool> got;
    for (const Step& s : c.steps) got.push_back(clicks.Completes(s.activation, s.atMs, kInterval));
    EXPECT_EQ(got, c.completes) << c.what;
  }
}

}  // namespace
