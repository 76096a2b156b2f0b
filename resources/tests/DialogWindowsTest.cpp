// The program's dialog windows: their definitions against the layouts they must have, and
// their rendering (grabbed to PNG files for a look).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "orvid/windows.h"
#include "zqruntime/window.h"

namespace {

using zq::rt::DlgRect;
using zq::rt::Window;
using zq::rt::WindowDef;
using zq::ui::Kind;

WindowDef Load(std::string_view name) {
  zq::rt::ParsedDefinition p = zq::rt::ParseWindowDefinition(orvid::res::WindowText(name));
  EXPECT_TRUE(p.window) << name << " line " << p.errorLine << ": " << p.error;
  return p.window.value_or(WindowDef{});
}

std::string GrabFile(std::string_view name) {
  const char* dir = std::getenv("ZQ_GRAB_DIR");
  std::filesystem::path folder = dir ? dir : ".";
  std::filesystem::create_directories(folder);
  return (folder / (std::string(name) + ".png")).string();
}

struct Row {
  int32_t number;
  Kind kind;
  const char* text;
  DlgRect at;
};

void ExpectControls(const WindowDef& w, const std::vector<Row>& rows) {
  ASSERT_EQ(w.controls.size(), rows.size());
  for (const Row& r : rows) {
    const zq::rt::ControlDef* c = w.Control(r.number);
    ASSERT_TRUE(c) << r.number;
    EXPECT_EQ(c->kind, r.kind) << r.number;
    EXPECT_EQ(c->text, r.text) << r.number;
    EXPECT_EQ(c->at, r.at) << r.number;
  }
}

TEST(DialogWindows, ErrorDialogLayout) {
  WindowDef w = Load("ErrorDialog");
  EXPECT_EQ(w.title, "Error");
  EXPECT_EQ(w.width, 400);
  EXPECT_EQ(w.height, 132);
  EXPECT_FALSE(w.at);
  EXPECT_FALSE(w.systemMenu);
  EXPECT_TRUE(w.keys.empty());
  EXPECT_EQ(w.timer, 20);
  EXPECT_EQ(w.backColour, 0x93FFFFu);
  ExpectControls(w, {
                        {1, Kind::Button, "&OK", {28, 112, 40, 14}},
                        {2, Kind::Button, "&Cancel", {72, 112, 40, 14}},
                        {3, Kind::Button, "&Yes", {116, 112, 40, 14}},
                        {4, Kind::Button, "&No", {160, 112, 40, 14}},
                        {5, Kind::Button, "&Abort", {204, 112, 40, 14}},
                        {6, Kind::Button, "&Retry", {248, 112, 40, 14}},
                        {7, Kind::Button, "&Ignore", {292, 112, 40, 14}},
                        {8, Kind::Button, "Ignore &All", {362, 112, 40, 14}},
                        {9, Kind::Button, "&Skip", {336, 112, 40, 14}},
                        {10, Kind::Text, "Procedure", {43, 44, 64, 12}},
                        {11, Kind::Text, "", {4, 60, 148, 16}},
                        {12, Kind::Text, "ERROR", {169, 0, 61, 17}},
                        {13, Kind::Region, "", {4, 16, 392, 24}},
                        {14, Kind::Text, "", {8, 20, 385, 16}},
                        {15, Kind::Text, "Errorcode", {299, 44, 55, 12}},
                        {16, Kind::Text, "", {248, 60, 148, 16}},
                        {17, Kind::Text, "", {177, 114, 45, 13}},
                        {18, Kind::Edit, "", {4, 92, 392, 16}},
                    });
  EXPECT_TRUE(w.Control(1)->isDefault);
  EXPECT_EQ(w.Control(12)->font->weight, 700);
  EXPECT_EQ(w.Control(14)->textColour, 0x0000FFu);
  for (int32_t n : {11, 14, 16, 18}) EXPECT_TRUE(w.Control(n)->skip && w.Control(n)->readOnly) << n;
}

TEST(DialogWindows, MessageDialogAndTextBoxLayouts) {
  WindowDef m = Load("MessageDialog");
  EXPECT_EQ(m.title, "Message");
  EXPECT_EQ(m.width, 400);
  EXPECT_EQ(m.height, 54);
  EXPECT_EQ(m.keys, (std::vector<uint32_t>{0x1B, 0x473}));
  ExpectControls(m, {
                        {1, Kind::Text, "", {2, 8, 396, 14}},
                        {2, Kind::Button, "&OK", {28, 32, 40, 14}},
                        {3, Kind::Button, "&Cancel", {72, 32, 40, 14}},
                        {4, Kind::Button, "&Ja", {116, 32, 40, 14}},
                        {5, Kind::Button, "&Nee", {160, 32, 40, 14}},
                        {6, Kind::Button, "&Abort", {204, 32, 40, 14}},
                        {7, Kind::Button, "&Retry", {248, 32, 40, 14}},
                        {8, Kind::Button, "&Ignore", {292, 32, 40, 14}},
                        {9, Kind::Button, "&Skip", {336, 32, 40, 14}},
                        {10, Kind::Text, "", {177, 32, 45, 13}},
                    });
  WindowDef t = Load("TextBox");
  EXPECT_EQ(t.width, 200);
  EXPECT_EQ(t.height, 95);
  EXPECT_TRUE(t.resizable);
  EXPECT_EQ(t.statusZones, 1);
  EXPECT_EQ(t.font.face, "Arial");
  ExpectControls(t, {{1, Kind::Edit, "", {8, 8, 184, 78}}});
  EXPECT_TRUE(t.Control(1)->multiLine && t.Control(1)->readOnly && t.Control(1)->vscroll);
}

// Opens a dialog offscreen, lets fill() put it into a state of use, grabs it and checks its
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
  EXPECT_NEAR(image->width, size.right, 8);
  EXPECT_NEAR(image->height, size.bottom, 8);
  EXPECT_EQ(image->At(1, image->height / 2) & 0xFFFFFF, def.backColour) << name;
  w.Close();
}

TEST(DialogWindows, RenderOffscreen) {
  Render("ErrorDialog", "ErrorDialog", [](Window&) {});
  // As ERRORMSG shows a report with button set 2.
  Render("ErrorDialog", "ErrorDialog-set2", [](Window& w) {
    w.SetText(14, "Unable to open the catalog file");
    w.SetText(11, "WRITESCRIPT");
    w.SetText(16, "-2");
    w.SetText(18, "D:\\Films\\Catalog.txt");
    w.Hide(1, 9);
    w.Hide(17, 17);
    w.SetRect(1, {156, 112, 40, 14});
    w.SetRect(2, {204, 112, 40, 14});
    w.Unhide(1, 2);
    w.Focus(1);
  });
  Render("MessageDialog", "MessageDialog", [](Window& w) {
    w.SetText(1, "The CSV file was written.");
    w.Hide(2, 10);
    w.SetRect(2, {180, 32, 40, 14});
    w.Unhide(2, 2);
  });
  Render("TextBox", "TextBox", [](Window& w) {
    w.SetText(1, "\r\nThe scan has finished.\r\n1,024 folders");
    w.SetStatus(1, "Esc is Einde");
  });
}

}  // namespace
