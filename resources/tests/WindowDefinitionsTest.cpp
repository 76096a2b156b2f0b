// Every window definition built into the program: it parses, its control numbers and names
// are unique, its controls lie inside the window, and it renders offscreen (grabbed to PNG
// files for a look). The dialogs are rendered again in states of use, through the generated
// names of their controls.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "orvid/controlnumbers.h"
#include "orvid/windows.h"
#include "zqruntime/window.h"

namespace {

using zq::rt::Window;
using zq::rt::WindowDef;
namespace res = orvid::res;

WindowDef Load(std::string_view name) {
  zq::rt::ParsedDefinition p = zq::rt::ParseWindowDefinition(res::WindowText(name));
  EXPECT_TRUE(p.window) << name << " line " << p.errorLine << ": " << p.error;
  return p.window.value_or(WindowDef{});
}

std::string GrabFile(std::string_view name) {
  const char* dir = std::getenv("ZQ_GRAB_DIR");
  std::filesystem::path folder = dir ? dir : ".";
  std::filesystem::create_directories(folder);
  return (folder / (std::string(name) + ".png")).string();
}

// Opens a window offscreen, lets fill() put it into a state of use, grabs it and checks its
// size and its background.
void Render(std::string_view name, std::string_view file, const std::function<void(Window&)>& fill) {
  ASSERT_EQ(zq::ui::PresenterName(), "qt");
  WindowDef def = Load(name);
  Window w(def);
  ASSERT_TRUE(w.Open());
  fill(w);
  zq::ui::Flush();
  std::string png = GrabFile(file);
  EXPECT_TRUE(zq::ui::GrabWindow(w.Handle(), png));
  EXPECT_GT(std::filesystem::file_size(png), 0u);
  auto image = zq::ui::GrabImage(w.Handle());
  ASSERT_TRUE(image);
  // The grab is the client area, with the status bar below: the window's size less the
  // presenter's frame.
  int32_t status = def.statusZones ? 10 : 0;
  RECT size = zq::ui::DialogUnitsToPixels(def.font, RECT{0, 0, def.width, def.height + status});
  EXPECT_NEAR(image->width, size.right, 8) << name;
  EXPECT_NEAR(image->height, size.bottom, 8) << name;
  if (def.backColour != zq::ui::kDefaultColour) {
    EXPECT_EQ(image->At(1, image->height / 2) & 0xFFFFFF, def.backColour) << name;
  }
  w.Close();
}

class EveryDefinition : public testing::TestWithParam<std::string> {};

TEST_P(EveryDefinition, ParsesWithUniqueNumbersAndNames) {
  zq::rt::ParsedDefinition p = zq::rt::ParseWindowDefinition(res::WindowText(GetParam()));
  ASSERT_TRUE(p.window) << "line " << p.errorLine << ": " << p.error;
  ASSERT_FALSE(p.window->controls.empty());
  std::set<int32_t> numbers;
  std::set<std::string> names;
  for (const zq::rt::ControlDef& c : p.window->controls) {
    EXPECT_TRUE(numbers.insert(c.number).second) << c.number;
    EXPECT_FALSE(c.name.empty()) << "control " << c.number << " has no name";
    EXPECT_TRUE(names.insert(c.name).second) << c.name;
  }
}

TEST_P(EveryDefinition, ControlsLieInsideTheWindow) {
  WindowDef w = Load(GetParam());
  for (const zq::rt::ControlDef& c : w.controls) {
    EXPECT_GE(c.at.x, 0) << c.number;
    EXPECT_GE(c.at.y, 0) << c.number;
    EXPECT_LE(c.at.x + c.at.width, w.width) << c.number;
    EXPECT_LE(c.at.y + c.at.height, w.height) << c.number;
  }
}

TEST_P(EveryDefinition, RendersOffscreen) { Render(GetParam(), GetParam(), [](Window&) {}); }

std::vector<std::string> Names() {
  std::vector<std::string> out;
  for (std::string_view n : res::WindowNames()) out.emplace_back(n);
  return out;
}

INSTANTIATE_TEST_SUITE_P(Windows, EveryDefinition, testing::ValuesIn(Names()),
                         [](const testing::TestParamInfo<std::string>& i) { return i.param; });

TEST(WindowDefinitions, AreListedByName) {
  std::vector<std::string> names = Names();
  EXPECT_EQ(names, (std::vector<std::string>{"ErrorDialog", "MessageDialog", "TextBox", "MainWindow",
                                                "ExplorerWindow", "ConvertDialog", "FolderNameDialog", "DeleteDialog",
                                                "Settings", "FolderFileEditor", "LazyModeOptions", "MediaList"}));
  for (const std::string& n : names) EXPECT_FALSE(res::WindowText(n).empty()) << n;
  EXPECT_TRUE(res::WindowText("Nothing").empty());
}

TEST(WindowDefinitions, GeneratedNumbersNameTheDefinedControls) {
  WindowDef error = Load("ErrorDialog");
  EXPECT_EQ(error.Named("Message")->number, res::ErrorDialog::Message);
  EXPECT_EQ(res::ErrorDialog::Message, 14);
  EXPECT_EQ(res::ErrorDialog::IgnoreAll, 8);
  EXPECT_EQ(res::ErrorDialog::Details, 18);
  EXPECT_EQ(res::MessageDialog::Yes, 4);
  EXPECT_EQ(Load("MessageDialog").Named("Countdown")->number, res::MessageDialog::Countdown);
  EXPECT_EQ(res::TextBox::Text, 1);
}

TEST(WindowDefinitions, DialogsRenderInUse) {
  namespace E = res::ErrorDialog;
  namespace M = res::MessageDialog;
  // As ERRORMSG shows a report with button set 2.
  Render("ErrorDialog", "ErrorDialog-set2", [](Window& w) {
    w.SetText(E::Message, "Unable to open the catalog file");
    w.SetText(E::Procedure, "WRITESCRIPT");
    w.SetText(E::Errorcode, "-2");
    w.SetText(E::Details, "D:\\Films\\Catalog.txt");
    w.Hide(E::Ok, E::Skip);
    w.Hide(E::Countdown, E::Countdown);
    w.SetRect(E::Ok, {156, 112, 40, 14});
    w.SetRect(E::Cancel, {204, 112, 40, 14});
    w.Unhide(E::Ok, E::Cancel);
    w.Focus(E::Ok);
  });
  Render("MessageDialog", "MessageDialog-ok", [](Window& w) {
    w.SetText(M::Message, "The CSV file was written.");
    w.Hide(M::Ok, M::Countdown);
    w.SetRect(M::Ok, {180, 32, 40, 14});
    w.Unhide(M::Ok, M::Ok);
  });
  Render("TextBox", "TextBox-notice", [](Window& w) {
    w.SetText(res::TextBox::Text, "\r\nThe scan has finished.\r\n1,024 folders");
    w.SetStatus(1, "Esc is Einde");
  });
}

}  // namespace
