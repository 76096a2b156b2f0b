// DSKGetDrives, DSKGetFileVersion, UTGetComputerName and UTGetUserName.
#include "frame/Exports.h"
#include "system/DriveList.h"
#include "system/VersionText.h"
#include "zqplatform/files.h"
#include "zqplatform/system.h"
#include "zqvantor/system.h"

ZQV_API BSTR DSKGetDrives(void) {
  return zqv::ExportText(nullptr, [] { return zqv::TextResult(zqv::DriveList(GetLogicalDrives(), GetDriveTypeA)); });
}

ZQV_API BSTR DSKGetFileVersion(int32_t pathLen, const char* path, int32_t separator) {
  return zqv::ExportText(nullptr, [&] {
    auto resource = zq::sys::VersionResource::FromFile(zqv::ToNul(zqv::HostText(pathLen, path)));
    if (!resource) return zqv::EmptyResult();
    return zqv::TextResult(zqv::VersionText(*resource, zq::sys::UserDefaultLangID(),
                                            zqv::VersionSeparator(static_cast<uint8_t>(zqv::Byte(separator)))));
  });
}

ZQV_API BSTR UTGetComputerName(void) {
  return zqv::ExportText(nullptr, [] { return zqv::TextResult(zq::sys::ComputerName().value_or("")); });
}

ZQV_API BSTR UTGetUserName(void) {
  return zqv::ExportText(nullptr, [] { return zqv::TextResult(zq::sys::UserName().value_or("")); });
}
