// The program's module over the image library ZQ_Graphic: the picture object PICTURE, which
// loads picture files into one image control of one window, fitted to a size, and describes
// the picture loaded; GRCONVERT and GRFILETYPE, which hand their arguments to the library
// unchanged and return its result.
//
// Resize mode: 0 none, 1 bigger, 2 smaller, 3 both, plus 4 to keep the aspect ratio. Filter:
// 0 bilinear, 1 fast, 2 bicubic.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace zq::rt {
class Window;
}

class PICTURE {
 public:
  int32_t INTERROR = 0;             // the create's failure or the destroy's result; else 0
  int32_t GRHANDLE = 0;             // the image object, 0 when none
  uint8_t INITDONE = 0;             // 1 once bound to a window's image control
  zq::rt::Window* MAINWIN = nullptr;  // the window that holds the image control
  int32_t IMAGECTRL = 0;            // the image control's number there

  PICTURE() { CONSTRUCT(); }
  ~PICTURE() { DESTRUCT(); }
  PICTURE(const PICTURE&) = delete;
  PICTURE& operator=(const PICTURE&) = delete;

  // A new image object; when the library cannot make one, the message box "Critical System
  // Error Creating ZQImage Object." and its result in INTERROR, GRHANDLE 0.
  void CONSTRUCT();
  void DESTRUCT();
  // Binds the object to the image control of the window (again on each call); 0.
  int32_t INIT(zq::rt::Window& window, uint32_t imageControl);
  // Loads the file into the bound control: width or height -1 is the control's own size (the
  // control of that number in the calling thread's current window). -1 when resizing is asked
  // for a side below 20 pixels, before INIT, or when the library cannot load the file (the
  // control then keeps its picture); else the library's result.
  int32_t LOAD(std::string_view file, uint8_t resizeMode, int32_t width, int32_t height, uint8_t stripAlpha,
               uint8_t extra);
  // "width x height - bits Bpp - Alpha = alpha" of the picture loaded, blank-padded to 50
  // characters; all blanks when the library has no picture.
  std::string GETINFO();
};

// Gr_Convert's result: greater than 0 on success, 0 or less is the failure's code.
int32_t GRCONVERT(std::string_view source, std::string_view target, uint8_t resizeMode, int32_t width,
                  int32_t height, uint8_t filter);
// Gr_FileType's result: greater than 0 for an extension (without the dot) of a picture type.
int32_t GRFILETYPE(std::string_view name);

namespace hostlib {

// Replaces the image library's create call (tests make it fail); null: the library's own again.
using GraphicCreate = int32_t (*)();
void SetGraphicCreate(GraphicCreate create);

}  // namespace hostlib
