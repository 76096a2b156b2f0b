// The reference count every object of the service carries.
#pragma once
#include <atomic>

#include "zqplatform/com.h"

namespace zq::wmi {

template <class Interface>
class ComObject : public Interface {
 public:
  uint32_t AddRef() override { return ++references_; }
  uint32_t Release() override {
    uint32_t left = --references_;
    if (left == 0) delete this;
    return left;
  }

 private:
  std::atomic<uint32_t> references_{1};
};

}  // namespace zq::wmi
