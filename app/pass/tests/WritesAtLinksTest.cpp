// Every file the pass and the catalogs write or copy into the user's tree takes its name's
// place whole: a link standing at the name is replaced as a link, a hard link's other name
// keeps its bytes, and the tree comes out as where no link stood. Each writer against each
// kind of link, the outside tree checksummed before and after.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "DialogAnswers.h"
#include "PassFixture.h"
#include "app/Catalogs.h"
#include "zqtest/LinksAtAName.h"

namespace {

using orvid::test::DialogWatcher;
using zqtest::AtName;
using zqtest::media_tree_detail::Put;

class WritesAtLinks;

struct Writer {
  const char* name;
  const char* target;  // below the root
  std::function<void(WritesAtLinks&)> options;
  std::function<void(WritesAtLinks&)> job;
};

class WritesAtLinks : public PassFixture, public ::testing::WithParamInterface<std::tuple<size_t, AtName>> {
 public:
  // A film folder with its cover picture, under the root's folder of films.
  void BuildSmallTree() {
    Put(Root() / "Films/Alien/Alien.mkv", 10);
    fs::copy_file(Pictures().cover, Root() / "Films/Alien/folder.jpg");
  }

  // The scan and the pass as the main window runs them.
  void ScanAndPass() {
    Scan();
    Pass();
  }

  // The catalog's own folder, standing already, made by the catalog builder.
  void MakeCatalogFolder() {
    Scan();
    MAKEROOTDIR("T:\\_CatVideo\\", CatalogKind::Video, TAKEPASSSETTINGS(QDIR));
  }

  // Every layout row asks for the default covers, over a folder's own icon too.
  static void ReplaceAllIcons() {
    for (uint32_t level = 1; level <= QSCRIPT.Records(); ++level) {
      ASSERT_TRUE(QSCRIPT.Get(level));
      QSCRIPTF.AUTOICON.Set(QSCRIPT.Buffer(), "ALL");
      ASSERT_TRUE(QSCRIPT.Put());
    }
  }

  // The settings and the tree anew, with what stands at the writer's name.
  void Prepare(const Writer& w, const std::function<void(const fs::path&)>& place) {
    TearDown();
    for (const auto& e : fs::directory_iterator(Root())) fs::remove_all(e.path());
    SetUp();
    DELSCRIPT = 0;  // the folder file is written over, not deleted first
    RMC = 0;
    w.options(*this);
    BuildSmallTree();
    place(Root() / w.target);
  }

  zqtest::ScratchFolder outside_{"orvid-outside"};
};

const Writer kWriters[] = {
    {"ThePassFoldersFile", "Films/Alien/dune_folder.txt", [](WritesAtLinks&) {},
     [](WritesAtLinks& t) { t.ScanAndPass(); }},
    {"ReplaceIconsDefaultCover", "Films/Alien/folder.aai",
     [](WritesAtLinks&) {
       RMC = 1;
       DOICCONV = 0;
       WritesAtLinks::ReplaceAllIcons();
     },
     [](WritesAtLinks& t) { t.ScanAndPass(); }},
    {"TheCoverConversion", "Films/Alien/folder.aai", [](WritesAtLinks&) {},
     [](WritesAtLinks& t) { t.ScanAndPass(); }},
    {"ACatalogsFolderFile", "_CatVideo/dune_folder.txt", [](WritesAtLinks&) {},
     [](WritesAtLinks& t) { t.MakeCatalogFolder(); }},
    {"ACatalogPicture", "_CatVideo/.Main.aai", [](WritesAtLinks&) {}, [](WritesAtLinks& t) { t.MakeCatalogFolder(); }},
};

TEST_P(WritesAtLinks, TheNameIsReplacedAndNothingOutsideTheTreeChanges) {
  const auto& [index, kind] = GetParam();
  const Writer& w = kWriters[index];
  zqtest::FillOutside(outside_.path());

  // The twin: a plain file, or nothing, where the link will stand.
  Prepare(w, [&](const fs::path& target) { zqtest::PlaceTwin(kind, target); });
  std::vector<std::string> twinErrors;
  {
    DialogWatcher answers;
    w.job(*this);
    twinErrors = answers.Errors();
  }
  const auto twin = Tree(Root());
  ASSERT_TRUE(fs::is_regular_file(Root() / w.target)) << "the job writes that name";

  Prepare(w, [&](const fs::path& target) { zqtest::PlaceAt(kind, target, outside_.path()); });
  const auto outside = Tree(outside_.path());
  DialogWatcher answers;
  w.job(*this);
  EXPECT_EQ(answers.Errors(), twinErrors);
  EXPECT_EQ(Tree(outside_.path()), outside);
  EXPECT_TRUE(zqtest::PlainFileAt(Root() / w.target));
  EXPECT_EQ(Tree(Root()), twin);
}

INSTANTIATE_TEST_SUITE_P(EachWriterAtEachLink, WritesAtLinks,
                         ::testing::Combine(::testing::Range<size_t>(0, std::size(kWriters)),
                                            ::testing::ValuesIn(zqtest::kLinksAtAName)),
                         [](const auto& info) {
                           return std::string(kWriters[std::get<0>(info.param)].name) + "_" +
                                  zqtest::NameOf(std::get<1>(info.param));
                         });

}  // namespace
