// The pictures linked into the program: its icons, PNG images of the project's own making.
#pragma once
#include <string_view>

#include "zqplatform/ui.h"

namespace orvid::res {

// The image of a picture by its file name without extension ("VistaFolder"); empty for an
// unknown name.
std::string_view IconImage(std::string_view name);

// The program's resources: every picture under the names the program gives it, its file name
// ("VistaFolder.ico"), the linked form "~..\..\_Res\VistaFolder.ico" and the resource form
// "__\__\_Res\VistaFolder_ico"; "Info" also stands for the system information icon
// ("information"). Made on first use.
HINSTANCE IconInstance();

}  // namespace orvid::res
