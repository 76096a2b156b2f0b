// The nine calls: image objects by handle, each with its own lock, and the conversion, which
// keeps all its state in the call; beside them the conversion in two steps, whose encodings
// belong to the host between the two.
#include <array>
#include <map>
#include <memory>
#include <mutex>
#include <new>

#include "Encode.h"
#include "Load.h"
#include "Working.h"
#include "ZQ_Graphic.h"
#include "resize/Fit.h"
#include "zqplatform/files.h"
#include "zqplatform/uimodel.h"

namespace zq::gr {
namespace {

constexpr int32_t kFailed = -1;

struct ImageObject {
  std::mutex lock;
  uint32_t picture = 0;  // the last loaded picture's number until GR_FreeBuf
  bool loaded = false;
  std::array<int32_t, 4> info{};  // width, height, bits per pixel, alpha
};

class Objects {
 public:
  int32_t Add() {
    std::lock_guard hold(lock_);
    while (objects_.count(next_)) next_ = next_ == INT32_MAX ? 1 : next_ + 1;
    const int32_t handle = next_;
    next_ = handle == INT32_MAX ? 1 : handle + 1;
    objects_[handle] = std::make_shared<ImageObject>();
    return handle;
  }
  std::shared_ptr<ImageObject> Find(int32_t handle) {
    std::lock_guard hold(lock_);
    auto it = objects_.find(handle);
    return it == objects_.end() ? nullptr : it->second;
  }
  std::shared_ptr<ImageObject> Remove(int32_t handle) {
    std::lock_guard hold(lock_);
    auto it = objects_.find(handle);
    if (it == objects_.end()) return nullptr;
    auto object = std::move(it->second);
    objects_.erase(it);
    return object;
  }

