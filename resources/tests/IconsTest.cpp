// The program's icons: every picture the windows name is built in, decodes, and is found
// under each name the program gives it.
#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "orvid/icons.h"
#include "orvid/windows.h"
#include "zqplatform/uimodel.h"
#include "zqruntime/window.h"

namespace {

struct Picture {
  const char* name;
  int size;  // pixels, square
};

const Picture kPictures[] = {
    {"movieclip32", 32}, {"VistaFolder", 16}, {"VistaImage", 16}, {"VistaMovie", 16},
    {"CrossSmall", 16}, {"VistaMulImage", 16}, {"VistaAudio2", 16}, {"Star", 16},
    {"Info", 16}, {"HDD", 16}, {"CD1", 16}, {"VistaFile", 16},
    {"VistaFileOK", 16}, {"VistaFolderUp", 16},
};

TEST(Icons, EveryPictureDecodesAndAnswersToEachOfItsNames) {
  HINSTANCE instance = orvid::res::IconInstance();
  EXPECT_EQ(orvid::res::IconInstance(), instance) << "one instance";
  for (const Picture& p : kPictures) {
    SCOPED_TRACE(p.name);
    const std::string_view image = orvid::res::IconImage(p.name);
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(reinterpret_cast<const uchar*>(image.data()), static_cast<int>(image.size())));
    EXPECT_EQ(decoded.width(), p.size);
    EXPECT_EQ(decoded.height(), p.size);
    const std::string name(p.name);
    for (const std::string& alias :
         {name + ".ico", "~..\\..\\_Res\\" + name + ".ico", "__\\__\\_Res\\" + name + "_ico"}) {
      HICON icon = LoadIconA(instance, alias.c_str());
      ASSERT_NE(icon, 0u) << alias;
      EXPECT_EQ(zq::ui::IconImage(icon), image) << alias;
    }
  }
  EXPECT_EQ(zq::ui::IconImage(LoadIconA(instance, "information")), orvid::res::IconImage("Info"));
  EXPECT_EQ(LoadIconA(instance, "Nothing.ico"), 0u);
  EXPECT_TRUE(orvid::res::IconImage("Nothing").empty());
}

TEST(Icons, TheMessageDialogShowsTheInformationIcon) {
  zq::rt::SetIconInstance(orvid::res::IconInstance());
  zq::rt::Window w(orvid::res::WindowDefinition("MessageDialog"));
  ASSERT_TRUE(w.Open());
  EXPECT_EQ(zq::ui::IconImage(zq::ui::Snapshot(w.Handle())->icon), orvid::res::IconImage("Info"));
  w.Close();
  zq::rt::SetIconInstance(0);
}

}  // namespace
