// Hostile pictures: truncated, oversized, overflowing and corrupt files fail with a code, in
// bounded memory, and leave an old target as it was.
#include <gtest/gtest.h>
#include <zlib.h>

#include "GraphicTestKit.h"
#include "codecs/ByteOrder.h"
#include "zqtest/ScratchFolder.h"

namespace zq::gr::test {
namespace {

std::vector<uint8_t> AaiHeader(uint32_t width, uint32_t height, std::size_t pixelBytes) {
  std::vector<uint8_t> bytes(8 + pixelBytes, 0x80);
  PutLe32(bytes.data(), width);
  PutLe32(bytes.data() + 4, height);
  return bytes;
}

void PngChunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
  uint8_t length[4] = {uint8_t(data.size() >> 24), uint8_t(data.size() >> 16), uint8_t(data.size() >> 8),
                       uint8_t(data.size())};
  png.insert(png.end(), length, length + 4);
  const std::size_t start = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  uLong crc = crc32(0, png.data() + start, uInt(png.size() - start));
  for (int shift = 24; shift >= 0; shift -= 8) png.push_back(uint8_t(crc >> shift));
}

// A PNG of 1-bit grey pixels whose zero rows compress to almost nothing.
std::vector<uint8_t> PngBomb(uint32_t width, uint32_t height, uint32_t rowsStored) {
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header(13, 0);
  for (int i = 0; i < 4; ++i) header[i] = uint8_t(width >> (24 - 8 * i)), header[4 + i] = uint8_t(height >> (24 - 8 * i));
  header[8] = 1;  // bit depth; colour type 0 (grey)
  PngChunk(png, "IHDR", header);
  std::vector<uint8_t> raw(std::size_t(1 + (width + 7) / 8) * rowsStored, 0);
  uLongf packedSize = compressBound(uLong(raw.size()));
  std::vector<uint8_t> packed(packedSize);
  compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 9);
  packed.resize(packedSize);
  PngChunk(png, "IDAT", packed);
  PngChunk(png, "IEND", {});
  return png;
}

// A small PNG with a text chunk after its header that declares 1.7 GB it does not hold.
std::vector<uint8_t> OverlongChunk() {
  std::vector<uint8_t> png = PngBomb(16, 16, 16);
  const uint8_t chunk[] = {0x67, 0x40, 0x00, 0x00, 't', 'E', 'X', 't', 'k', 'e', 'y', 0};
  png.insert(png.begin() + 8 + 25, std::begin(chunk), std::end(chunk));
  return png;
}

std::vector<uint8_t> BmpHeader(int32_t width, int32_t height) {
  std::vector<uint8_t> bytes(54 + 64, 0);
  bytes[0] = 'B', bytes[1] = 'M';
  PutLe32(&bytes[10], 54);
  PutLe32(&bytes[14], 40);
  PutLe32(&bytes[18], uint32_t(width));
  PutLe32(&bytes[22], uint32_t(height));
  PutLe16(&bytes[26], 1);
  PutLe16(&bytes[28], 24);
  return bytes;
}

class HostileFiles : public ::testing::Test {
 protected:
  zqtest::ScratchFolder folder{"graphic"};
  std::vector<uint8_t> goodJpeg;

  void SetUp() override {
    ASSERT_TRUE(WriteWith(WriteJpeg, Pattern(320, 240, false), folder / "good.jpg"));
    goodJpeg = Bytes(folder / "good.jpg");
  }
  int32_t ConvertBytes(const std::vector<uint8_t>& bytes, const std::string& name) {
    PutBytes(folder / name, bytes);
    return Convert(folder / name, folder / "target.aai", 0, 0, 0);
  }
};

