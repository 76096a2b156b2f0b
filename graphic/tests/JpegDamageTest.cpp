// Damaged JPEG files, each of one kind that ImageMagick (the independent reader) names in its
// warning: bytes padded before the end marker alone decode as the file without them; every
// other kind of damage fails and writes no target.
#include <gtest/gtest.h>

#include <algorithm>

#include "GraphicTestKit.h"
#include "zqtest/ScratchFolder.h"

namespace zq::gr::test {
namespace {

namespace fs = std::filesystem;
using ByteList = std::vector<uint8_t>;

// What ImageMagick says on its error stream as it reads the file ("" when nothing).
std::string ImageMagickWarnings(const fs::path& file) {
  const fs::path said = file.string() + ".said";
  std::system(("convert " + Quote(file) + " null: 2> " + Quote(said)).c_str());
  const ByteList bytes = Bytes(said);
  return {bytes.begin(), bytes.end()};
}

// The file with bytes put just before its end marker (its last two bytes).
ByteList BeforeEnd(const ByteList& jpeg, const ByteList& extra) {
  ByteList out(jpeg.begin(), jpeg.end() - 2);
  out.insert(out.end(), extra.begin(), extra.end());
  out.insert(out.end(), jpeg.end() - 2, jpeg.end());
  return out;
}

// A stretch of the scan data from `from` overwritten with noise that holds no marker.
ByteList Noisy(const ByteList& jpeg, std::size_t from, std::size_t length, uint32_t seed) {
  ByteList out = jpeg;
  for (std::size_t i = from; i < from + length; ++i) {
    seed = seed * 1103515245 + 12345;
    out[i] = uint8_t(seed >> 16);
    if (out[i] == 0xFF) out[i] = 0x7F;
  }
  return out;
}

class JpegDamage : public ::testing::Test {
 protected:
  zqtest::ScratchFolder folder{"jpeg-damage"};
  ByteList baseline, progressive;

