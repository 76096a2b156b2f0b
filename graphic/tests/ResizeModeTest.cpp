// The output sizes of every resize mode, with and without keeping the aspect ratio, on
// pictures above, below and equal to the target, portrait and landscape, and the 2047 fit.
#include <gtest/gtest.h>

#include "GraphicTestKit.h"
#include "resize/Fit.h"
#include "zqtest/ScratchFolder.h"

namespace zq::gr::test {
namespace {

struct Case {
  Size source;
  uint8_t mode;
  Size target;
  Size expected;
};

const Case kCases[] = {
    // none: as it is, whatever the target
    {{800, 600}, 0, {300, 200}, {800, 600}},
    {{100, 50}, 0, {300, 200}, {100, 50}},
    {{800, 600}, 4, {300, 200}, {800, 600}},
    // bigger: only sides below their target grow
    {{800, 600}, 1, {300, 200}, {800, 600}},
    {{100, 50}, 1, {300, 200}, {300, 200}},
    {{50, 100}, 1, {300, 200}, {300, 200}},
    {{400, 100}, 1, {300, 200}, {400, 200}},
    {{300, 200}, 1, {300, 200}, {300, 200}},
    // smaller: only sides above their target shrink
    {{800, 600}, 2, {300, 200}, {300, 200}},
    {{600, 800}, 2, {300, 200}, {300, 200}},
    {{100, 50}, 2, {300, 200}, {100, 50}},
    {{400, 100}, 2, {300, 200}, {300, 100}},
    // both: exactly the target
    {{800, 600}, 3, {300, 200}, {300, 200}},
    {{50, 100}, 3, {300, 200}, {300, 200}},
    {{300, 200}, 3, {300, 200}, {300, 200}},
    // bigger, keeping the aspect ratio: fitted inside the target when smaller
    {{100, 50}, 5, {300, 200}, {300, 150}},
    {{50, 100}, 5, {300, 200}, {100, 200}},
    {{800, 600}, 5, {300, 200}, {800, 600}},
    {{300, 200}, 5, {300, 200}, {300, 200}},
    // smaller, keeping the aspect ratio
    {{800, 600}, 6, {300, 200}, {267, 200}},
    {{600, 800}, 6, {300, 200}, {150, 200}},
    {{1200, 400}, 6, {300, 200}, {300, 100}},
    {{100, 50}, 6, {300, 200}, {100, 50}},
    // both, keeping the aspect ratio
    {{800, 600}, 7, {300, 200}, {267, 200}},
    {{600, 800}, 7, {300, 200}, {150, 200}},
    {{100, 50}, 7, {300, 200}, {300, 150}},
    {{50, 100}, 7, {300, 200}, {100, 200}},
    {{300, 200}, 7, {300, 200}, {300, 200}},
    // the player's limit: fitted inside 2047 x 2047, aspect kept
    {{4000, 1000}, 0, {300, 200}, {2047, 512}},
    {{1000, 4000}, 0, {300, 200}, {512, 2047}},
    {{100, 100}, 3, {5000, 100}, {2047, 41}},
    {{100, 100}, 7, {3000, 3000}, {2047, 2047}},
    {{1, 3000}, 0, {0, 0}, {1, 2047}},
};

TEST(ResizeModes, FitSizeFollowsTheModeTable) {
  for (const Case& c : kCases) {
    Size got = FitSize(c.source, c.mode, c.target);
    EXPECT_EQ(got, c.expected) << c.source.width << "x" << c.source.height << " mode " << int(c.mode) << " -> "
                               << got.width << "x" << got.height;
  }
}

TEST(ResizeModes, ConvertedFilesHaveTheTableSizes) {
  zqtest::ScratchFolder folder("graphic");
  for (const Case& c : kCases) {
    if (c.source.width * c.source.height > 1'000'000) continue;
    const auto source = folder / ("s" + std::to_string(c.source.width) + "x" + std::to_string(c.source.height) + ".png");
    if (!std::filesystem::exists(source)) {
      ASSERT_TRUE(WriteWith(WritePng, Pattern(c.source.width, c.source.height, true), source));
    }
    const auto target = folder / "out.aai";
    ASSERT_EQ(Convert(source, target, c.mode, c.target.width, c.target.height), 1);
    EXPECT_EQ(AaiSize(target), c.expected) << c.source.width << "x" << c.source.height << " mode " << int(c.mode);
  }
}

TEST(ResizeModes, JpegDecodedScaledKeepsTheTableSize) {
  zqtest::ScratchFolder folder("graphic");
  const auto source = folder / "big.jpg";
  ASSERT_TRUE(WriteWith(WriteJpeg, Pattern(2400, 1800, false), source));
  for (const Case& c : {Case{{2400, 1800}, 6, {300, 200}, {267, 200}}, Case{{2400, 1800}, 3, {300, 225}, {300, 225}},
                        Case{{2400, 1800}, 2, {1000, 100}, {1000, 100}}, Case{{2400, 1800}, 0, {0, 0}, {2047, 1535}}}) {
    ASSERT_EQ(Convert(source, folder / "out.aai", c.mode, c.target.width, c.target.height), 1);
    EXPECT_EQ(AaiSize(folder / "out.aai"), c.expected) << int(c.mode);
  }
}

TEST(ResizeModes, ResizingWithoutATargetIsRefused) {
  zqtest::ScratchFolder folder("graphic");
  ASSERT_TRUE(WriteWith(WritePng, Pattern(40, 30, false), folder / "a.png"));
  EXPECT_EQ(Convert(folder / "a.png", folder / "b.aai", 3, 0, 100), GR_ERROR_ARGUMENT);
  EXPECT_EQ(Convert(folder / "a.png", folder / "b.aai", 8, 10, 10), GR_ERROR_ARGUMENT);
  EXPECT_EQ(Convert(folder / "a.png", folder / "b.aai", 3, 10, 10, 3), GR_ERROR_ARGUMENT);
  EXPECT_EQ(Convert(folder / "a.png", folder / "b.aai", 0, 0, 0), 1);
}

}  // namespace
}  // namespace zq::gr::test
