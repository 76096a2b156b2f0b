// The FI family's file functions.
#include "files/FIArgs.h"
#include "frame/CVantor.h"
#include "frame/Exports.h"
#include "zqvantor/files.h"

using namespace zqv::files;

namespace {

// An export on the handle's file object and a path: a missing path gives kNoPath, before the
// look-up.
template <class Fn>
int32_t OnPath(int32_t h, int32_t pathLen, const char* path, Fn&& fn) {
  return zqv::Export(zqv::kMemoryExhausted, [&] {
    auto p = HostPath(pathLen, path);
    if (!p) return kNoPath;
    return WithFile(h, [&](FileIO& io) { return fn(io, p->c_str()); });
  });
}

// The same with a buffer, whose bad arguments give badBuffer; fn gets the byte count.
template <class Fn>
int32_t OnPathAndBuffer(int32_t h, int32_t pathLen, const char* path, int32_t bufferLen, const void* buffer,
                        int32_t count, int32_t badBuffer, Fn&& fn) {
  return zqv::Export(zqv::kMemoryExhausted, [&] {
    auto p = HostPath(pathLen, path);
    if (!p) return kNoPath;
    auto n = BufferCount(bufferLen, buffer, count);
    if (!n) return badBuffer;
    return WithFile(h, [&](FileIO& io) { return fn(io, p->c_str(), *n); });
  });
}

}  // namespace

ZQV_API int32_t FICreate(void) {
  return zqv::Export(zqv::kMemoryExhausted, [] { return CVantor::App().CreateFileIO(); });
}

ZQV_API int32_t FIDestroy(int32_t h) {
  return zqv::Export(zqv::kMemoryExhausted, [&] { return CVantor::App().DestroyFileIO(h); });
}

ZQV_API int32_t FILock(int32_t h) {
  return zqv::Export(zqv::kMemoryExhausted, [&] {
    FileIO* io = LookupFile(h, nullptr);
    return io ? io->HostLock() : kNoFileObject;
  });
}

ZQV_API int32_t FIUnlock(int32_t h) {
  return zqv::Export(zqv::kMemoryExhausted, [&] {
    FileIO* io = LookupFile(h, nullptr);
    return io ? io->HostUnlock() : kNoFileObject;
  });
}

ZQV_API int32_t FISetAutoLock(int32_t h, int32_t value) {
  return OnFile(h, [&](FileIO& io) { return io.SetAutoLock(value); });
}

ZQV_API int32_t FIGetLastLocalError(int32_t h) {
  return OnFile(h, [](FileIO& io) { return io.GetLastLocalError(); });
}

ZQV_API int32_t FIGetLastSystemError(int32_t h) {
  return OnFile(h, [](FileIO& io) { return static_cast<int32_t>(io.GetLastSystemError()); });
}

ZQV_API int32_t FIOpenFile(int32_t h, int32_t pathLen, const char* path, uint32_t access, uint32_t share,
                           uint32_t disposition, uint32_t flags) {
  return OnPath(h, pathLen, path, [&](FileIO& io, const char* p) {
    return io.OpenFile(p, access, share, disposition, flags);
  });
}

ZQV_API int32_t FICloseFile(int32_t h) {
  return OnFile(h, [](FileIO& io) { return io.CloseFile(); });
}

ZQV_API int32_t FISetFilePointer(int32_t h, int32_t offset) {
  return OnFile(h, [&](FileIO& io) { return io.SetFilePointer(offset); });
}

ZQV_API int32_t FIRead(int32_t h, int32_t bufferLen, void* buffer, int32_t count, int32_t offset) {
  return zqv::Export(zqv::kMemoryExhausted, [&] {
    auto n = BufferCount(bufferLen, buffer, count);
    if (!n) return kReadArgs;
    return WithFile(h, [&](FileIO& io) { return io.Read(buffer, *n, offset); });
  });
}

ZQV_API int32_t FIWrite(int32_t h, int32_t bufferLen, const void* buffer, int32_t offset, int32_t count) {
  return zqv::Export(zqv::kMemoryExhausted, [&] {
    auto n = BufferCount(bufferLen, buffer, count);
    if (!n) return kWriteArgs;
    return WithFile(h, [&](FileIO& io) { return io.Write(buffer, *n, offset); });
  });
}

ZQV_API int32_t FIDeleteFile(int32_t h, int32_t pathLen, const char* path) {
  return OnPath(h, pathLen, path, [&](FileIO& io, const char* p) { return io.Delete(p); });
}

