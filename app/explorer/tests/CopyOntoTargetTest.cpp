// F5 onto a picture that stands in the other panel's folder already: the copy takes the name's
// place whole, whatever stands there, and a copy that fails leaves the old picture as it was.
#include "ExplorerFixture.h"
#include "zqtest/LinksAtAName.h"
#include "zqtest/SmallVolume.h"
#include "zqtest/TreeContents.h"

namespace {

namespace fs = std::filesystem;
using zqtest::Tree;

class CopyOntoTarget : public ExplorerFixture {
 protected:
  void F5On(const std::string& name, const std::string& ext) {
    Choose(ew::LeftPanel, RowOf(Left().Entries(), name, ext));
    Press(ew::LeftPanel, "F5");
    Sync();
  }

  zqtest::ScratchFolder outside_{"orvid-outside"};
};

TEST_F(CopyOntoTarget, F5ReplacesTheNameAndWhatALinkThereLeadsToKeepsItsBytes) {
  zqtest::FillOutside(outside_.path());
  const fs::path target = OnDisk("Films/Alien (1979)/folder.jpg");
  fs::remove(target);
  WriteSettings("T:\\Pictures\\", "T:\\Films\\Alien (1979)\\");
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    // The tree as a copy onto a plain name leaves it.
    F5On("sunset", "jpg");
    const auto copied = Tree(Disk());
    for (const zqtest::AtName kind : zqtest::kLinksAtAName) {
      SCOPED_TRACE(zqtest::NameOf(kind));
      fs::remove(target);
      zqtest::PlaceAt(kind, target, outside_.path());
      const auto outside = Tree(outside_.path());
      F5On("sunset", "jpg");
      EXPECT_EQ(Tree(outside_.path()), outside);
      EXPECT_TRUE(zqtest::PlainFileAt(target));
      EXPECT_EQ(Tree(Disk()), copied);
    }
    EXPECT_EQ(Errors(), std::vector<std::string>{});
  });
}

TEST_F(CopyOntoTarget, AFailedF5OnAFullDiskLeavesTheOldTargetByteForByteAndNoPartialFile) {
  zqtest::SmallVolume volume("64k");
  if (!volume.mounted()) GTEST_SKIP() << "mounting a small volume needs mount rights";
  const fs::path film = fs::path(volume.folder()) / "Film";
  fs::create_directories(film);
  std::ofstream(film / "folder.jpg", std::ios::binary) << std::string(900, 'j');
  // The volume nearly full: less room left than the picture to copy needs.
  std::ofstream(fs::path(volume.folder()) / "filler.bin", std::ios::binary)
      << std::string(fs::space(volume.folder()).available - 8192, 'f');
  ASSERT_GT(fs::file_size(OnDisk("Pictures/sunset.jpg")), fs::space(volume.folder()).available);
  zqtest::DriveMap drives("T=" + Disk().string() + ";V=" + volume.folder());
  WriteSettings("T:\\Pictures\\", "V:\\Film\\");
  const auto disk = Tree(Disk());
  const auto onVolume = Tree(volume.folder());
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    F5On("sunset", "jpg");
    EXPECT_TRUE(orvid::test::WaitFor([&] { return Errors() == std::vector<std::string>{"Error Copying."}; }));
    EXPECT_EQ(Tree(volume.folder()), onVolume);
  });
  EXPECT_EQ(Tree(volume.folder()), onVolume);
  EXPECT_EQ(Tree(Disk()), disk);
}

}  // namespace
