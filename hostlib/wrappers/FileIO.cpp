#include <cmath>

#include "ZQ_Vantor.h"
#include "hostlib/Wrappers.h"
#include "wrappers/Created.h"
#include "wrappers/HostArgs.h"

using namespace hostlib::detail;

FILEIO::FILEIO()
    : FIHANDLE(Created(FICreate(), {"Critical System Error Creating FileIO Object.", "FileIO.Construct"},
                       INTERROR)) {}

void FILEIO::DESTRUCT() { Destructed(FIHANDLE, INTERROR, FIDestroy); }

int32_t FILEIO::WRITEFILE(std::string_view file, std::string_view data, int32_t count, int32_t offset,
                          uint32_t access, uint32_t share, uint32_t disposition, uint32_t flags) {
  return Value(INTERROR, FIWriteFile(FIHANDLE, Len(file), Ptr(file), Len(data), Ptr(data), count, offset,
                                     access, share, disposition, flags));
}

int32_t FILEIO::CREATEEMPTYFILE(std::string_view file, uint32_t access, uint32_t share, uint32_t disposition,
                                uint32_t flags) {
  return Status(INTERROR, FICreateEmptyFile(FIHANDLE, Len(file), Ptr(file), access, share, disposition, flags));
}

int32_t FILEIO::READFILE(std::string_view file, std::span<char> buffer, int32_t count, int32_t offset,
                         uint32_t access, uint32_t share, uint32_t disposition, uint32_t flags) {
  return Value(INTERROR, FIReadFile(FIHANDLE, Len(file), Ptr(file), static_cast<int32_t>(buffer.size()),
                                    buffer.data(), count, offset, access, share, disposition, flags));
}

double FILEIO::GETFILESIZE(std::string_view file) {
  const double size = FICheckFileSize(FIHANDLE, Len(file), Ptr(file));
  INTERROR = size < 0 ? static_cast<int32_t>(std::trunc(size)) : 0;
  return size;
}

int32_t FILEIO::GETLASTSYSTEMERROR() { return FIGetLastSystemError(FIHANDLE); }

int32_t FILEIO::CREATEDIR(std::string_view folder) {
  return Status(INTERROR, FICreateDir(FIHANDLE, Len(folder), Ptr(folder)));
}

int32_t FILEIO::REMOVEDIR(std::string_view folder) {
  return Status(INTERROR, FIRemoveDir(FIHANDLE, Len(folder), Ptr(folder)));
}

int32_t FILEIO::COPY(std::string_view source, std::string_view target, uint8_t failIfExists) {
  return Status(INTERROR, FICopyFile(FIHANDLE, Len(source), Ptr(source), Len(target), Ptr(target), failIfExists));
}

int32_t FILEIO::DELETE(std::string_view file) { return Status(INTERROR, FIDeleteFile(FIHANDLE, Len(file), Ptr(file))); }

int32_t FILEIO::CLOSEFILE() { return Status(INTERROR, FICloseFile(FIHANDLE)); }
