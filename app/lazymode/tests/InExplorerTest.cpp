// Lazy mode in the running explorer beside the main window: the lazy button with its options,
// Right and Left in the panels, the button's texts.
#include "../../explorer/tests/ExplorerFixture.h"

#include "app/LazyMode.h"
#include "app/Scan.h"
#include "hostlib/Procedures.h"
#include "zqtest/LinksAtAName.h"
#include "zqtest/TreeContents.h"

namespace {

namespace fs = std::filesystem;
namespace lm = orvid::res::LazyModeOptions;
using orvid::test::WaitFor;

class InExplorer : public ExplorerFixture {
 protected:
  // On the main window's thread: the disk scanned with covers named "folder", the explorer
  // open, and lazy mode started through its options (OK).
  void StartLazyMode() {
    ST.Change([&](SETTINGSGROUP& st) { st.ACR.NAME = "folder"; });
    SCANDIR(QDIR, "T:\\", 0);
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    zq::ui::input::AnswerQuestion(zq::ui::Answer::Pressed(lm::OkButton));
    zq::ui::input::Click(Control(ew::LazyButton));
    ASSERT_TRUE(WaitFor([&] { return Ex().LAZYMODE == 1; }));
    Sync();
  }
};

TEST_F(InExplorer, TheLazyButtonStartsStepsAndStopsLazyMode) {
  WriteSettings("T:\\Pictures\\", "T:\\Films\\");
  RunWithMain([&] {
    StartLazyMode();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(WaitFor([&] { return Text(ew::LazyButton) == "Stop"; }));
    ASSERT_GT(QD.Records(), 2u);
    const std::string first = CHECKPATH(QDF.DIRNAME(*QD.Peek(1)));
    EXPECT_EQ(RPPATH.Get(), first);
    EXPECT_EQ(Text(ew::RightPath), first);
    Press(ew::LeftPanel, "Right");
    Sync();
    const std::string second = CHECKPATH(QDF.DIRNAME(*QD.Peek(2)));
    EXPECT_EQ(RPPATH.Get(), second);
    EXPECT_EQ(Text(ew::RightPath), second);
    Press(ew::LeftPanel, "Left");
    Sync();
    EXPECT_EQ(RPPATH.Get(), first);
    EXPECT_TRUE(orvid::test::Grabbed(explorer_, "Explorer-lazy"));
    zq::ui::input::Click(Control(ew::LazyButton));
    ASSERT_TRUE(WaitFor([&] { return Text(ew::LazyButton) == "Semi-Auto" && Ex().LAZYMODE == 0; }));
    Press(ew::LeftPanel, "Right");  // does nothing now
    Sync();
    EXPECT_EQ(RPPATH.Get(), first);
    Press(ew::LeftPanel, "F10");
    EXPECT_TRUE(WaitFor([] { return !EXPRUNNING; }));
  });
}

// F5 in lazy mode puts the chosen picture into the folder on the right under the cover's name,
// which takes that name's place whole: a link there is replaced as a link and what it leads
// to keeps its bytes.
TEST_F(InExplorer, ACopyInLazyModeReplacesALinkAtTheCoversNameAsALink) {
  zqtest::ScratchFolder outside("orvid-outside");
  zqtest::FillOutside(outside.path());
  WriteSettings("T:\\Pictures\\", "T:\\Films\\");
  RunWithMain([&] {
    StartLazyMode();
    if (HasFatalFailure()) return;
    DWORD error = 0;
    const fs::path target = fs::path(zq::fs::ResolvePath(RPPATH.Get(), &error)) / "folder.jpg";
    ASSERT_EQ(error, 0u) << RPPATH.Get();
    const uint32_t sunset = RowOf(Left().Entries(), "sunset", "jpg");
    ASSERT_NE(sunset, 0u);
    // The tree as a copy onto a plain name leaves it.
    fs::remove(target);
    Choose(ew::LeftPanel, sunset);
    Press(ew::LeftPanel, "F5");
    Sync();
    const auto copied = zqtest::Tree(Disk());
    for (const zqtest::AtName kind : zqtest::kLinksAtAName) {
      SCOPED_TRACE(zqtest::NameOf(kind));
      fs::remove(target);
      zqtest::PlaceAt(kind, target, outside.path());
      const auto before = zqtest::Tree(outside.path());
      Choose(ew::LeftPanel, sunset);
      Press(ew::LeftPanel, "F5");
      Sync();
      EXPECT_EQ(zqtest::Tree(outside.path()), before);
      EXPECT_TRUE(zqtest::PlainFileAt(target));
      EXPECT_EQ(zqtest::Tree(Disk()), copied);
    }
    EXPECT_EQ(Ex().LAZYMODE, 1);
    EXPECT_EQ(Errors(), std::vector<std::string>{});
  });
}

}  // namespace
