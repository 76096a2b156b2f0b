#include "LeftOut.h"

#include <mutex>

#include "hostlib/Procedures.h"

namespace {

std::mutex lock;
std::vector<LEFTOUTENTRY> leftOut;

}  // namespace

void CLEARLEFTOUT() {
  std::lock_guard guard(lock);
  leftOut.clear();
}

void LEAVEOUT(std::string_view folder, std::string_view name, LeftOutReason reason) {
  std::lock_guard guard(lock);
  leftOut.push_back({CHECKPATH(folder) + std::string(name), reason});
}

std::vector<LEFTOUTENTRY> SCANLEFTOUT() {
  std::lock_guard guard(lock);
  return leftOut;
}
