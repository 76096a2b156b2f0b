// What the RA exports share: the array behind a handle and the family's codes.
#pragma once
#include <cstdint>

#include "arrays/RevArray.h"
#include "frame/CVantor.h"
#include "frame/Exports.h"

namespace zqv {

constexpr int32_t kArrayBadHandle = -2;
constexpr int32_t kArrayNullPath = -5;
constexpr int32_t kArrayBadPosition = -6;

// The registered array, or null with the look-up's code (-2 or -3) in code.
inline RevArray* FindArray(int32_t h, int32_t* code) { return CVantor::App().LookupArray(h, code); }

// An integer export on the array behind h: a bad handle gives -2, exhausted memory -1.
template <class Body>
int32_t OnArray(int32_t h, Body&& body) noexcept {
  return Export(kMemoryExhausted, [&]() -> int32_t {
    int32_t code = 0;
    RevArray* array = FindArray(h, &code);
    return array ? body(*array) : kArrayBadHandle;
  });
}

}  // namespace zqv
