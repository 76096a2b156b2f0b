// Conversions write a temporary file beside the target and rename it into place: the same file
// as source and target, two threads converting to one target, refused targets.
#include <gtest/gtest.h>

#include <thread>

#include "GraphicTestKit.h"
#include "zqtest/ScratchFolder.h"

namespace zq::gr::test {
namespace {

namespace fs = std::filesystem;

std::size_t EntriesIn(const fs::path& folder) {
  return std::size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(SafeWriting, SourceAndTargetMayBeOneFile) {
  zqtest::ScratchFolder folder("graphic");
  ASSERT_TRUE(WriteWith(WriteAai, Pattern(400, 300, true), folder / "cover.aai"));
  EXPECT_EQ(Convert(folder / "cover.aai", folder / "cover.aai", 7, 200, 200), 1);
  EXPECT_EQ(AaiSize(folder / "cover.aai"), (Size{200, 150}));
  ASSERT_TRUE(WriteWith(WritePng, Pattern(400, 300, false), folder / "cover.png"));
  EXPECT_EQ(Convert(folder / "cover.png", folder / "COVER.png", 3, 100, 100), 1);  // the same file, found case-blind
  auto seen = ReadByImageMagick(folder / "cover.png");
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->width, 100);
  EXPECT_EQ(EntriesIn(folder.path()), 2u + 2u);  // and ImageMagick's two outputs
}

TEST(SafeWriting, TwoThreadsConvertingToOneTargetEachLeaveACompleteFile) {
  zqtest::ScratchFolder folder("graphic");
  ASSERT_TRUE(WriteWith(WritePng, Pattern(300, 200, false), folder / "a.png"));
  ASSERT_TRUE(WriteWith(WriteJpeg, Pattern(500, 500, false), folder / "b.jpg"));
  auto worker = [&](const char* source, Size size, std::atomic<int>& failures) {
    for (int i = 0; i < 25; ++i) {
      if (Convert(folder / source, folder / "shared.aai", 3, size.width, size.height) != 1) ++failures;
      const std::vector<uint8_t> bytes = Bytes(folder / "shared.aai");  // one reading of one file
      const std::size_t width = bytes.size() >= 8 ? bytes[0] : 0, height = bytes.size() >= 8 ? bytes[4] : 0;
      if (bytes.size() != 8 + width * height * 4 || !(width == 120 || width == 90)) ++failures;
    }
  };
  std::atomic<int> failures{0};
  std::thread one(worker, "a.png", Size{120, 80}, std::ref(failures));
  std::thread two(worker, "b.jpg", Size{90, 90}, std::ref(failures));
  one.join();
  two.join();
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(EntriesIn(folder.path()), 3u);  // no temporary file left behind
}

TEST(SafeWriting, RefusedTargetsFailWithTheWriteCodeAndStayAsTheyWere) {
  zqtest::ScratchFolder folder("graphic");
  ASSERT_TRUE(WriteWith(WritePng, Pattern(30, 20, false), folder / "a.png"));
  EXPECT_EQ(Convert(folder / "a.png", folder / "missing" / "a.aai", 0, 0, 0), GR_ERROR_WRITE);
  ASSERT_EQ(Convert(folder / "a.png", folder / "locked.aai", 3, 10, 10), 1);
  fs::permissions(folder / "locked.aai", fs::perms::owner_read | fs::perms::group_read);
  EXPECT_EQ(Convert(folder / "a.png", folder / "locked.aai", 0, 0, 0), GR_ERROR_WRITE);
  EXPECT_EQ(AaiSize(folder / "locked.aai"), (Size{10, 10}));
  fs::create_directory(folder / "dir.aai");
  EXPECT_EQ(Convert(folder / "a.png", folder / "dir.aai", 0, 0, 0), GR_ERROR_WRITE);
  EXPECT_EQ(Convert(folder / "a.png", folder / "a.gif", 0, 0, 0), GR_ERROR_FORMAT);
  EXPECT_EQ(Gr_Convert(0, nullptr, 5, "x.aai", 0, 0, 0, 0), GR_ERROR_ARGUMENT);
}

TEST(SafeWriting, AReplacedFileKeepsItsPermissionBitsAndALinkIsReplacedAsALink) {
  zqtest::ScratchFolder folder("graphic");
  ASSERT_TRUE(WriteWith(WritePng, Pattern(30, 20, false), folder / "a.png"));
  ASSERT_EQ(Convert(folder / "a.png", folder / "kept.aai", 3, 10, 10), 1);
  const fs::perms bits = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(folder / "kept.aai", bits);
  EXPECT_EQ(Convert(folder / "a.png", folder / "kept.aai", 0, 0, 0), 1);
  EXPECT_EQ(AaiSize(folder / "kept.aai"), (Size{30, 20}));
  EXPECT_EQ(fs::status(folder / "kept.aai").permissions(), bits);
  // Links to a folder and to a read-only file: the link goes, what it leads to stays.
  fs::create_directory(folder / "dir");
  fs::permissions(folder / "kept.aai", fs::perms::owner_read);
  fs::create_directory_symlink(folder / "dir", folder / "to-folder.aai");
  fs::create_symlink(folder / "kept.aai", folder / "to-locked.aai");
  for (const char* link : {"to-folder.aai", "to-locked.aai"}) {
    EXPECT_EQ(Convert(folder / "a.png", folder / link, 0, 0, 0), 1) << link;
    EXPECT_FALSE(fs::is_symlink(folder / link)) << link;
    EXPECT_EQ(AaiSize(folder / link), (Size{30, 20})) << link;
  }
  EXPECT_TRUE(fs::is_empty(folder / "dir"));
  EXPECT_EQ(AaiSize(folder / "kept.aai"), (Size{30, 20}));
  EXPECT_EQ(fs::status(folder / "kept.aai").permissions(), fs::perms::owner_read);
  EXPECT_EQ(EntriesIn(folder.path()), 5u);  // no temporary file left behind
}

TEST(SafeWriting, NamesInTheWindowsViewResolve) {
  zqtest::ScratchFolder folder("graphic");
  ASSERT_TRUE(WriteWith(WritePng, Pattern(30, 20, false), folder / "a.png"));
  std::string source = "C:" + (folder / "A.PNG").string(), target = "C:" + (folder / "b.aai").string();
  std::replace(source.begin(), source.end(), '/', '\\');
  std::replace(target.begin(), target.end(), '/', '\\');
  EXPECT_EQ(Gr_Convert(int32_t(source.size()), source.data(), int32_t(target.size()), target.data(), 0, 0, 0, 0), 1);
  EXPECT_EQ(AaiSize(folder / "b.aai"), (Size{30, 20}));
}

}  // namespace
}  // namespace zq::gr::test
