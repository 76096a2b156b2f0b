// JPEG through libjpeg-turbo: decoded straight into B, G, R, A at the smallest DCT scale that
// still gives the size wanted; CMYK and YCCK (Adobe) files converted; EXIF orientation applied.
// libjpeg reports errors by longjmp, so the steps between setjmp and the last library call
// keep no object that owns memory: the picture lives in the caller's frame.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
#include <jerror.h>
#include <cstring>
#include <new>

#include "codecs/Codecs.h"

namespace zq::gr {
namespace {

// Memory libjpeg may take for one picture (a progressive file keeps all its coefficients).
constexpr long kJpegMemory = 256L * 1024 * 1024;
// The largest source a JPEG may declare: it is decoded scaled, so it may exceed kMaxPixels.
constexpr int64_t kMaxJpegSourcePixels = 4 * kMaxPixels;

struct ErrorTrap {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  Status status = Status::Corrupt;
  bool inScans = false;  // the headers are read: what follows is entropy-coded data
  bool paddedBeforeEnd = false;  // bytes left over between the last scan and the end marker
};

[[noreturn]] void Fail(j_common_ptr cinfo) {
  auto* trap = reinterpret_cast<ErrorTrap*>(cinfo->err);
  if (cinfo->err->msg_code == JERR_OUT_OF_MEMORY) trap->status = Status::Memory;
  std::longjmp(trap->jump, 1);
}

// Warnings of damaged data (bad Huffman codes, a premature end) fail the picture: the library
// would go on with grey blocks. Stray bytes between the header segments, which many cameras
// write, harm no pixel; so may bytes between the last scan and the end marker, which some
// cameras and editors pad with (they are checked once every row is decoded). Bytes a scan leaves
// over before any other marker mean that its data decoded to something else than was written.
void Warn(j_common_ptr cinfo, int level) {
  if (level >= 0) return;
  auto* trap = reinterpret_cast<ErrorTrap*>(cinfo->err);
  if (cinfo->err->msg_code == JWRN_EXTRANEOUS_DATA) {
    if (!trap->inScans) return;
    if (cinfo->err->msg_parm.i[1] == JPEG_EOI) {
      trap->paddedBeforeEnd = true;
      return;
    }
  }
  Fail(cinfo);
}

struct Session {
  jpeg_decompress_struct cinfo{};
  ErrorTrap trap{};
  Session() {
    cinfo.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = [](j_common_ptr c) { Fail(c); };
    trap.manager.emit_message = Warn;
    trap.manager.output_message = [](j_common_ptr) {};
    jpeg_create_decompress(&cinfo);
  }
  ~Session() { jpeg_destroy_decompress(&cinfo); }
};

int32_t OrientationOf(const jpeg_decompress_struct& cinfo) {
  for (jpeg_saved_marker_ptr m = cinfo.marker_list; m; m = m->next) {
    if (m->marker == JPEG_APP0 + 1) {
      int32_t orientation = ExifOrientation({m->data, m->data_length});
      if (orientation != 1) return orientation;
    }
  }
  return 1;
}

// The denominator of the smallest scale whose output still covers the size wanted.
void ChooseScale(jpeg_decompress_struct& cinfo, Size shown, bool swapped) {
  Size need = swapped ? Size{shown.height, shown.width} : shown;
  for (unsigned denominator : {8u, 4u, 2u, 1u}) {
    cinfo.scale_num = 1;
    cinfo.scale_denom = denominator;
    jpeg_calc_output_dimensions(&cinfo);
    if (static_cast<int32_t>(cinfo.output_width) >= need.width &&
        static_cast<int32_t>(cinfo.output_height) >= need.height)
      return;
  }
}

void CmykToBgra(const uint8_t* cmyk, uint8_t* bgra, int32_t width, bool inverted) {
  for (int32_t x = 0; x < width; ++x, cmyk += 4, bgra += 4) {
    unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
    if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    bgra[0] = static_cast<uint8_t>((y * k + 127) / 255);
    bgra[1] = static_cast<uint8_t>((m * k + 127) / 255);
    bgra[2] = static_cast<uint8_t>((c * k + 127) / 255);
    bgra[3] = 255;
  }
}

// Every step that may longjmp. The picture and the CMYK row are the caller's.
Status Decode(Session& s, std::span<const uint8_t> bytes, const SizeWanted& wanted, Image& image,
              std::unique_ptr<uint8_t[]>& cmykRow, int32_t& orientation) {
  jpeg_decompress_struct& cinfo = s.cinfo;
  if (setjmp(s.trap.jump)) return s.trap.status;
  jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
  jpeg_read_header(&cinfo, TRUE);
  s.trap.inScans = true;
  if (int64_t{cinfo.image_width} * cinfo.image_height > kMaxJpegSourcePixels) return Status::Size;
  cinfo.mem->max_memory_to_use = kJpegMemory;
  orientation = OrientationOf(cinfo);
  bool swapped = SwapsSides(orientation);
  bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
  if (wanted) {
    int32_t w = static_cast<int32_t>(swapped ? cinfo.image_height : cinfo.image_width);
    int32_t h = static_cast<int32_t>(swapped ? cinfo.image_width : cinfo.image_height);
    ChooseScale(cinfo, wanted(w, h), swapped);
  }
  jpeg_calc_output_dimensions(&cinfo);
  if (!SizeAllowed(cinfo.output_width, cinfo.output_height)) return Status::Size;
  jpeg_start_decompress(&cinfo);
  const auto width = static_cast<int32_t>(cinfo.output_width);
  image = MakeImage(width, static_cast<int32_t>(cinfo.output_height), false);
  if (cmyk) cmykRow = std::make_unique_for_overwrite<uint8_t[]>(static_cast<std::size_t>(width) * 4);
  while (cinfo.output_scanline < cinfo.output_height) {
    uint8_t* target = image.Row(static_cast<int32_t>(cinfo.output_scanline));
    JSAMPROW row = cmyk ? cmykRow.get() : target;
    jpeg_read_scanlines(&cinfo, &row, 1);
    if (cmyk) CmykToBgra(cmykRow.get(), target, width, cinfo.saw_Adobe_marker);
  }
  jpeg_finish_decompress(&cinfo);
  return Status::Ok;
}

// Whether every coefficient lies within what samples of the file's precision can give (a DCT
// of 8-bit samples stays within 1024). Bytes before the end marker are padding only then: a
// scan whose data was damaged, and so ended early, decodes to coefficients far beyond.
Status CoefficientsInRange(Session& s, std::span<const uint8_t> bytes) {
  jpeg_decompress_struct& cinfo = s.cinfo;
  if (setjmp(s.trap.jump)) return s.trap.status;
  jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&cinfo, TRUE);
  s.trap.inScans = true;
  cinfo.mem->max_memory_to_use = kJpegMemory;
  jvirt_barray_ptr* coefficients = jpeg_read_coefficients(&cinfo);
  const long limit = 1L << (cinfo.data_precision + 2);
  for (int c = 0; c < cinfo.num_components; ++c) {
    const jpeg_component_info& component = cinfo.comp_info[c];
    const JQUANT_TBL* table = component.quant_table;
    if (!table) return Status::Corrupt;
    for (JDIMENSION row = 0; row < component.height_in_blocks; ++row) {
      JBLOCKARRAY blocks = cinfo.mem->access_virt_barray(reinterpret_cast<j_common_ptr>(&cinfo), coefficients[c],
                                                         row, 1, FALSE);
      for (JDIMENSION b = 0; b < component.width_in_blocks; ++b) {
        for (int k = 0; k < DCTSIZE2; ++k) {
          const long step = table->quantval[k];
          if (std::labs(blocks[0][b][k]) * step > limit + step) return Status::Corrupt;
        }
      }
    }
  }
  jpeg_finish_decompress(&cinfo);
  return Status::Ok;
}

Status Plan(Session& s, std::span<const uint8_t> bytes, const SizeWanted& wanted, JpegPlan& plan) {
  jpeg_decompress_struct& cinfo = s.cinfo;
  if (setjmp(s.trap.jump)) return s.trap.status;
  jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
  jpeg_read_header(&cinfo, TRUE);
  if (int64_t{cinfo.image_width} * cinfo.image_height > kMaxJpegSourcePixels) return Status::Size;
  plan.orientation = OrientationOf(cinfo);
  const bool swapped = SwapsSides(plan.orientation);
  plan.shown = {static_cast<int32_t>(swapped ? cinfo.image_height : cinfo.image_width),
                static_cast<int32_t>(swapped ? cinfo.image_width : cinfo.image_height)};
  if (wanted) ChooseScale(cinfo, wanted(plan.shown.width, plan.shown.height), swapped);
  jpeg_calc_output_dimensions(&cinfo);
  plan.decoded = {static_cast<int32_t>(cinfo.output_width), static_cast<int32_t>(cinfo.output_height)};
  // A file of several scans keeps every coefficient (two bytes each); one scan, a row of blocks.
  int64_t blocks = 0;
  for (int c = 0; c < cinfo.num_components; ++c) {
    const jpeg_component_info& component = cinfo.comp_info[c];
    blocks += int64_t{component.width_in_blocks} *
              (jpeg_has_multiple_scans(&cinfo) ? component.height_in_blocks : cinfo.max_v_samp_factor);
  }
  plan.libraryBytes = blocks * DCTSIZE2 * 2 + int64_t{plan.decoded.width} * 4 * 2 * DCTSIZE;
  return Status::Ok;
}

}  // namespace

JpegPlan PlanJpeg(std::span<const uint8_t> bytes, const SizeWanted& wanted) {
  JpegPlan plan;
  if (bytes.size() < 4) return plan;
  try {
    Session session;
    plan.status = Plan(session, bytes, wanted, plan);
  } catch (const std::bad_alloc&) {
    plan.status = Status::Memory;
  }
  return plan;
}

Decoded ReadJpeg(std::span<const uint8_t> bytes, const SizeWanted& wanted) {
  Decoded result;
  if (bytes.size() < 4) return {Status::Corrupt, {}};
  try {
    Session session;
    std::unique_ptr<uint8_t[]> cmykRow;
    int32_t orientation = 1;
    result.status = Decode(session, bytes, wanted, result.image, cmykRow, orientation);
    if (result.status == Status::Ok && session.trap.paddedBeforeEnd) {
      Session check;
      result.status = CoefficientsInRange(check, bytes);
    }
    if (result.status != Status::Ok) return {result.status, {}};
    result.image = Orient(std::move(result.image), orientation);
  } catch (const std::bad_alloc&) {
    return {Status::Memory, {}};
  }
  return result;
}

}  // namespace zq::gr
