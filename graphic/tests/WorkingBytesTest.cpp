// The working size of a conversion, read from the source's header: at least what the
// conversion holds (the decoded picture at the scale it is decoded at, the fitted one, the
// target's file), far less for a JPEG decoded scaled down, and the same whatever segments come
// before the JPEG's frame.
#include <gtest/gtest.h>

#include "GraphicTestKit.h"
#include "zqtest/ScratchFolder.h"

namespace zq::gr::test {
namespace {

namespace fs = std::filesystem;

int64_t Working(const fs::path& from, const fs::path& to, uint8_t mode, int32_t width, int32_t height) {
  const std::string a = from.string(), b = to.string();
  return Gr_WorkingBytes(int32_t(a.size()), a.data(), int32_t(b.size()), b.data(), mode, width, height, 2);
}

// The JPEG with APP segments of that many bytes in all put after its start marker.
std::vector<uint8_t> WithSegments(std::vector<uint8_t> jpeg, std::size_t total) {
  std::vector<uint8_t> segments;
  for (std::size_t left = total; left > 0;) {
    const std::size_t data = std::min<std::size_t>(left, 60000);
    segments.insert(segments.end(), {0xFF, 0xE2, uint8_t((data + 2) >> 8), uint8_t(data + 2)});
    segments.insert(segments.end(), data, 0x41);
    left -= data;
  }
  jpeg.insert(jpeg.begin() + 2, segments.begin(), segments.end());
  return jpeg;
}

class WorkingBytes : public ::testing::Test {
 protected:
  zqtest::ScratchFolder folder{"working"};
  void SetUp() override {
    ASSERT_TRUE(WriteWith(WriteJpeg, Pattern(1600, 1200, false), folder / "photo.jpg"));
    ASSERT_TRUE(WriteWith(WritePng, Pattern(1600, 1200, true), folder / "photo.png"));
    PutBytes(folder / "segmented.jpg", WithSegments(Bytes(folder / "photo.jpg"), 250000));
    std::ofstream(folder / "broken.png") << "\x89PNG\r\n\x1A\n short";
  }
};

TEST_F(WorkingBytes, CoverWhatTheConversionHoldsAtTheScaleItDecodesAt) {
  constexpr int64_t kFull = 1600 * 1200 * 4;
  struct Case {
    const char* source;
    const char* target;
    uint8_t mode;
    int32_t width, height;
    Size fitted;
    int64_t decoded;  // bytes of the decoded picture
  };
  const Case cases[] = {
      {"photo.jpg", "full.aai", 0, 0, 0, {1600, 1200}, kFull},
      {"photo.jpg", "half.aai", 2 | 4, 800, 600, {800, 600}, kFull / 4},
      {"photo.jpg", "eighth.png", 2 | 4, 200, 150, {200, 150}, kFull / 64},
      {"photo.jpg", "between.jpg", 2 | 4, 300, 225, {300, 225}, kFull / 16},
      {"photo.png", "png.aai", 2 | 4, 200, 150, {200, 150}, kFull},
  };
  for (const Case& c : cases) {
    const fs::path source = folder / c.source, target = folder / c.target;
    const int64_t working = Working(source, target, c.mode, c.width, c.height);
    const int64_t fitted = int64_t{c.fitted.width} * c.fitted.height * 4;
    EXPECT_GE(working, int64_t(fs::file_size(source)) + c.decoded) << c.target;
    EXPECT_GE(working, 2 * fitted) << c.target;
    EXPECT_LT(working, 2 * (int64_t(fs::file_size(source)) + c.decoded + 2 * fitted)) << c.target;
    ASSERT_EQ(Convert(source, target, c.mode, c.width, c.height), 1) << c.target;
    EXPECT_GE(working, int64_t(fs::file_size(target))) << c.target;
  }
}

TEST_F(WorkingBytes, AreReadPastTheSegmentsBeforeAJpegsFrame) {
  const int64_t plain = Working(folder / "photo.jpg", folder / "t.aai", 2 | 4, 200, 150);
  const int64_t segmented = Working(folder / "segmented.jpg", folder / "t.aai", 2 | 4, 200, 150);
  EXPECT_EQ(segmented - plain, int64_t(fs::file_size(folder / "segmented.jpg") - fs::file_size(folder / "photo.jpg")));
}

TEST_F(WorkingBytes, OfAConversionThatFailsAreAtMostItsFile) {
  EXPECT_EQ(Working(folder / "missing.jpg", folder / "t.aai", 0, 0, 0), 0);
  EXPECT_EQ(Working(folder / "photo.jpg", folder / "t.txt", 0, 0, 0), 0);
  EXPECT_EQ(Working(folder / "photo.jpg", folder / "t.aai", 9, 10, 10), 0);
  EXPECT_EQ(Working(folder.path(), folder / "t.aai", 0, 0, 0), 0);
  EXPECT_EQ(Working(folder / "broken.png", folder / "t.aai", 0, 0, 0), int64_t(fs::file_size(folder / "broken.png")));
}

}  // namespace
}  // namespace zq::gr::test
