// The program's icons as resources of one instance, under every name the program uses.
#include <string>

#include "orvid/icons.h"
#include "zqplatform/uimodel.h"

namespace orvid::res {

namespace {

constexpr std::string_view kPictures[] = {
    "movieclip32", "VistaFolder", "VistaImage", "VistaMovie", "CrossSmall",
    "VistaMulImage", "VistaAudio2", "Star", "Info", "HDD",
    "CD1", "VistaFile", "VistaFileOK", "VistaFolderUp",
};

HINSTANCE MakeInstance() {
  HINSTANCE instance = zq::ui::CreateInstance();
  for (std::string_view picture : kPictures) {
    const std::string name(picture);
    const std::string image(IconImage(picture));
    for (const std::string& alias :
         {name + ".ico", "~..\\..\\_Res\\" + name + ".ico", "__\\__\\_Res\\" + name + "_ico"}) {
      zq::ui::AddIconResource(instance, alias, image);
    }
  }
  zq::ui::AddIconResource(instance, "information", std::string(IconImage("Info")));
  return instance;
}

}  // namespace

HINSTANCE IconInstance() {
  static const HINSTANCE instance = MakeInstance();
  return instance;
}

}  // namespace orvid::res
