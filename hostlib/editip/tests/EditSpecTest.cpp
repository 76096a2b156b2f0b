// The column specification's grammar, and the column table INIT builds from it.
#include <gtest/gtest.h>

#include "hostlib/EditIP.h"

namespace {

TEST(EditSpec, EveryEntryKindWithItsParts) {
  struct Case {
    const char* spec;
    std::vector<EditSpecEntry> entries;
  };
  const Case cases[] = {
      {"@2~Top|Center|Bottom~3;", {{kDropList, 2, "Top|Center|Bottom", "3", ""}}},
      {"#3~~0|999|1~1;", {{kSpinBox, 3, "", "0|999|1", "1"}}},
      {"#5~~0|5|.1;", {{kSpinBox, 5, "", "0|5|.1", ""}}},
      {"#12~~-50|50|1;", {{kSpinBox, 12, "", "-50|50|1", ""}}},
      {"1~U;2;$3", {{kEntry, 1, "U", "", ""}, {kEntry, 2, "", "", ""}, {kCheckBox, 3, "", "", ""}}},
      {"!1~~~SCat,Dir;!2~~~SCat,DName;!3~~~SCat,MName",
       {{kSortOnly, 1, "", "", "SCat,Dir"}, {kSortOnly, 2, "", "", "SCat,DName"}, {kSortOnly, 3, "", "", "SCat,MName"}}},
      {"  1~U  ;; ;  @6~OMI|ALL~2 ", {{kEntry, 1, "U", "", ""}, {kDropList, 6, "OMI|ALL", "2", ""}}},
      {"x~U;#~~1|2|1", {{kEntry, 0, "U", "", ""}, {kSpinBox, 0, "", "1|2|1", ""}}},
      {"+2~U;3x~U;#\t4\t~~1|2|1", {{kEntry, 2, "U", "", ""}, {kEntry, 0, "U", "", ""}, {kSpinBox, 4, "", "1|2|1", ""}}},
      {"1~a~b~c~d", {{kEntry, 1, "a", "b", "c~d"}}},
      {"", {}},
      {";;;", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseEditSpec(c.spec), c.entries) << c.spec;
}

}  // namespace
