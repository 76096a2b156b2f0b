// What the FI exports share: host paths, buffer checks, the handle look-up and the frame.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "files/FileIO.h"
#include "frame/Exports.h"

namespace zqv::files {

// A host path, blanks removed at both ends; none for a null pointer or a length below 1.
std::optional<std::string> HostPath(int32_t len, const char* path);

// The byte count of a buffer argument: count 0 is the whole buffer; none when there is no
// buffer, the buffer length is below 1, or count is negative or larger than the buffer.
std::optional<int32_t> BufferCount(int32_t bufferLen, const void* buffer, int32_t count);

// The file object of a handle, or null with *code set to the look-up's code.
FileIO* LookupFile(int32_t h, int32_t* code);

// Runs fn(object) on the handle's file object, or answers the look-up's code.
template <class Fn>
int32_t WithFile(int32_t h, Fn&& fn) {
  int32_t code = 0;
  FileIO* io = LookupFile(h, &code);
  return io ? fn(*io) : code;
}

// An export that runs fn(object) on the handle's file object.
template <class Fn>
int32_t OnFile(int32_t h, Fn&& fn) {
  return zqv::Export(zqv::kMemoryExhausted, [&] { return WithFile(h, fn); });
}

}  // namespace zqv::files
