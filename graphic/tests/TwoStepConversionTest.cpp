// The conversion in two steps: an encoding written later leaves the file and gives the result
// that one Gr_Convert gives, writes nothing before, and tells whether its source and names
// still stand as they did.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>

#include "GraphicTestKit.h"
#include "zqtest/ScratchFolder.h"

namespace zq::gr::test {
namespace {

namespace fs = std::filesystem;

struct Free {
  void operator()(GrEncoded* e) const { Gr_FreeEncoded(e); }
};
using Encoding = std::unique_ptr<GrEncoded, Free>;

Encoding Encode(const fs::path& from, const fs::path& to, uint8_t mode, int32_t width, int32_t height,
                uint8_t filter) {
  const std::string a = from.string(), b = to.string();
  return Encoding(Gr_Encode(int32_t(a.size()), a.data(), int32_t(b.size()), b.data(), mode, width, height, filter));
}

// The name of a file below the root as the Windows view of drive C: gives it.
std::string WindowsView(const fs::path& file) {
  std::string name = "C:" + file.string();
  std::replace(name.begin(), name.end(), '/', '\\');
  return name;
}

std::map<std::string, std::vector<uint8_t>> Files(const fs::path& folder) {
  std::map<std::string, std::vector<uint8_t>> files;
  for (const auto& e : fs::directory_iterator(folder))
    if (e.is_regular_file()) files[e.path().filename().string()] = Bytes(e.path());
  return files;
}

TEST(TwoStepConversion, LeavesTheFileAndGivesTheResultOfOneConvert) {
  zqtest::ScratchFolder folder("graphic");
  const fs::path in = folder / "in", one = folder / "one", two = folder / "two";
  for (const fs::path& f : {in, one, two}) fs::create_directory(f);
  ASSERT_TRUE(WriteWith(WriteJpeg, Pattern(1000, 1500, false), in / "cover.jpg"));
  ASSERT_TRUE(WriteWith(WritePng, Pattern(640, 360, true), in / "alpha.png"));
  ASSERT_TRUE(WriteWith(WriteBmp, Pattern(333, 222, false), in / "plain.bmp"));
  ASSERT_TRUE(WriteWith(WriteAai, Pattern(200, 300, true), in / "icon.aai"));
  std::ofstream(in / "broken.jpg", std::ios::binary) << "\xFF\xD8\xFF\xE0 not a picture";
  // Each output folder holds a read-only target and a folder in a target's place.
  for (const fs::path& f : {one, two}) {
    std::ofstream(f / "locked.aai") << "old";
    fs::permissions(f / "locked.aai", fs::perms::owner_read);
    fs::create_directory(f / "dir.aai");
  }
  struct Case {
    const char* source;
    const char* target;
    uint8_t mode;
    int32_t width, height;
    uint8_t filter;
  };
  const Case cases[] = {
      {"cover.jpg", "a.aai", 6, 400, 600, 2},    {"cover.jpg", "b.jpg", 3, 1280, 720, 0},
      {"alpha.png", "c.png", 7, 100, 100, 1},    {"alpha.png", "d.bmp", 0, 0, 0, 0},
      {"plain.bmp", "e.png", 1, 2000, 2000, 2},  {"icon.aai", "f.aai", 2, 50, 50, 0},
      {"plain.bmp", "g.BMP", 0, 0, 0, 1},        {"missing.jpg", "h.aai", 0, 0, 0, 0},
      {"broken.jpg", "i.aai", 0, 0, 0, 0},       {"cover.jpg", "j.gif", 0, 0, 0, 0},
      {"cover.jpg", "k.aai", 9, 10, 10, 0},      {"cover.jpg", "l.aai", 0, 0, 0, 7},
      {"cover.jpg", "locked.aai", 0, 0, 0, 0},   {"cover.jpg", "dir.aai", 0, 0, 0, 0},
      {"cover.jpg", "none/m.aai", 0, 0, 0, 0},
  };
  std::set<int32_t> results;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    const int32_t converted = Convert(in / c.source, one / c.target, c.mode, c.width, c.height, c.filter);
    const auto before = Files(two);
    Encoding encoding = Encode(in / c.source, two / c.target, c.mode, c.width, c.height, c.filter);
    ASSERT_TRUE(encoding);
    EXPECT_EQ(Files(two), before);  // nothing written yet
    const int32_t beforeWriting = converted == GR_ERROR_WRITE ? 1 : converted;  // the write's own failure
    EXPECT_EQ(Gr_EncodedResult(encoding.get()), beforeWriting);
    EXPECT_EQ(Gr_EncodedCurrent(encoding.get()), 1);
    EXPECT_EQ(Gr_EncodedBytes(encoding.get()) > 0, beforeWriting == 1);
    EXPECT_EQ(Gr_WriteEncoded(encoding.get()), converted);
    results.insert(converted);
  }
  EXPECT_EQ(Files(one), Files(two));
  EXPECT_EQ(results, (std::set<int32_t>{1, GR_ERROR_ARGUMENT, GR_ERROR_OPEN, GR_ERROR_FORMAT, GR_ERROR_CORRUPT,
                                         GR_ERROR_WRITE}));
  EXPECT_EQ(Gr_EncodedResult(nullptr), GR_ERROR_MEMORY);
  EXPECT_EQ(Gr_WriteEncoded(nullptr), GR_ERROR_MEMORY);
  EXPECT_EQ(Gr_EncodedCurrent(nullptr), 0);
}

TEST(TwoStepConversion, AnEncodingIsCurrentUntilItsSourceOrItsNamesChange) {
  zqtest::ScratchFolder folder("graphic");
  ASSERT_TRUE(WriteWith(WritePng, Pattern(64, 48, false), folder / "a.png"));
  const std::vector<uint8_t> other = [&] {
    EXPECT_TRUE(WriteWith(WritePng, Pattern(80, 60, false), folder / "other.png"));
    return Bytes(folder / "other.png");
  }();
  const std::vector<uint8_t> original = Bytes(folder / "a.png");

  Encoding unchanged = Encode(folder / "a.png", folder / "a.aai", 0, 0, 0, 0);
  EXPECT_EQ(Gr_EncodedCurrent(unchanged.get()), 1);
  Encoding missing = Encode(folder / "gone.png", folder / "gone.aai", 0, 0, 0, 0);
  EXPECT_EQ(Gr_EncodedResult(missing.get()), GR_ERROR_OPEN);
  EXPECT_EQ(Gr_EncodedCurrent(missing.get()), 1);  // still missing

  PutBytes(folder / "a.png", other);  // rewritten
  EXPECT_EQ(Gr_EncodedCurrent(unchanged.get()), 0);
  PutBytes(folder / "a.png", original);
  Encoding again = Encode(folder / "a.png", folder / "a.aai", 0, 0, 0, 0);
  fs::remove(folder / "a.png");  // deleted
  EXPECT_EQ(Gr_EncodedCurrent(again.get()), 0);
  PutBytes(folder / "gone.png", other);  // made where there was none
  EXPECT_EQ(Gr_EncodedCurrent(missing.get()), 0);

  // A target name that now resolves to another file: an old file of another case appears.
  PutBytes(folder / "a.png", original);
  const std::string a = WindowsView(folder / "a.png"), t = WindowsView(folder / "icon.aai");
  Encoding windows(Gr_Encode(int32_t(a.size()), a.data(), int32_t(t.size()), t.data(), 0, 0, 0, 0));
  EXPECT_EQ(Gr_EncodedCurrent(windows.get()), 1);
  std::ofstream(folder / "ICON.aai") << "old";
  EXPECT_EQ(Gr_EncodedCurrent(windows.get()), 0);
  EXPECT_EQ(Gr_WriteEncoded(windows.get()), 1);  // written as the name resolves now
  EXPECT_EQ(AaiSize(folder / "ICON.aai"), (Size{64, 48}));
  EXPECT_FALSE(fs::exists(folder / "icon.aai"));
}

}  // namespace
}  // namespace zq::gr::test
