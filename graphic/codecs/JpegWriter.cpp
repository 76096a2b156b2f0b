// JPEG through libjpeg-turbo, quality 90, from the B, G, R, A rows (alpha dropped).
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "codecs/Codecs.h"

namespace zq::gr {
namespace {

constexpr int kQuality = 90;

struct ErrorTrap {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

struct Session {
  jpeg_compress_struct cinfo{};
  ErrorTrap trap{};
  Session() {
    cinfo.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = [](j_common_ptr c) { std::longjmp(reinterpret_cast<ErrorTrap*>(c->err)->jump, 1); };
    trap.manager.output_message = [](j_common_ptr) {};
    jpeg_create_compress(&cinfo);
  }
  ~Session() { jpeg_destroy_compress(&cinfo); }
};

bool Encode(Session& s, const Image& image, std::FILE* file) {
  jpeg_compress_struct& cinfo = s.cinfo;
  if (setjmp(s.trap.jump)) return false;
  jpeg_stdio_dest(&cinfo, file);
  cinfo.image_width = static_cast<JDIMENSION>(image.width);
  cinfo.image_height = static_cast<JDIMENSION>(image.height);
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_EXT_BGRA;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, kQuality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<uint8_t*>(image.Row(static_cast<int32_t>(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  return std::ferror(file) == 0;
}

}  // namespace

bool WriteJpeg(const Image& image, std::FILE* file) {
  Session session;
  return Encode(session, image, file);
}

}  // namespace zq::gr
