// GRCONVERT and GRFILETYPE: the image library's conversion and file-type calls, unchanged.
#include "ZQ_Graphic.h"
#include "hostlib/Picture.h"
#include "wrappers/HostArgs.h"

using hostlib::detail::Len;
using hostlib::detail::Ptr;

int32_t GRCONVERT(std::string_view source, std::string_view target, uint8_t resizeMode, int32_t width,
                  int32_t height, uint8_t filter) {
  return Gr_Convert(Len(source), Ptr(source), Len(target), Ptr(target), resizeMode, width, height, filter);
}

int32_t GRFILETYPE(std::string_view name) { return Gr_FileType(Len(name), Ptr(name)); }
