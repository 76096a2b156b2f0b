// The FI family's shared-memory view functions.
#include "files/FIArgs.h"
#include "frame/Exports.h"
#include "zqvantor/files.h"

using namespace zqv::files;

namespace {

// The pipe functions' count: -1 is the whole buffer; none when the buffer is refused.
std::optional<int32_t> PipeCount(int32_t bufferLen, const void* buffer, int32_t count) {
  if (!buffer || bufferLen < 1 || count > bufferLen) return std::nullopt;
  return count == -1 ? bufferLen : count;
}

}  // namespace

ZQV_API int32_t FIMemCreateView(int32_t h, int32_t nameLen, const char* name, int32_t size, uint32_t protection) {
  return zqv::Export(zqv::kMemoryExhausted, [&] {
    auto n = HostPath(nameLen, name);
    if (!n) return kNoPath;
    if (size < 1) return kBadViewSize;
    return WithFile(h, [&](FileIO& io) { return io.MemCreateView(*n, size, protection); });
  });
}

ZQV_API int32_t FIMemOpenView(int32_t h, int32_t nameLen, const char* name, int32_t size) {
  return zqv::Export(zqv::kMemoryExhausted, [&] {
    auto n = HostPath(nameLen, name);
    if (!n) return kNoPath;
    if (size < 1) return kBadViewSize;
    return WithFile(h, [&](FileIO& io) { return io.MemOpenView(*n, size); });
  });
}

ZQV_API int32_t FIMemCloseView(int32_t h) {
  return OnFile(h, [](FileIO& io) { return io.MemCloseView(); });
}

ZQV_API int32_t FIMemReadPipe(int32_t h, int32_t bufferLen, void* buffer, int32_t count) {
  return zqv::Export(zqv::kMemoryExhausted, [&] {
    auto n = PipeCount(bufferLen, buffer, count);
    if (!n) return kReadArgs;
    return WithFile(h, [&](FileIO& io) { return io.MemReadPipe(buffer, *n); });
  });
}

ZQV_API int32_t FIMemWritePipe(int32_t h, int32_t bufferLen, const void* buffer, int32_t count) {
  return zqv::Export(zqv::kMemoryExhausted, [&] {
    auto n = PipeCount(bufferLen, buffer, count);
    if (!n) return kWriteArgs;
    return WithFile(h, [&](FileIO& io) { return io.MemWritePipe(buffer, *n); });
  });
}

ZQV_API void* FIMemGetPointer(int32_t h, int32_t* code) {
  return zqv::Export(static_cast<void*>(nullptr), [&]() -> void* {
    int32_t lookup = 0;
    FileIO* io = LookupFile(h, &lookup);
    if (!io) {
      zqv::SetCode(code, lookup);
      return nullptr;
    }
    return io->MemGetPointer(code);
  });
}

ZQV_API int32_t FIMemLock(int32_t h) {
  return OnFile(h, [](FileIO& io) { return io.MemLock(); });
}

ZQV_API int32_t FIMemUnlock(int32_t h) {
  return OnFile(h, [](FileIO& io) { return io.MemUnlock(); });
}

ZQV_API int32_t FIMemDataLen(int32_t h) {
  return OnFile(h, [](FileIO& io) { return io.MemDataLen(); });
}

ZQV_API int32_t FIMemBufReset(int32_t h) {
  return OnFile(h, [](FileIO& io) { return io.MemBufReset(); });
}
