#include <gtest/gtest.h>

#include "../RecordViews.h"

TEST(RecordViews, EveryTypedViewBindsEachFieldOfItsLayout) {
  EXPECT_EQ(UNBOUNDFIELDS(RECORDVIEWS()), "");
  for (const auto& [name, view] : RECORDVIEWS()) {
    EXPECT_TRUE(view->Unbound().empty()) << name;
    EXPECT_EQ(view->Members(), view->Layout().FieldCount()) << name << ": a field without its member";
  }
}
