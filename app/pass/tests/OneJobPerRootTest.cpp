// One job per root: a pass on a root that another process holds changes nothing, and a pass
// whose catalog could not be built to its end leaves the catalog's error on the status line,
// never "Ready.".
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "DialogAnswers.h"
#include "PassFixture.h"
#include "zqplatform/folderlock.h"
#include "zqtest/HoldingProcess.h"

namespace {

using orvid::test::DialogWatcher;
using Strings = std::vector<std::string>;

bool Ended(const std::vector<uint32_t>& events) {
  return std::find(events.begin(), events.end(), static_cast<uint32_t>(kPassEnded)) != events.end();
}

class OneJobPerRoot : public PassFixture {};

TEST_F(OneJobPerRoot, APassOnARootAnotherProcessHoldsIsRefusedBeforeItChangesAnythingAndRunsOnceItIsFree) {
  BuildTree();
  Scan();
  const auto before = Tree(Root());
  {
    const std::string root = Root().string();
    zqtest::HoldingProcess other([&root] {
      static std::unique_ptr<zq::fs::FolderLock> held;
      held = zq::fs::FolderLock::Take(root.c_str());
      return held != nullptr;
    });
    ASSERT_TRUE(other.holding());
    DialogWatcher answers;
    EXPECT_TRUE(Ended(Pass()));
    EXPECT_EQ(answers.Errors(), Strings{"Another Job is Running on this Root."});
    EXPECT_EQ(answers.Seen().at(0).details, "T:\\");
    EXPECT_EQ(STATUSNOW().PROCSTAT, "Another Job is Running on this Root.");
    EXPECT_EQ(Tree(Root()), before);
  }
  DialogWatcher answers;
  Pass();
  EXPECT_EQ(answers.Errors(), Strings{});
  EXPECT_EQ(STATUSNOW().PROCSTAT, "Ready.");
  EXPECT_NE(Tree(Root()), before);
  EXPECT_NE(zq::fs::FolderLock::Take("T:\\"), nullptr) << "the pass let go of its root";
}

struct BrokenCatalog {
  const char* name;
  std::function<void(const fs::path& root, const fs::path& home)> breakIt;
};
void PrintTo(const BrokenCatalog& c, std::ostream* os) { *os << c.name; }

// A copy of the program's index pictures without the one of "A".
void CharsWithoutA(const fs::path& home) {
  const fs::path chars = home / "Chars";
  const fs::path shared = fs::read_symlink(chars);
  fs::remove(chars);
  fs::copy(shared, chars);
  fs::remove(chars / ".A.aai");
}

const BrokenCatalog kBrokenCatalogs[] = {
    {"CatalogFolderIsAFile",
     [](const fs::path& root, const fs::path&) {
       fs::remove_all(root / "_CatVideo");
       std::ofstream(root / "_CatVideo") << "a file";
     }},
    {"IndexPictureMissing", [](const fs::path&, const fs::path& home) { CharsWithoutA(home); }},
};

class CatalogNotBuilt : public OneJobPerRoot, public ::testing::WithParamInterface<BrokenCatalog> {};

TEST_P(CatalogNotBuilt, EndsThePassOnTheCatalogsErrorNotReady) {
  BuildTree();
  GetParam().breakIt(Root(), home_.path());
  Scan();
  DialogWatcher answers;
  EXPECT_TRUE(Ended(Pass()));
  const Strings errors = answers.Errors();
  ASSERT_FALSE(errors.empty());
  EXPECT_NE(STATUSNOW().PROCSTAT, "Ready.");
  EXPECT_EQ(STATUSNOW().PROCSTAT, errors.back());
}

INSTANTIATE_TEST_SUITE_P(EachFault, CatalogNotBuilt, ::testing::ValuesIn(kBrokenCatalogs),
                         [](const ::testing::TestParamInfo<BrokenCatalog>& info) { return std::string(info.param.name); });

}  // namespace
