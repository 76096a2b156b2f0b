// The registry of decoded pictures, beside the icon resources.
#include <map>
#include <mutex>

#include "zqplatform/uimodel.h"

namespace zq::ui {
namespace {

struct Registry {
  std::mutex lock;
  std::map<uint32_t, std::shared_ptr<const Picture>> pictures;
  uint32_t next = 1;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

}  // namespace

uint32_t RegisterPicture(std::shared_ptr<const Picture> picture) {
  if (!picture) return 0;
  Registry& r = TheRegistry();
  std::lock_guard hold(r.lock);
  while (r.pictures.count(r.next)) r.next = r.next >= 0x7FFFFFFF ? 1 : r.next + 1;
  const uint32_t number = r.next;
  r.next = number >= 0x7FFFFFFF ? 1 : number + 1;
  r.pictures[number] = std::move(picture);
  return number;
}

std::shared_ptr<const Picture> RegisteredPicture(uint32_t number) {
  Registry& r = TheRegistry();
  std::lock_guard hold(r.lock);
  auto it = r.pictures.find(number);
  return it == r.pictures.end() ? nullptr : it->second;
}

bool ReleasePicture(uint32_t number) {
  Registry& r = TheRegistry();
  std::lock_guard hold(r.lock);
  return r.pictures.erase(number) != 0;
}

}  // namespace zq::ui
