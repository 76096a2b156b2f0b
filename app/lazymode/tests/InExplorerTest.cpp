// Lazy mode in the running explorer beside the main window: the lazy button with its options,
// Right and Left in the panels, the button's texts.
#include "../../explorer/tests/ExplorerFixture.h"

#include "app/LazyMode.h"
#include "app/Scan.h"
#include "hostlib/Procedures.h"

namespace {

namespace lm = orvid::res::LazyModeOptions;
using orvid::test::WaitFor;

class InExplorer : public ExplorerFixture {};

TEST_F(InExplorer, TheLazyButtonStartsStepsAndStopsLazyMode) {
  WriteSettings("T:\\Pictures\\", "T:\\Films\\");
  RunWithMain([&] {
    ST.Change([&](SETTINGSGROUP& st) { st.ACR.NAME = "folder"; });
    SCANDIR(QDIR, "T:\\", 0);
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    zq::ui::input::AnswerQuestion(zq::ui::Answer::Pressed(lm::OkButton));
    zq::ui::input::Click(Control(ew::LazyButton));
    ASSERT_TRUE(WaitFor([&] { return Text(ew::LazyButton) == "Stop" && Ex().LAZYMODE == 1; }));
    Sync();
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

}  // namespace