ZQV_API int32_t FICopyFile(int32_t h, int32_t sourceLen, const char* source, int32_t targetLen,
                           const char* target, int32_t failIfExists) {
  return zqv::Export(zqv::kMemoryExhausted, [&] {
    auto s = HostPath(sourceLen, source);
    auto t = HostPath(targetLen, target);
    if (!s || !t) return kNoPath;
    return WithFile(h, [&](FileIO& io) { return io.Copy(s->c_str(), t->c_str(), failIfExists != 0); });
  });
}

ZQV_API int32_t FIMoveFile(int32_t h, int32_t sourceLen, const char* source, int32_t targetLen,
                           const char* target) {
  return zqv::Export(zqv::kMemoryExhausted, [&] {
    auto s = HostPath(sourceLen, source);
    auto t = HostPath(targetLen, target);
    if (!s || !t) return kNoPath;
    return WithFile(h, [&](FileIO& io) { return io.Move(s->c_str(), t->c_str()); });
  });
}

ZQV_API int32_t FICreateFile(int32_t h, int32_t pathLen, const char* path, uint32_t access, uint32_t share,
                             uint32_t disposition, uint32_t flags) {
  return OnPath(h, pathLen, path, [&](FileIO& io, const char* p) {
    return io.CreateFile(p, access, share, disposition, flags);
  });
}

ZQV_API int32_t FICreateDir(int32_t h, int32_t pathLen, const char* path) {
  return OnPath(h, pathLen, path, [&](FileIO& io, const char* p) { return io.CreateDir(p); });
}

ZQV_API int32_t FIRemoveDir(int32_t h, int32_t pathLen, const char* path) {
  return OnPath(h, pathLen, path, [&](FileIO& io, const char* p) { return io.RemoveDir(p); });
}

ZQV_API double FICheckFileSize(int32_t h, int32_t pathLen, const char* path) {
  return zqv::Export(static_cast<double>(zqv::kMemoryExhausted), [&] {
    auto p = HostPath(pathLen, path);
    if (!p) return static_cast<double>(kNoPath);
    int32_t code = 0;
    FileIO* io = LookupFile(h, &code);
    return io ? io->CheckFileSize(p->c_str()) : static_cast<double>(code);
  });
}

ZQV_API int32_t FIReadFile(int32_t h, int32_t pathLen, const char* path, int32_t bufferLen, void* buffer,
                           int32_t count, int32_t offset, uint32_t access, uint32_t share, uint32_t disposition,
                           uint32_t flags) {
  auto transfer = [&](FileIO& io, const char* p, int32_t n) {
    return io.ReadFile(p, buffer, n, offset, access, share, disposition, flags);
  };
  return OnPathAndBuffer(h, pathLen, path, bufferLen, buffer, count, kReadArgs, transfer);
}

ZQV_API int32_t FIWriteFile(int32_t h, int32_t pathLen, const char* path, int32_t bufferLen, const void* buffer,
                            int32_t count, int32_t offset, uint32_t access, uint32_t share, uint32_t disposition,
                            uint32_t flags) {
  auto transfer = [&](FileIO& io, const char* p, int32_t n) {
    return io.WriteToFile(p, buffer, n, offset, access, share, disposition, flags);
  };
  return OnPathAndBuffer(h, pathLen, path, bufferLen, buffer, count, kWriteArgs, transfer);
}

ZQV_API int32_t FIAppendFile(int32_t h, int32_t pathLen, const char* path, int32_t bufferLen, const void* buffer,
                             int32_t count, uint32_t access, uint32_t share, uint32_t disposition, uint32_t flags) {
  auto transfer = [&](FileIO& io, const char* p, int32_t n) {
    return io.AppendToFile(p, buffer, n, access, share, disposition, flags);
  };
  return OnPathAndBuffer(h, pathLen, path, bufferLen, buffer, count, kWriteArgs, transfer);
}

ZQV_API int32_t FICreateEmptyFile(int32_t h, int32_t pathLen, const char* path, uint32_t access, uint32_t share,
                                  uint32_t disposition, uint32_t flags) {
  return OnPath(h, pathLen, path, [&](FileIO& io, const char* p) {
    return io.CreateEmptyFile(p, access, share, disposition, flags);
  });
}

ZQV_API int32_t FIOnSizeReadAndClear(int32_t h, int32_t pathLen, const char* path, int32_t bufferLen,
                                     void* buffer, int32_t count, uint32_t access, uint32_t share,
                                     uint32_t disposition, uint32_t flags) {
  return zqv::Export(zqv::kMemoryExhausted, [&] {
    auto p = HostPath(pathLen, path);
    if (!p) return kNoPath;
    if (!buffer || bufferLen < 1) return kReadArgs;
    int32_t size = count > 0 && count <= bufferLen ? count : bufferLen;  // a larger count is not refused
    return WithFile(h, [&](FileIO& io) {
      return io.OnSizeReadAndClear(p->c_str(), buffer, size, access, share, disposition, flags);
    });
  });
}
