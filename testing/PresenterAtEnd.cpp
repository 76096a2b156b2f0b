// For the tests with the Qt presenter: after the last test every window is gone; waits until
// the presenter has shown that, so no widget is still painted while the process ends.
#include <gtest/gtest.h>

#include "zqplatform/uimodel.h"

namespace {

class PresenterAtEnd : public ::testing::Environment {
 public:
  void TearDown() override { zq::ui::Flush(); }
};

const auto* registered = ::testing::AddGlobalTestEnvironment(new PresenterAtEnd);

}  // namespace
