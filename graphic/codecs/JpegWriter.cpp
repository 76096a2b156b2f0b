// JPEG through libjpeg-turbo, quality 90, from the B, G, R, A rows (alpha dropped), into memory.
#include <csetjmp>
#include <cstdio>
#include <new>

#include <jpeglib.h>
#include <jerror.h>

#include "codecs/Codecs.h"

namespace zq::gr {
namespace {

constexpr int kQuality = 90;
constexpr std::size_t kFirstBuffer = 64 * 1024;

struct ErrorTrap {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

// A destination that grows a byte vector; a failed growth ends the encoding as libjpeg's own
// out-of-memory error does.
struct Destination {
  jpeg_destination_mgr manager{};
  Bytes* out = nullptr;
};

bool Grow(j_compress_ptr cinfo, std::size_t size) {
  auto* d = reinterpret_cast<Destination*>(cinfo->dest);
  const std::size_t used = d->out->size();
  try {
    d->out->resize(size);
  } catch (const std::bad_alloc&) {
    return false;
  }
  d->manager.next_output_byte = d->out->data() + used;
  d->manager.free_in_buffer = size - used;
  return true;
}

void Start(j_compress_ptr cinfo) {
  reinterpret_cast<Destination*>(cinfo->dest)->out->clear();
  if (!Grow(cinfo, kFirstBuffer)) ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
}

boolean Full(j_compress_ptr cinfo) {
  auto* d = reinterpret_cast<Destination*>(cinfo->dest);
  if (!Grow(cinfo, d->out->size() * 2)) ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
  return TRUE;
}

void Finish(j_compress_ptr cinfo) {
  auto* d = reinterpret_cast<Destination*>(cinfo->dest);
  d->out->resize(d->out->size() - d->manager.free_in_buffer);
}

struct Session {
  jpeg_compress_struct cinfo{};
  ErrorTrap trap{};
  Destination destination{};
  Session() {
    cinfo.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = [](j_common_ptr c) { std::longjmp(reinterpret_cast<ErrorTrap*>(c->err)->jump, 1); };
    trap.manager.output_message = [](j_common_ptr) {};
    jpeg_create_compress(&cinfo);
    destination.manager.init_destination = Start;
    destination.manager.empty_output_buffer = Full;
    destination.manager.term_destination = Finish;
    cinfo.dest = &destination.manager;
  }
  ~Session() { jpeg_destroy_compress(&cinfo); }
};

bool Encode(Session& s, const Image& image, Bytes& out) {
  jpeg_compress_struct& cinfo = s.cinfo;
  s.destination.out = &out;
  if (setjmp(s.trap.jump)) return false;
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
  return true;
}

}  // namespace

bool WriteJpeg(const Image& image, Bytes& out) {
  Session session;
  return Encode(session, image, out);
}

}  // namespace zq::gr