  void SetUp() override {
    ASSERT_TRUE(WriteWith(WriteJpeg, Pattern(320, 240, false), folder / "baseline.jpg"));
    ASSERT_TRUE(RunCommand("convert " + Quote(folder / "baseline.jpg") + " -interlace JPEG " +
                           Quote(folder / "progressive.jpg")));
    baseline = Bytes(folder / "baseline.jpg");
    progressive = Bytes(folder / "progressive.jpg");
    ASSERT_GT(ScanData(baseline), 0u);
  }
};

TEST_F(JpegDamage, OnlyBytesPaddedBeforeTheEndMarkerDecodeAndEachKindCarriesItsWarning) {
  const std::size_t scan = ScanData(baseline), scanLength = baseline.size() - 2 - scan;
  const ByteList trailer = {'c', 'a', 'm', 'e', 'r', 'a', ' ', 't', 'r', 'a', 'i', 'l', 'e', 'r', 0x01, 0x80, 0xFE};
  ByteList afterEnd = baseline;
  afterEnd.insert(afterEnd.end(), 3000, 0);
  // The last third of the scan data gone, the end marker kept.
  ByteList shortScan(baseline.begin(), baseline.begin() + std::ptrdiff_t(scan + 2 * scanLength / 3));
  shortScan.insert(shortScan.end(), {0xFF, 0xD9});
  // Bytes between two scans of the progressive file.
  ByteList betweenScans = progressive;
  const std::size_t secondScan = ScanData(progressive) + 1;
  const uint8_t startOfScan[] = {0xFF, 0xDA};
  auto next = std::search(betweenScans.begin() + std::ptrdiff_t(secondScan), betweenScans.end(),
                          std::begin(startOfScan), std::end(startOfScan));
  ASSERT_NE(next, betweenScans.end());
  betweenScans.insert(next, {0x10, 0x20, 0x30, 0x40});

  struct Case {
    const char* name;
    ByteList bytes;
    const char* warning;          // what ImageMagick says first ("" nothing)
    int warnings;                 // how many warnings it gives
    int32_t expected;             // Gr_Convert's result
    const ByteList* decodesAs;    // the file it decodes as, when it decodes
  };
  const Case cases[] = {
      {"trailer.jpg", BeforeEnd(baseline, trailer), "extraneous bytes before marker 0xd9", 1, 1, &baseline},
      {"zeros.jpg", BeforeEnd(baseline, ByteList(4096, 0)), "extraneous bytes before marker 0xd9", 1, 1, &baseline},
      {"progressive-zeros.jpg", BeforeEnd(progressive, ByteList(500, 0)), "extraneous bytes before marker 0xd9", 1, 1,
       &progressive},
      {"after-end.jpg", afterEnd, "", 0, 1, &baseline},
      {"truncated.jpg", ByteList(baseline.begin(), baseline.begin() + std::ptrdiff_t(scan + scanLength / 2)),
       "Premature end of JPEG file", 2, GR_ERROR_CORRUPT, nullptr},
      {"short-scan.jpg", shortScan, "premature end of data segment", 1, GR_ERROR_CORRUPT, nullptr},
      {"bad-code.jpg", Noisy(baseline, scan + scanLength / 3, scanLength / 2, 7), "bad Huffman code", 2,
       GR_ERROR_CORRUPT, nullptr},
      {"between-scans.jpg", betweenScans, "4 extraneous bytes before marker 0xda", 1, GR_ERROR_CORRUPT, nullptr},
      // Noise the decoder goes through with no broken code, ending the scan early: the rest of
      // it is left over before the end marker, the same warning as padding, alone.
      {"noise.jpg", Noisy(baseline, scan + scanLength / 3, 600, 1), "extraneous bytes before marker 0xd9", 1,
       GR_ERROR_CORRUPT, nullptr},
      {"short-noise.jpg", Noisy(baseline, scan + scanLength / 3, 200, 1),
       "extraneous bytes before marker 0xd9", 1, GR_ERROR_CORRUPT, nullptr},
  };
  ASSERT_EQ(Convert(folder / "baseline.jpg", folder / "baseline.aai", 0, 0, 0), 1);
  ASSERT_EQ(Convert(folder / "progressive.jpg", folder / "progressive.aai", 0, 0, 0), 1);
  for (const Case& c : cases) {
    const fs::path file = folder / c.name, target = folder / (std::string(c.name) + ".aai");
    PutBytes(file, c.bytes);
    const std::string said = ImageMagickWarnings(file);
    if (*c.warning)
      EXPECT_NE(said.find(c.warning), std::string::npos) << c.name << ": ImageMagick says " << said;
    else
      EXPECT_EQ(said, "") << c.name;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), c.warnings) << c.name << ": " << said;
    EXPECT_EQ(Convert(file, target, 0, 0, 0), c.expected) << c.name;
    if (c.decodesAs) {
      EXPECT_TRUE(Bytes(target) == Bytes(folder / (c.decodesAs == &baseline ? "baseline.aai" : "progressive.aai")))
          << c.name << " decodes otherwise than the file without its damage";
    } else {
      EXPECT_FALSE(fs::exists(target)) << c.name;
    }
  }
}

// Scaled down at decoding, a padded file still gives what the file without the padding gives.
TEST_F(JpegDamage, APaddedFileDecodedAtAReducedScaleGivesTheSameFittedPicture) {
  PutBytes(folder / "padded.jpg", BeforeEnd(baseline, ByteList(64, 0)));
  ASSERT_EQ(Convert(folder / "baseline.jpg", folder / "small.aai", 4 | 2, 40, 30), 1);
  ASSERT_EQ(Convert(folder / "padded.jpg", folder / "padded-small.aai", 4 | 2, 40, 30), 1);
  EXPECT_TRUE(Bytes(folder / "padded-small.aai") == Bytes(folder / "small.aai"));
}

}  // namespace
}  // namespace zq::gr::test