 private:
  std::mutex lock_;
  std::map<int32_t, std::shared_ptr<ImageObject>> objects_;
  int32_t next_ = 1;
};

Objects& TheObjects() {
  static Objects objects;
  return objects;
}

void DropAlpha(Image& image) {
  uint8_t* p = image.pixels.get();
  for (std::size_t i = 0, n = static_cast<std::size_t>(image.width) * image.height; i < n; ++i) p[i * 4 + 3] = 255;
  image.alpha = false;
}

// Writes the bytes as the whole file the host named, by the name as given: a new file beside
// it takes its place, so a link standing there is replaced, never written through.
Status WriteTarget(const std::string& ansiTarget, const Bytes& bytes) {
  if (ansiTarget.find('\0') != std::string::npos) return Status::Write;
  const std::string_view content(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return zq::fs::WriteReplacing(ansiTarget.c_str(), content) ? Status::Ok : Status::Write;
}

Status Convert(const std::string& source, const std::string& ansiTarget, uint8_t mode, Size size, uint8_t filter) {
  const std::string target = PathOfName(static_cast<int32_t>(ansiTarget.size()), ansiTarget.data());
  const Encoded encoded = EncodeConversion(source, target, mode, size, filter);
  if (encoded.status != Status::Ok) return encoded.status;
  return WriteTarget(ansiTarget, encoded.bytes);
}

}  // namespace
}  // namespace zq::gr

using namespace zq::gr;

int32_t GR_Create(void) {
  try {
    return TheObjects().Add();
  } catch (const std::bad_alloc&) {
    return static_cast<int32_t>(Status::Memory);
  }
}

int32_t GR_Destroy(int32_t handle) {
  auto object = TheObjects().Remove(handle);
  if (!object) return static_cast<int32_t>(Status::Handle);
  std::lock_guard hold(object->lock);
  if (object->picture) zq::ui::ReleasePicture(object->picture);
  object->picture = 0;
  return 1;
}

int32_t GR_GetWinWidth(uint32_t hwnd) {
  auto state = zq::ui::Snapshot(hwnd);
  return state ? state->rect.right - state->rect.left : 0;
}

int32_t GR_GetWinHeight(uint32_t hwnd) {
  auto state = zq::ui::Snapshot(hwnd);
  return state ? state->rect.bottom - state->rect.top : 0;
}

int32_t GR_Load(int32_t handle, int32_t nameLength, const char* name, uint8_t resizeMode, int32_t width,
                int32_t height, uint8_t stripAlpha, uint8_t /*extra*/) {
  auto object = TheObjects().Find(handle);
  if (!object || !ValidFit(resizeMode, {width, height})) return kFailed;
  const std::string path = PathOfName(nameLength, name);
  if (path.empty()) return kFailed;
  Loaded loaded = LoadFitted(path, resizeMode, {width, height}, Filter::Bicubic);
  if (loaded.status != Status::Ok) return kFailed;
  Image& image = loaded.image;
  if (stripAlpha) DropAlpha(image);
  try {
    auto picture = std::make_shared<zq::ui::Picture>();
    picture->width = image.width;
    picture->height = image.height;
    picture->bgra = std::move(image.pixels);
    std::lock_guard hold(object->lock);
    if (object->picture) zq::ui::ReleasePicture(object->picture);
    object->picture = zq::ui::RegisterPicture(std::move(picture));
    object->loaded = true;
    object->info = {image.width, image.height, image.alpha ? 32 : 24, image.alpha ? 1 : 0};
    return static_cast<int32_t>(object->picture);
  } catch (const std::bad_alloc&) {
    return kFailed;
  }
}

int32_t GR_FreeBuf(int32_t handle) {
  auto object = TheObjects().Find(handle);
  if (!object) return static_cast<int32_t>(Status::Handle);
  std::lock_guard hold(object->lock);
  if (object->picture) zq::ui::ReleasePicture(object->picture);
  object->picture = 0;
  return 1;
}

intptr_t GR_GetInfo(int32_t handle) {
  auto object = TheObjects().Find(handle);
  if (!object) return kFailed;
  std::lock_guard hold(object->lock);
  return object->loaded ? reinterpret_cast<intptr_t>(object->info.data()) : kFailed;
}

int32_t Gr_Convert(int32_t sourceLength, const char* source, int32_t targetLength, const char* target,
                   uint8_t resizeMode, int32_t width, int32_t height, uint8_t filter) {
  try {
    const std::string ansiTarget(NameOf(targetLength, target));
    return static_cast<int32_t>(
        Convert(PathOfName(sourceLength, source), ansiTarget, resizeMode, {width, height}, filter));
  } catch (const std::bad_alloc&) {
    return static_cast<int32_t>(Status::Memory);
  }
}

int32_t Gr_FileType(int32_t nameLength, const char* name) {
  std::string_view text = NameOf(nameLength, name);
  if (text.empty()) return 0;
  if (const std::size_t dot = text.rfind('.'); dot != std::string_view::npos) text.remove_prefix(dot + 1);
  return static_cast<int32_t>(FormatOfExtension(text));
}

struct GrEncoded {
  std::string source, target;        // the names as the host gave them
  std::string sourcePath, targetPath;  // as they resolved when encoded
  FileStamp stamp;                   // the source as it stood before it was read
  Encoded encoded;
};

GrEncoded* Gr_Encode(int32_t sourceLength, const char* source, int32_t targetLength, const char* target,
                     uint8_t resizeMode, int32_t width, int32_t height, uint8_t filter) {
  try {
    auto encoding = std::make_unique<GrEncoded>();
    encoding->source = NameOf(sourceLength, source);
    encoding->target = NameOf(targetLength, target);
    encoding->sourcePath = PathOfName(sourceLength, source);
    encoding->targetPath = PathOfName(targetLength, target);
    encoding->stamp = StampOf(encoding->sourcePath);
    encoding->encoded =
        EncodeConversion(encoding->sourcePath, encoding->targetPath, resizeMode, {width, height}, filter);
    return encoding.release();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

int64_t Gr_WorkingBytes(int32_t sourceLength, const char* source, int32_t targetLength, const char* target,
                        uint8_t resizeMode, int32_t width, int32_t height, uint8_t filter) {
  try {
    return WorkingBytes(PathOfName(sourceLength, source), PathOfName(targetLength, target), resizeMode,
                        {width, height}, filter);
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

int32_t Gr_EncodedResult(const GrEncoded* encoding) {
  return static_cast<int32_t>(encoding ? encoding->encoded.status : Status::Memory);
}

int64_t Gr_EncodedBytes(const GrEncoded* encoding) {
  return encoding ? static_cast<int64_t>(encoding->encoded.bytes.capacity()) : 0;
}

int32_t Gr_EncodedCurrent(const GrEncoded* encoding) {
  if (!encoding) return 0;
  try {
    const std::string sourcePath = PathOfName(static_cast<int32_t>(encoding->source.size()), encoding->source.data());
    const std::string targetPath = PathOfName(static_cast<int32_t>(encoding->target.size()), encoding->target.data());
    return sourcePath == encoding->sourcePath && targetPath == encoding->targetPath &&
                   StampOf(sourcePath) == encoding->stamp
               ? 1
               : 0;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

int32_t Gr_WriteEncoded(const GrEncoded* encoding) {
  if (!encoding) return static_cast<int32_t>(Status::Memory);
  if (encoding->encoded.status != Status::Ok) return static_cast<int32_t>(encoding->encoded.status);
  try {
    const std::string targetPath = PathOfName(static_cast<int32_t>(encoding->target.size()), encoding->target.data());
    if (targetPath.empty()) return static_cast<int32_t>(Status::Argument);
    return static_cast<int32_t>(WriteTarget(encoding->target, encoding->encoded.bytes));
  } catch (const std::bad_alloc&) {
    return static_cast<int32_t>(Status::Memory);
  }
}

void Gr_FreeEncoded(GrEncoded* encoding) { delete encoding; }
