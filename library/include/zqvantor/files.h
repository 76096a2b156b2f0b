/* File objects and shared-memory views: the FI family.
 *
 * Handles name file objects (1 to 65535). Paths come as (length, pointer), blanks removed at
 * both ends; buffers as (buffer length, pointer). Open arguments: desired access, share mode,
 * creation disposition, flags and attributes (the program uses 0xC0000000, 0, 4, 0x80000080).
 * Negative results are codes: -2/-3 bad handle, -51 to -71 file codes, -100 to -108 view codes. */
#ifndef ZQVANTOR_FILES_H
#define ZQVANTOR_FILES_H

#include "zqvantor/common.h"

ZQV_API int32_t FICreate(void);
ZQV_API int32_t FIDestroy(int32_t h);
ZQV_API int32_t FILock(int32_t h);
ZQV_API int32_t FIUnlock(int32_t h);
ZQV_API int32_t FISetAutoLock(int32_t h, int32_t value);
ZQV_API int32_t FIGetLastLocalError(int32_t h);
ZQV_API int32_t FIGetLastSystemError(int32_t h);

ZQV_API int32_t FIOpenFile(int32_t h, int32_t pathLen, const char* path, uint32_t access, uint32_t share,
                           uint32_t disposition, uint32_t flags);
ZQV_API int32_t FICloseFile(int32_t h);
ZQV_API int32_t FISetFilePointer(int32_t h, int32_t offset);
ZQV_API int32_t FIRead(int32_t h, int32_t bufferLen, void* buffer, int32_t count, int32_t offset);
ZQV_API int32_t FIWrite(int32_t h, int32_t bufferLen, const void* buffer, int32_t offset, int32_t count);
ZQV_API int32_t FIDeleteFile(int32_t h, int32_t pathLen, const char* path);
ZQV_API int32_t FICopyFile(int32_t h, int32_t sourceLen, const char* source, int32_t targetLen,
                           const char* target, int32_t failIfExists);
ZQV_API int32_t FIMoveFile(int32_t h, int32_t sourceLen, const char* source, int32_t targetLen,
                           const char* target);
ZQV_API int32_t FICreateFile(int32_t h, int32_t pathLen, const char* path, uint32_t access, uint32_t share,
                             uint32_t disposition, uint32_t flags);
ZQV_API int32_t FICreateDir(int32_t h, int32_t pathLen, const char* path);
ZQV_API int32_t FIRemoveDir(int32_t h, int32_t pathLen, const char* path);
ZQV_API double FICheckFileSize(int32_t h, int32_t pathLen, const char* path);
ZQV_API int32_t FIReadFile(int32_t h, int32_t pathLen, const char* path, int32_t bufferLen, void* buffer,
                           int32_t count, int32_t offset, uint32_t access, uint32_t share, uint32_t disposition,
                           uint32_t flags);
ZQV_API int32_t FIWriteFile(int32_t h, int32_t pathLen, const char* path, int32_t bufferLen, const void* buffer,
                            int32_t count, int32_t offset, uint32_t access, uint32_t share, uint32_t disposition,
                            uint32_t flags);
ZQV_API int32_t FIAppendFile(int32_t h, int32_t pathLen, const char* path, int32_t bufferLen, const void* buffer,
                             int32_t count, uint32_t access, uint32_t share, uint32_t disposition, uint32_t flags);
ZQV_API int32_t FICreateEmptyFile(int32_t h, int32_t pathLen, const char* path, uint32_t access, uint32_t share,
                                  uint32_t disposition, uint32_t flags);
ZQV_API int32_t FIOnSizeReadAndClear(int32_t h, int32_t pathLen, const char* path, int32_t bufferLen,
                                     void* buffer, int32_t count, uint32_t access, uint32_t share,
                                     uint32_t disposition, uint32_t flags);

ZQV_API int32_t FIMemCreateView(int32_t h, int32_t nameLen, const char* name, int32_t size, uint32_t protection);
ZQV_API int32_t FIMemOpenView(int32_t h, int32_t nameLen, const char* name, int32_t size);
ZQV_API int32_t FIMemCloseView(int32_t h);
ZQV_API int32_t FIMemReadPipe(int32_t h, int32_t bufferLen, void* buffer, int32_t count);
ZQV_API int32_t FIMemWritePipe(int32_t h, int32_t bufferLen, const void* buffer, int32_t count);
/* The view's start (its length word; the data follow 4 bytes later), or null with *code set. */
ZQV_API void* FIMemGetPointer(int32_t h, int32_t* code);
ZQV_API int32_t FIMemLock(int32_t h);
ZQV_API int32_t FIMemUnlock(int32_t h);
ZQV_API int32_t FIMemDataLen(int32_t h);
ZQV_API int32_t FIMemBufReset(int32_t h);

#endif