TEST_F(HostileFiles, FailWithTheirCodes) {
  std::vector<uint8_t> halfJpeg(goodJpeg.begin(), goodJpeg.begin() + goodJpeg.size() / 2);
  std::vector<uint8_t> badHuffman = goodJpeg;
  const std::size_t scan = ScanData(goodJpeg);
  ASSERT_GT(scan, 0u);
  for (std::size_t i = scan + 100; i < scan + 400; i += 2) badHuffman[i] = 0xFF, badHuffman[i + 1] = 0xD3;
  std::vector<uint8_t> hugeJpeg = goodJpeg;  // the frame header claims 65500 x 65500
  for (std::size_t i = 2; i + 8 < hugeJpeg.size(); ++i) {
    if (hugeJpeg[i] == 0xFF && hugeJpeg[i + 1] == 0xC0) {
      hugeJpeg[i + 5] = hugeJpeg[i + 7] = 0xFF, hugeJpeg[i + 6] = hugeJpeg[i + 8] = 0xDC;
      break;
    }
  }
  std::vector<uint8_t> truncatedBmp = BmpHeader(100, 100);
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    int32_t expected;
  };
  const Case cases[] = {
      {"half.jpg", halfJpeg, GR_ERROR_CORRUPT},
      {"huffman.jpg", badHuffman, GR_ERROR_CORRUPT},
      {"huge.jpg", hugeJpeg, GR_ERROR_SIZE},
      {"empty.jpg", {0xFF, 0xD8, 0xFF}, GR_ERROR_CORRUPT},
      {"huge.aai", AaiHeader(100000, 100000, 64), GR_ERROR_SIZE},
      {"overflow.aai", AaiHeader(0xFFFFFFFF, 0xFFFFFFFF, 64), GR_ERROR_SIZE},
      {"zero.aai", AaiHeader(0, 10, 64), GR_ERROR_SIZE},
      {"short.aai", AaiHeader(100, 100, 100 * 100 * 4 - 1), GR_ERROR_CORRUPT},
      {"header.aai", {1, 0, 0}, GR_ERROR_CORRUPT},
      {"huge.png", PngBomb(100000, 100000, 1), GR_ERROR_SIZE},
      {"bomb.png", PngBomb(30000, 30000, 30000), GR_ERROR_SIZE},
      {"short.png", PngBomb(64, 64, 10), GR_ERROR_CORRUPT},
      {"overlong.png", OverlongChunk(), GR_ERROR_CORRUPT},
      {"huge.bmp", BmpHeader(100000, -100000), GR_ERROR_SIZE},
      {"overflow.bmp", BmpHeader(-5, 10), GR_ERROR_SIZE},
      {"short.bmp", truncatedBmp, GR_ERROR_CORRUPT},
      {"text.png", {'h', 'e', 'l', 'l', 'o'}, GR_ERROR_FORMAT},
  };
  for (const Case& c : cases) EXPECT_EQ(ConvertBytes(c.bytes, c.name), c.expected) << c.name;
}

TEST_F(HostileFiles, StrayBytesBetweenSegmentsHarmNoPixel) {
  std::vector<uint8_t> stray = goodJpeg;
  const std::size_t scan = ScanData(goodJpeg);
  std::size_t sos = scan;
  while (!(stray[sos] == 0xFF && stray[sos + 1] == 0xDA)) --sos;
  stray.insert(stray.begin() + std::ptrdiff_t(sos), {0x00, 0x11, 0x22});
  EXPECT_EQ(ConvertBytes(stray, "stray.jpg"), 1);
  EXPECT_EQ(Convert(folder / "good.jpg", folder / "good.aai", 0, 0, 0), 1);
  EXPECT_EQ(Bytes(folder / "target.aai").size(), Bytes(folder / "good.aai").size());
}

// Noise over a stretch of the scan data decodes to garbage without a broken code; the bytes
// the scan then leaves over before its end marker are what shows the damage.
TEST_F(HostileFiles, NoiseOverTheScanDataFailsAndWritesNoTarget) {
  const std::size_t scan = ScanData(goodJpeg);
  ASSERT_GT(scan, 0u);
  const std::size_t scanLength = goodJpeg.size() - 2 - scan;
  uint32_t seed = 12345;
  for (std::size_t stretch : {std::size_t{40}, std::size_t{300}, scanLength - 64}) {
    std::vector<uint8_t> noisy = goodJpeg;
    const std::size_t from = scan + (scanLength - stretch) / 2;
    for (std::size_t i = from; i < from + stretch; ++i) {
      seed = seed * 1103515245 + 12345;
      noisy[i] = uint8_t(seed >> 16);
      if (noisy[i] == 0xFF) noisy[i] = 0x7F;  // no marker: the damage stays inside the scan
    }
    std::filesystem::remove(folder / "target.aai");
    EXPECT_EQ(ConvertBytes(noisy, "noisy.jpg"), GR_ERROR_CORRUPT) << stretch << " bytes of noise";
    EXPECT_FALSE(std::filesystem::exists(folder / "target.aai")) << stretch << " bytes of noise";
    EXPECT_FALSE(RunCommand("convert -regard-warnings " + Quote(folder / "noisy.jpg") + " null:"))
        << "ImageMagick reads " << stretch << " bytes of noise without a warning";
  }
}

TEST_F(HostileFiles, AFailedConversionLeavesTheOldTargetWhole) {
  ASSERT_EQ(Convert(folder / "good.jpg", folder / "target.aai", 0, 0, 0), 1);
  const std::vector<uint8_t> before = Bytes(folder / "target.aai");
  std::vector<uint8_t> half(goodJpeg.begin(), goodJpeg.begin() + goodJpeg.size() / 2);
  EXPECT_EQ(ConvertBytes(half, "half.jpg"), GR_ERROR_CORRUPT);
  EXPECT_EQ(Bytes(folder / "target.aai"), before);
  EXPECT_EQ(Convert(folder / "missing.jpg", folder / "target.aai", 0, 0, 0), GR_ERROR_OPEN);
  EXPECT_EQ(Convert(folder.path(), folder / "target.aai", 0, 0, 0), GR_ERROR_OPEN);
  EXPECT_EQ(Bytes(folder / "target.aai"), before);
}

}  // namespace
}  // namespace zq::gr::test
