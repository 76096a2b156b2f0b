// Fills a family's registry so that the next create fails; frees it again.
#pragma once
#include <cstdint>
#include <vector>

template <int32_t (*Create)(), int32_t (*Destroy)(int32_t)>
class FullRegistry {
 public:
  FullRegistry() {
    for (int32_t h = Create(); h > 0; h = Create()) handles_.push_back(h);
  }
  ~FullRegistry() {
    for (int32_t h : handles_) Destroy(h);
  }
  FullRegistry(const FullRegistry&) = delete;
  FullRegistry& operator=(const FullRegistry&) = delete;

 private:
  std::vector<int32_t> handles_;
};
